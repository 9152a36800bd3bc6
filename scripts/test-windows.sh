#!/usr/bin/env bash
# Tests the Windows build (scripts/build-windows.sh) under Wine against the
# Linux build of the same sources:
#  1. the headless demo script: every screenshot equal pixel for pixel, the
#     transcript equal (line ends aside);
#  2. ziffron-catalog.exe --list, and --task N --seed S for every task at 3
#     seeds: the same bytes as the Linux tool;
#  3. platform fonts without fontconfig: Wine's fonts folder has no Courier
#     New, Arial or Times New Roman, so "New Roman" in a task picture comes
#     from the Liberation faces shipped in fonts/; without that folder it fails;
#  4. as a user: the installer in a fresh Wine prefix, the program started
#     from its start-menu entry in a real (Xvfb) window, a game started with a
#     click, screenshots, then the uninstaller (refused while the program
#     runs, complete after it ends).
# Needs wine, Xvfb, xdotool and ImageMagick. Not part of ./test.sh.
# Usage: scripts/test-windows.sh [--quick]   (--quick: 20 tasks instead of all)
set -euo pipefail
cd "$(dirname "$0")/.."
REPO=$PWD
QUICK=0
[[ "${1:-}" == "--quick" ]] && QUICK=1

HOSTB=$REPO/build-win/host
STAGE=$REPO/dist/ziffron-windows
for f in "$STAGE/ziffron.exe" "$STAGE/ziffron-catalog.exe" "$HOSTB/quiz/ziffron" "$HOSTB/tools/catalog/ziffron-catalog"; do
  [[ -f "$f" ]] || { echo "test-windows: $f missing; run scripts/build-windows.sh first" >&2; exit 2; }
done
command -v wine >/dev/null || { echo "test-windows: wine is not installed (scripts/build-windows.sh installs it)" >&2; exit 2; }
for tool in compare import xdotool Xvfb; do
  command -v $tool >/dev/null || { echo "test-windows: $tool is missing (apt-get install imagemagick xdotool xvfb)" >&2; exit 2; }
done

export WINEPREFIX=${WINEPREFIX:-$REPO/build-win/wineprefix}
# No Mono/Gecko prompts, and no menu entries written into the Linux desktop.
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
OUT=$REPO/build-win/test
rm -rf "$OUT"
mkdir -p "$OUT"

