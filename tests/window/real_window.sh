#!/bin/bash
# The real window on a 1366 x 768 screen with a window manager (Xvfb and
# openbox): fullscreen and windowed both show the whole 1320 x 920 picture.
# Exits 77 (skipped) where Xvfb, openbox, xdotool, xwininfo or ImageMagick is
# missing.
set -u
exe=$1
media=$2
for tool in Xvfb openbox xdotool xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

display=
for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "skipped: no free display number"; exit 77; }
Xvfb "$display" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

fail=0
# The colour of a screen pixel as "r,g,b".
pixel() { convert "$work/shot.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:; }
expect() { # what x y colour
    local got
    got=$(pixel "$2" "$3")
    if [ "$got" != "$4" ]; then echo "FAIL: $1: pixel $2,$3 is $got, expected $4"; fail=1; else echo "ok: $1"; fi
}

run() { # shows the trainer with the given options; sets x y w h of its window
    SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 "$exe" --media "$media" --seed 1 "$@" \
        >"$work/log" 2>&1 &
    local pid=$!
    pids+=($pid)
    local win=
    for _ in $(seq 100); do
        win=$(xdotool search --onlyvisible --name ZIFFRON 2>/dev/null | head -1)
        [ -n "$win" ] && break
        sleep 0.2
    done
    [ -n "$win" ] || { echo "FAIL: no window"; cat "$work/log"; exit 1; }
    sleep 3 # maximizing and the first picture
    # xwininfo gives the client area's place on the screen, decorations aside.
    local info
    info=$(xwininfo -id "$win" 2>/dev/null)
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    w=$(sed -n 's/^ *Width: *//p' <<<"$info")
    h=$(sed -n 's/^ *Height: *//p' <<<"$info")
    [ -n "$w" ] && [ -n "$h" ] || { echo "FAIL: window geometry unknown"; exit 1; }
    import -window root "$work/shot.png"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}

run --fullscreen
echo "fullscreen window: $w x $h at $x,$y"
[ "$w" = 1366 ] && [ "$h" = 768 ] || { echo "FAIL: fullscreen window is $w x $h"; fail=1; }
# Scaled by 768/920 and centred: black bars beside it, the picture's grey
# bottom edge (below the task area) on the screen's last rows.
expect "bar left of the picture" 50 400 0,0,0
expect "bar right of the picture" 1316 400 0,0,0
expect "bottom edge below the task area" 683 763 224,224,224
expect "task area above it" 683 740 255,255,255

run
echo "window: $w x $h at $x,$y"
[ $((y + h)) -le 768 ] && [ $((x + w)) -le 1366 ] || { echo "FAIL: the window reaches off the screen"; fail=1; }
expect "windowed: bottom edge below the task area" $((x + w / 2)) $((y + h - 3)) 224,224,224
exit $fail
