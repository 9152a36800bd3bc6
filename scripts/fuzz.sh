#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for SECONDS
# (default 600), seeded with tests/data/. New corpus files stay outside the
# repository (FUZZ_WORK, default ~/.cache/ziffron-fuzz); crashes, hangs and
# leaks land in fuzz-findings/. FUZZ_JOBS targets run at once (default 1).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   e.g. scripts/fuzz.sh 60 bmp_reader
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

SECONDS_EACH=${1:-600}
shift || true
[[ "$SECONDS_EACH" =~ ^[0-9]+$ ]] || { echo "usage: scripts/fuzz.sh [SECONDS] [TARGET...]" >&2; exit 2; }
JOBS=${FUZZ_JOBS:-1}
WORK=${FUZZ_WORK:-${XDG_CACHE_HOME:-$HOME/.cache}/ziffron-fuzz}
BUILD=${FUZZ_BUILD:-build-fuzz}
[[ "$BUILD" = /* ]] || BUILD=$ROOT/$BUILD
FINDINGS=$ROOT/fuzz-findings

command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is missing (apt-get install clang libclang-rt-14-dev)" >&2; exit 1; }

if [[ $# -gt 0 ]]; then
  TARGETS=("$@")
else
  TARGETS=()
  for src in fuzz/*.cpp; do
    name=$(basename "$src" .cpp)
    [[ "$name" == replay_main ]] || TARGETS+=("$name")
  done
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZIFFRON_FUZZ=ON \
  -DZIFFRON_TESTS=OFF "${launcher[@]}" >/dev/null
cmake --build "$BUILD" -j"${BUILD_JOBS:-2}" --target "${TARGETS[@]/#/fuzz_}"

mkdir -p "$WORK" "$FINDINGS"

# One target: its own corpus folder first (libFuzzer writes new inputs there),
# tests/data read as seeds. Prints one summary line.
run_target() {
  local name=$1 bin="$BUILD/fuzz/fuzz_$1" log="$WORK/$1.log"
  mkdir -p "$WORK/$name"
  local rc=0
  (cd "$WORK" && "$bin" -max_total_time="$SECONDS_EACH" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$FINDINGS/$name-" "$WORK/$name" "$ROOT/tests/data") >"$log" 2>&1 || rc=$?
  local runs cov corpus
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || true)
  corpus=$(find "$WORK/$name" -type f | wc -l)
  if [[ $rc -eq 0 ]]; then
    echo "$name: ${runs:-?} runs in ${SECONDS_EACH}s, cov ${cov:-?}, corpus $corpus, no findings"
  else
    echo "$name: FINDING (exit $rc) after ${runs:-?} runs; see $log and $FINDINGS/$name-*"
  fi
  return $rc
}

failures=0
pids=()
names=()
for name in "${TARGETS[@]}"; do
  run_target "$name" &
  pids+=($!)
  names+=("$name")
  if [[ ${#pids[@]} -ge $JOBS ]]; then
    wait "${pids[0]}" || failures=$((failures + 1))
    pids=("${pids[@]:1}")
  fi
done
for pid in "${pids[@]}"; do
  wait "$pid" || failures=$((failures + 1))
done
echo "${#TARGETS[@]} targets, ${SECONDS_EACH}s each, $failures with findings"
[[ $failures -eq 0 ]]
