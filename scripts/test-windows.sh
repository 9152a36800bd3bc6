#!/usr/bin/env bash
# Tests the Windows build (scripts/build-windows.sh) under Wine against the
# Linux build of the same sources:
#  1. the headless demo script: every screenshot equal pixel for pixel, the
#     transcript equal (line ends aside);
#  2. ziffron-catalog.exe --list, and --task N --seed S for every task at 3
#     seeds: the same bytes as the Linux tool;
#  3. platform fonts found without fontconfig (the Liberation faces shipped
#     beside the program when Windows has no Courier New / Arial / Times).
# Needs wine (and Xvfb when there is no display). Not part of ./test.sh.
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
command -v compare >/dev/null || { echo "test-windows: ImageMagick's compare is missing (apt-get install imagemagick)" >&2; exit 2; }

export WINEPREFIX=${WINEPREFIX:-$REPO/build-win/wineprefix}
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
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

echo
if [[ $failures -eq 0 ]]; then
  echo "test-windows: all checks passed"
else
  echo "test-windows: $failures check(s) failed (files in $OUT)"
  exit 1
fi
