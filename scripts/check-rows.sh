#!/usr/bin/env bash
# The answer-square property test over 10,000 seeds per task type (the test
# suite runs 200): builds the catalog tests without sanitizers and runs them.
# Usage: scripts/check-rows.sh [SEEDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seeds="${1:-10000}"
cmake -S . -B build-rows -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-rows --target catalog_tests -j"$(nproc)"
ZIFFRON_ROW_SEEDS="$seeds" build-rows/tests/catalog_tests --gtest_filter='SquareRows.EveryTaskShowsFairSquares'
