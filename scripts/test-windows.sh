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
#  5. the school server: the Windows libpq against a private PostgreSQL that
#     takes only TLS on 127.0.0.1 (scripts/pg-test-server.sh): schema and
#     roles made by ziffron-report.exe, the machine's server line and libpq
#     service file in %ProgramData%, the teacher's password in pgpass.conf,
#     a game with the server up and one with it down, --sync, every task
#     exactly once, the class report as the teacher; the pupil's role may not
#     read, a connection without TLS is refused.
# Needs wine, Xvfb, xdotool, ImageMagick and (for 5) postgresql and openssl.
# Not part of ./test.sh.
# Usage: scripts/test-windows.sh [--quick] [--only N]
#   --quick: 20 tasks instead of all in 2;  --only N: only part N
set -euo pipefail
cd "$(dirname "$0")/.."
REPO=$PWD
QUICK=0 ONLY=""
while [[ $# -gt 0 ]]; do
  case "$1" in
  --quick) QUICK=1 ;;
  --only) ONLY=${2:?--only needs a part number}; shift ;;
  *) echo "test-windows: unknown argument $1" >&2; exit 2 ;;
  esac
  shift
done
part() { [[ -z "$ONLY" || "$ONLY" == "$1" ]]; }

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

XVFB_PID="" PGDIR="" SERVER_FILES=()
cleanup() {
  wineserver -k 2>/dev/null || true
  [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
  [[ -n "$PGDIR" ]] && scripts/pg-test-server.sh stop "$PGDIR" 2>/dev/null || true
  # Part 5's machine setup must not reach later runs of the other parts.
  [[ ${#SERVER_FILES[@]} -gt 0 ]] && rm -rf "${SERVER_FILES[@]}" || true
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
if part 1; then
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

fi

# ----------------------------------------------------- 2. catalog JSON
if part 2; then
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

fi

# ------------------------------------------------------- 3. platform fonts
if part 3; then
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

fi

# ------------------------------------------------------- 4. as a user would
if part 4; then
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
fi

# ------------------------------------------------------- 5. school server
if part 5; then
echo "== school server: the Windows build against PostgreSQL over TLS"
for tool in psql openssl python3; do
  command -v $tool >/dev/null || { echo "test-windows: $tool is missing (apt-get install postgresql openssl)" >&2; exit 2; }
done
PGDIR=$OUT/pg
eval "$(scripts/pg-test-server.sh start "$PGDIR")"
PORT=$ZIFFRON_TEST_PG_PORT
admin() { psql "$ZIFFRON_TEST_PG dbname=${DB:-postgres}" -XqAt -v ON_ERROR_STOP=1 "$@"; }
# TLS with a certificate made here; a connection without it is refused.
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj /CN=127.0.0.1 \
  -keyout "$PGDIR/data/server.key" -out "$PGDIR/data/server.crt" >/dev/null 2>&1
chmod 600 "$PGDIR/data/server.key"
[[ $(id -u) -eq 0 ]] && chown nobody "$PGDIR/data/server.key" "$PGDIR/data/server.crt"
sed -i '1i hostnossl all all 0.0.0.0/0 reject' "$PGDIR/data/pg_hba.conf"
admin -c "ALTER SYSTEM SET ssl = on" -c "SELECT pg_reload_conf()" >/dev/null
admin -c "CREATE DATABASE ziffron" -c "ALTER ROLE ziffron_admin PASSWORD 'admin-pw'"
sleep 1
SERVER="127.0.0.1:$PORT/ziffron?sslmode=require"

# Windows' own places, as the README sets a computer room up: %ProgramData%
# holds the machine's ziffron.conf and libpq's service file with the pupils'
# role; %APPDATA% the local history and the teacher's pgpass.conf.
unset XDG_CONFIG_HOME PGHOST PGPORT PGUSER PGPASSWORD PGDATABASE PGSERVICE PGSSLMODE
APPDATA_U=$(winepath -u "$(wine cmd /c echo %APPDATA% 2>/dev/null | tr -d '\r')")
PROGDATA_U=$WINEPREFIX/drive_c/ProgramData
SERVER_FILES=("$APPDATA_U/ziffron" "$APPDATA_U/postgresql" "$PROGDATA_U/Ziffron")
rm -rf "${SERVER_FILES[@]}"
mkdir -p "$APPDATA_U/postgresql" "$PROGDATA_U/Ziffron/postgresql"
printf '127.0.0.1:%s:ziffron:ziffron_teacher:lehrer-pw\r\n' "$PORT" >"$APPDATA_U/postgresql/pgpass.conf"
printf '[ziffron]\r\nhost=127.0.0.1\r\nport=%s\r\ndbname=ziffron\r\nuser=ziffron_pupil\r\npassword=schueler-pw\r\nsslmode=require\r\n' \
  "$PORT" >"$PROGDATA_U/Ziffron/postgresql/pg_service.conf"
printf 'history = postgresql:///?service=ziffron\r\nclass = 6b\r\n' >"$PROGDATA_U/Ziffron/ziffron.conf"
LOCAL=$APPDATA_U/ziffron/history.sqlite3
local_count() { python3 -c "import sqlite3,sys; print(sqlite3.connect(sys.argv[1]).execute('SELECT count(*) FROM tasks').fetchone()[0])" "$LOCAL"; }
server_count() { DB=ziffron admin -c "SELECT count(*) || ' ' || count(DISTINCT (machine, game, position)) FROM ziffron.tasks"; }

printf 'schueler-pw\nlehrer-pw\n' | PGPASSWORD=admin-pw wine "$STAGE/ziffron-report.exe" \
  --init-server "postgresql://ziffron_admin@$SERVER" >"$OUT/init-server.txt" 2>&1 ||
  fail "ziffron-report.exe --init-server failed: $(tr -d '\r' <"$OUT/init-server.txt")"
grep -q "admin-pw\|schueler-pw\|lehrer-pw" "$OUT/init-server.txt" && fail "--init-server printed a password"

GAME=$OUT/server-game.script
printf 'wait 2\nspin udAnzahlAufgaben 5\nclick btStart\nwait 3\nanswer right\nwait 8\nanswer wrong\nwait 12\nanswer right\nwait 8\nanswer right\nwait 8\nanswer right\nwait 8\nclick btEnde\nwait 2\n' >"$GAME"
play_game() { # transcript
  (cd "$OUT" && wine "$STAGE/ziffron.exe" --headless --seed 11 --script "$(winpath "$GAME")" \
     --media "$(winpath "$STAGE/sample-media")" >"$1" 2>&1) || true
}
play_game "$OUT/server-game-1.txt"
[[ "$(local_count)" == 5 ]] || fail "the first game left $(local_count) tasks in the local file, not 5"
# The server went down: the game goes on, says so once, keeps everything.
scripts/pg-test-server.sh stop "$PGDIR"
play_game "$OUT/server-game-2.txt"
n=$(grep -c "Schulserver nicht erreichbar" "$OUT/server-game-2.txt" || true)
[[ "$n" == 1 ]] || fail "with the server down the terminal said \"Schulserver nicht erreichbar\" $n times (see $OUT/server-game-2.txt)"
[[ "$(local_count)" == 10 ]] || fail "after the second game the local file has $(local_count) tasks, not 10"
scripts/pg-test-server.sh restart "$PGDIR"
wine "$STAGE/ziffron-report.exe" --sync >"$OUT/sync-1.txt" 2>&1 || fail "--sync failed: $(tr -d '\r' <"$OUT/sync-1.txt")"
wine "$STAGE/ziffron-report.exe" --sync >"$OUT/sync-2.txt" 2>&1 || true
grep -q "^0 Aufgaben" "$OUT/sync-2.txt" || fail "a second --sync sent again: $(tr -d '\r' <"$OUT/sync-2.txt")"
[[ "$(server_count)" == "10 10" ]] || fail "the server holds $(server_count) (rows, distinct) tasks, not 10 once each"
echo "  two games (one with the server down), --sync twice: $(server_count | cut -d' ' -f1) tasks on the server, each once"
TEACHER="postgresql://ziffron_teacher@$SERVER"
wine "$STAGE/ziffron-report.exe" --history "$TEACHER" --class 6b --csv "$(winpath "$OUT/class-6b.csv")" \
  --html "$(winpath "$OUT/class-6b.html")" >"$OUT/class-report.txt" 2>&1 ||
  fail "the teacher's class report failed: $(tr -d '\r' <"$OUT/class-report.txt")"
rows=$(python3 -c "import csv,sys; print(sum(1 for r in csv.reader(open(sys.argv[1], encoding='utf-8-sig'), delimiter=';')) - 1)" "$OUT/class-6b.csv" 2>/dev/null || echo 0)
[[ "$rows" == 10 ]] || fail "the class report's CSV has $rows task rows, not 10 (see $OUT/class-6b.csv)"
[[ -s "$OUT/class-6b.html" ]] || fail "no class report page"
echo "  the teacher's report from the server: $rows task rows in $OUT/class-6b.csv, page $OUT/class-6b.html"
wine "$STAGE/ziffron-report.exe" --history "postgresql:///?service=ziffron" --class 6b >"$OUT/pupil-reads.txt" 2>&1 &&
  fail "the pupil's role read the class: $(tr -d '\r' <"$OUT/pupil-reads.txt")"
grep -qi "berechtigung\|permission" "$OUT/pupil-reads.txt" || fail "the pupil's refusal does not say why: $(tr -d '\r' <"$OUT/pupil-reads.txt")"
wine "$STAGE/ziffron-report.exe" --history "${TEACHER/sslmode=require/sslmode=disable}" --class 6b >"$OUT/no-tls.txt" 2>&1 &&
  fail "a connection without TLS was let in"
grep -q "no encryption\|keine Verschlüsselung" "$OUT/no-tls.txt" || fail "without TLS: $(tr -d '\r' <"$OUT/no-tls.txt")"
echo "  the pupil's role may not read; without TLS the server refuses"
scripts/pg-test-server.sh stop "$PGDIR"
PGDIR=""
fi

echo
if [[ $failures -eq 0 ]]; then
  echo "test-windows: all checks passed"
else
  echo "test-windows: $failures check(s) failed (files in $OUT)"
  exit 1
fi