XVFB_PID=""
cleanup() {
  wineserver -k 2>/dev/null || true
  [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
}
trap cleanup EXIT
if [[ -z "${DISPLAY:-}" ]]; then
  command -v Xvfb >/dev/null || { echo "test-windows: no display and no Xvfb" >&2; exit 2; }
  for n in $(seq 90 120); do [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] || break; done
  Xvfb ":$n" -screen 0 1400x1000x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  sleep 1
fi
[[ -d "$WINEPREFIX/drive_c" ]] || { echo "test-windows: making the Wine prefix $WINEPREFIX"; wineboot -i >/dev/null 2>&1; }
# One wineserver for all the runs below: starting Wine then costs little.
wineserver -p 2>/dev/null || true

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
winpath() { winepath -w "$1" 2>/dev/null; }

# ------------------------------------------------------------ 1. demo script
echo "== headless demo: Linux and Windows screenshots"
MEDIA=$STAGE/sample-media
mkdir -p "$OUT/linux/demo-shots" "$OUT/windows/demo-shots"
(cd "$OUT/linux" && "$HOSTB/quiz/ziffron" --headless --seed 7 --script "$REPO/examples/demo.script" \
   --media "$MEDIA" >transcript.txt)
# Windows paths with backslashes, as a Windows user would give them.
(cd "$OUT/windows" && wine "$STAGE/ziffron.exe" --headless --seed 7 \
   --script "$(winpath "$REPO/examples/demo.script")" --media "$(winpath "$MEDIA")" >transcript-crlf.txt)
tr -d '\r' <"$OUT/windows/transcript-crlf.txt" >"$OUT/windows/transcript.txt"
cmp -s "$OUT/linux/transcript.txt" "$OUT/windows/transcript.txt" ||
  fail "transcripts differ: diff $OUT/linux/transcript.txt $OUT/windows/transcript.txt"
shots=0
for lin in "$OUT"/linux/demo-shots/*.bmp; do
  name=$(basename "$lin")
  win=$OUT/windows/demo-shots/$name
  shots=$((shots + 1))
  if [[ ! -f "$win" ]]; then fail "$name: not written by the Windows build"; continue; fi
  if cmp -s "$lin" "$win"; then echo "  $name: equal"; continue; fi
  # Differences are shown as a picture and as the box around them.
  n=$(compare -metric AE "$lin" "$win" "$OUT/diff-${name%.bmp}.png" 2>&1 || true)
  box=$(convert "$lin" "$win" -compose difference -composite -threshold 0 -trim -format '%wx%h+%X+%Y' info: 2>/dev/null || true)
  fail "$name: $n pixels differ within $box (see $OUT/diff-${name%.bmp}.png)"
done
[[ $shots -gt 0 ]] || fail "the Linux build wrote no screenshots"
for txt in "$OUT"/linux/demo-shots/*.txt; do
  [[ -f "$txt" ]] || continue
  tr -d '\r' <"$OUT/windows/demo-shots/$(basename "$txt")" | cmp -s "$txt" - ||
    fail "$(basename "$txt") differs"
done

# ----------------------------------------------------- 2. catalog JSON
echo "== ziffron-catalog: Linux and Windows JSON"
"$HOSTB/tools/catalog/ziffron-catalog" --list >"$OUT/list-linux.txt"
wine "$STAGE/ziffron-catalog.exe" --list >"$OUT/list-windows.txt"
cmp -s "$OUT/list-linux.txt" "$OUT/list-windows.txt" || fail "--list differs"
mapfile -t TASKS <"$OUT/list-linux.txt"
[[ $QUICK -eq 1 ]] && TASKS=("${TASKS[@]:0:20}")
SEEDS=(1 2024 4294967295)
mkdir -p "$OUT/json-linux" "$OUT/json-windows"
# One batch file runs every Windows case inside one Wine session.
BAT=$OUT/catalog.bat
{
  echo "@echo off"
  for t in "${TASKS[@]}"; do
    for s in "${SEEDS[@]}"; do
      "$HOSTB/tools/catalog/ziffron-catalog" --task "$t" --seed "$s" >"$OUT/json-linux/$t-$s.json"
      echo "\"$(winpath "$STAGE/ziffron-catalog.exe")\" --task $t --seed $s > \"$(winpath "$OUT/json-windows")\\$t-$s.json\""
    done
  done
} >"$BAT"
sed -i 's/$/\r/' "$BAT"
wine cmd /c "$(winpath "$BAT")" >/dev/null 2>&1 || true
# Under load a run inside the long batch now and then leaves no output at all
# (Wine, not the program): such a case runs once more on its own. An output
# that is there and differs is never run again.
rerun=0
for t in "${TASKS[@]}"; do
  for s in "${SEEDS[@]}"; do
    if [[ ! -s "$OUT/json-windows/$t-$s.json" ]]; then
      rerun=$((rerun + 1))
      wine "$STAGE/ziffron-catalog.exe" --task "$t" --seed "$s" >"$OUT/json-windows/$t-$s.json" 2>/dev/null || true
    fi
  done
done
[[ $rerun -gt 0 ]] && echo "  $rerun case(s) without output in the batch, run again on their own"
same=0 differ=0
for t in "${TASKS[@]}"; do
  for s in "${SEEDS[@]}"; do
    if cmp -s "$OUT/json-linux/$t-$s.json" "$OUT/json-windows/$t-$s.json"; then
      same=$((same + 1))
    else
      differ=$((differ + 1))
      [[ $differ -le 5 ]] && echo "  task $t seed $s differs: diff $OUT/json-linux/$t-$s.json $OUT/json-windows/$t-$s.json"
    fi
  done
done
echo "  ${#TASKS[@]} tasks x ${#SEEDS[@]} seeds: $same equal, $differ different"
[[ $differ -eq 0 && $same -gt 0 ]] || fail "$differ of $((same + differ)) catalog outputs differ"

# ------------------------------------------------------- 3. platform fonts
# Platform fonts draw only in some pictures (the dice of task 9302 in "New
# Roman"); the game's other text uses the stored fonts compared above.
echo "== platform fonts from the shipped fonts/ folder"
FONTS=$WINEPREFIX/drive_c/windows/Fonts
if ls "$FONTS" 2>/dev/null | grep -qiE '^(cour|arial|times)\.ttf$'; then
  echo "  skipped: this Wine prefix has Windows' own faces"
else
  NOFONTS=$OUT/nofonts
  mkdir -p "$NOFONTS"
  # Copies, not links: Wine resolves a linked program to its real folder.
  cp "$STAGE"/*.exe "$STAGE"/*.dll "$NOFONTS/"
  wine "$STAGE/ziffron-catalog.exe" --task 9302 --seed 1 --picture "$(winpath "$OUT/fonts-9302.bmp")" >/dev/null 2>&1 || true
  wine "$NOFONTS/ziffron-catalog.exe" --task 9302 --seed 1 --picture "$(winpath "$OUT/nofonts-9302.bmp")" \
    >"$OUT/nofonts.txt" 2>&1 || true
  if ! grep -q "cannot create font New Roman" "$OUT/nofonts.txt"; then
    fail "without fonts/ the dice font was still found (see $OUT/nofonts.txt)"
  elif cmp -s "$OUT/fonts-9302.bmp" "$OUT/nofonts-9302.bmp"; then
    fail "the dice numbers look the same without fonts/"
  else
    echo "  \"New Roman\" comes from fonts/LiberationSerif-Bold.ttf: $OUT/fonts-9302.bmp"
  fi
fi

# ------------------------------------------------------- 4. as a user would
echo "== installer, start-menu entry, a game in a real window, uninstaller"
USERPFX=$OUT/user-prefix
SHOTS=$OUT/user-shots
mkdir -p "$SHOTS"
(
  export WINEPREFIX=$USERPFX
  wineboot -i >/dev/null 2>&1
  wine "$STAGE/../ziffron-setup.exe" /S >/dev/null 2>&1
  wineserver -w
) || true
INST="$USERPFX/drive_c/Program Files/Ziffron"
LNK_DIR="$USERPFX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Ziffron"
if [[ ! -f "$STAGE/../ziffron-setup.exe" ]]; then
  fail "dist/ziffron-setup.exe is missing"
elif [[ ! -f "$INST/ziffron.exe" || ! -f "$LNK_DIR/Ziffron.lnk" ]]; then
  fail "the installer did not put ziffron.exe and its start-menu entry in place"
else
  echo "  installed: $(cd "$INST" && ls | tr '\n' ' ')"
  if ! command -v openbox >/dev/null; then echo "  (no openbox: the window has no frame)"; else
    WINEPREFIX=$USERPFX openbox >/dev/null 2>&1 & WM_PID=$!; fi
  (cd "$INST" && WINEPREFIX=$USERPFX wine 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Ziffron\Ziffron.lnk' \
     >"$OUT/user-run.log" 2>&1 &)
  win=""
  for _ in $(seq 1 60); do
    win=$(xdotool search --name '^ZIFFRON' 2>/dev/null | head -n1 || true)
    [[ -n "$win" ]] && break
    sleep 1
  done
  if [[ -z "$win" ]]; then
    fail "no window appeared after starting from the start-menu entry (log: $OUT/user-run.log)"
  else
    sleep 3
    import -window root "$SHOTS/0-desktop.png"
    import -window "$win" "$SHOTS/1-main-screen.png"
    # START sits at (509, 20) of the client area; the first task appears at once.
    xdotool mousemove --window "$win" 509 20 click 1
    sleep 4
    import -window "$win" "$SHOTS/2-game-in-progress.png"
    # A game in progress shows the yellow answer squares below the terminal.
    yellow=$(convert "$SHOTS/2-game-in-progress.png" -crop "1300x80+0+185" -fill black \
               +opaque '#FFFF00' -fill white -opaque '#FFFF00' -format '%[fx:int(mean*w*h)]' info:)
    if [[ "${yellow:-0}" -lt 2000 ]]; then
      fail "no answer squares visible after START (see $SHOTS/2-game-in-progress.png)"
    else
      echo "  game in progress with answer squares: $SHOTS/2-game-in-progress.png"
    fi
    # The uninstaller refuses while the program runs ...
    WINEPREFIX=$USERPFX wine "$INST/Deinstallieren.exe" /S >/dev/null 2>&1 || true
    sleep 8
    [[ -f "$LNK_DIR/Ziffron.lnk" ]] || fail "the uninstaller removed the start-menu entry while the program ran"
    xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4 2>/dev/null || true
    for _ in $(seq 1 20); do xdotool search --name '^ZIFFRON' >/dev/null 2>&1 || break; sleep 1; done
  fi
  WINEPREFIX=$USERPFX wineserver -k 2>/dev/null || true
  # ... and removes everything once it has ended.
  if [[ -f "$INST/Deinstallieren.exe" ]]; then
    (export WINEPREFIX=$USERPFX; wine "$INST/Deinstallieren.exe" /S >/dev/null 2>&1; sleep 8; wineserver -w) || true
  fi
  [[ ! -e "$INST" && ! -e "$LNK_DIR" ]] || fail "the uninstaller left files behind: $(ls "$INST" "$LNK_DIR" 2>&1 | tr '\n' ' ')"
  [[ -n "${WM_PID:-}" ]] && kill "$WM_PID" 2>/dev/null || true
fi

echo
if [[ $failures -eq 0 ]]; then
  echo "test-windows: all checks passed"
else
  echo "test-windows: $failures check(s) failed (files in $OUT)"
  exit 1
fi
