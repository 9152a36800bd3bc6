#!/usr/bin/env bash
# Plays GAMES (default 1000) seeded headless games in the sanitizer build, in
# turn over all 36 level/difficulty groups: a random mix of right, wrong and
# Escape answers, typed answers (key I) with refused texts, clicks beside
# the squares, the options and selection
# editors now and then, and ENDE at the end. Any sanitizer report, crash,
# hang (SOAK_TIMEOUT seconds, default 300) or non-zero exit is a failure; its
# seed, script and output are kept in soak-failures/.
# Prints one line per group and last "N games, M failures".
# Usage: scripts/soak.sh [GAMES]
# Environment: SOAK_BUILD (default build-test), SOAK_SEED (first seed, default 1),
# SOAK_JOBS (games at once, default 1), SOAK_OUT (failures folder).
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

GAMES=${1:-1000}
[[ "$GAMES" =~ ^[0-9]+$ ]] || { echo "usage: scripts/soak.sh [GAMES]" >&2; exit 2; }
BUILD=${SOAK_BUILD:-build-test}
[[ "$BUILD" = /* ]] || BUILD=$ROOT/$BUILD
FIRST_SEED=${SOAK_SEED:-1}
JOBS=${SOAK_JOBS:-1}
TIMEOUT=${SOAK_TIMEOUT:-300}
OUT=${SOAK_OUT:-$ROOT/soak-failures}
BIN=$BUILD/quiz/ziffron
MEDIA=$BUILD/quiz/sample-media
if [[ ! -x "$BIN" || ! -f "$MEDIA/sound/soundparameter.txt" ]]; then
  echo "soak.sh: build the trainer and its sample media first (cmake --build $BUILD --target ziffron sample-media)" >&2
  exit 1
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/ziffron-soak.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

# A media tree of the game's own: links to the sample tree, but a real sound/
# folder with its own parameter file, which the options editor may rewrite.
make_media() {
  local dir=$1 entry
  mkdir -p "$dir/sound"
  for entry in "$MEDIA"/*; do
    [[ "$(basename "$entry")" == sound ]] || ln -s "$entry" "$dir/"
  done
  for entry in "$MEDIA"/sound/*; do
    [[ "$(basename "$entry")" == soundparameter.txt ]] || ln -s "$entry" "$dir/sound/"
  done
  cp "$MEDIA/sound/soundparameter.txt" "$dir/sound/"
}

# The options editor: Escape somewhere in the dialogue, or twelve answers
# (some empty, some above the limits).
options_editor() {
  echo "click btparam"
  echo "wait 7"
  local n escape_at=$((RANDOM % 16))
  for n in $(seq 1 12); do
    if [[ $n -eq $escape_at ]]; then
      echo "key Escape"
      echo "wait 4"
      return
    fi
    (( RANDOM % 4 )) && echo "type $((RANDOM % 40 - 3))"
    echo "key Enter"
    echo "wait 6"
  done
  echo "wait 3"
}

# The selection editor: a few clicks on and beside its squares, then Escape or its ENDE field.
selection_editor() {
  echo "click btEdit"
  echo "wait 1"
  local n
  for n in $(seq 1 $((RANDOM % 5))); do
    echo "click $((35 * (RANDOM % 12 + 1) + 40 + RANDOM % 30)) $((220 + RANDOM % 40))"
  done
  if (( RANDOM % 2 )); then echo "key Escape"; else echo "click 130 290"; fi
  echo "wait 1"
}

# One game's script; RANDOM is seeded by the caller.
game_script() {
  local level=$1 difficulty=$2 tasks=$((RANDOM % 3 + 2)) n
  echo "# level $level difficulty $difficulty tasks $tasks"
  echo "wait 1"
  echo "spin udStufe $level"
  echo "spin udSchwierigkeit $difficulty"
  echo "spin udAnzahlAufgaben $tasks"
  (( RANDOM % 8 == 0 )) && options_editor
  (( RANDOM % 8 == 0 )) && selection_editor
  (( RANDOM % 3 == 0 )) && echo "key I" # typed answers
  echo "click btStart"
  echo "wait 4"
  for n in $(seq 1 $((tasks + 2))); do
    case $((RANDOM % 10)) in
      0|1|2|3) echo "answer right" ;;
      4|5|6) echo "answer wrong" ;;
      7) echo "key Escape" ;;
      8) local typed=("3,,4" "-" "--2" "12" "-7,5" "0,25" "1.5" "99999999999")
         echo "type ${typed[RANDOM % ${#typed[@]}]}"
         (( RANDOM % 2 )) && echo "key Tab"
         echo "key Enter" ;;
      *) echo "click $((RANDOM % 1300 + 10)) $((RANDOM % 720 + 180))" ;;
    esac
    echo "wait $((RANDOM % 12 + 1))"
  done
  echo "wait 20"
  (( RANDOM % 8 == 0 )) && selection_editor
  (( RANDOM % 12 == 0 )) && options_editor
  echo "click btEnde"
  echo "wait 60"
}

# Plays game number i; prints "group status" on one line.
play() {
  local i=$1 seed=$((FIRST_SEED + $1)) group=$(($1 % 36))
  local level=$((group / 3 + 1)) difficulty=$((group % 3 + 1))
  local dir=$WORK/game-$i
  make_media "$dir"
  RANDOM=$seed
  game_script "$level" "$difficulty" >"$dir/game.script"
  local rc=0
  (cd "$dir" && XDG_CONFIG_HOME=$dir/config XDG_DATA_HOME=$dir/data timeout -k 10 "$TIMEOUT" "$BIN" --headless \
      --script "$dir/game.script" --media "$dir" --seed "$seed" >"$dir/output.txt" 2>&1) || rc=$?
  local why=""
  if [[ $rc -eq 124 || $rc -eq 137 ]]; then why="hang (timeout ${TIMEOUT}s)"
  elif [[ $rc -ne 0 ]]; then why="exit $rc"
  elif grep -qE "ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:" "$dir/output.txt"; then
    why="report in output"
  fi
  if [[ -n "$why" ]]; then
    mkdir -p "$OUT"
    local keep=$OUT/seed-$seed
    rm -rf "$keep"
    mkdir -p "$keep"
    cp "$dir/game.script" "$dir/output.txt" "$keep/"
    echo "$BIN --headless --script game.script --seed $seed  # level $level difficulty $difficulty: $why" >"$keep/README"
    echo "$group FAIL seed $seed: $why ($keep)"
  else
    echo "$group ok"
  fi
  rm -rf "$dir"
}
export -f play make_media game_script options_editor selection_editor
export FIRST_SEED WORK BIN MEDIA TIMEOUT OUT

results=$WORK/results.txt
# Stopped (Ctrl-C, kill), the soak takes its running games with it.
kill_tree() {
  local child
  for child in $(pgrep -P "$1"); do kill_tree "$child"; done
  kill "$1" 2>/dev/null || true
}
seq 0 $((GAMES - 1)) | xargs -P "$JOBS" -I{} bash -c 'play {}' >"$results" &
runner=$!
trap 'kill_tree "$runner"; exit 143' TERM INT
wait "$runner"
trap - TERM INT

failures=0
for group in $(seq 0 35); do
  played=$(grep -c "^$group " "$results")
  [[ $played -eq 0 ]] && continue
  failed=$(grep -c "^$group FAIL" "$results")
  failures=$((failures + failed))
  printf 'level %2d difficulty %d: %d games, %d failures\n' $((group / 3 + 1)) $((group % 3 + 1)) "$played" "$failed"
  grep "^$group FAIL" "$results" | sed 's/^[0-9]* /  /'
done
echo "$(wc -l <"$results") games, $failures failures"
[[ $failures -eq 0 ]]
