#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh test
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DZIFFRON_SANITIZE=ON >/dev/null
cmake --build build-test -j"$(nproc)"
export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# A private PostgreSQL for the school-server tests, stopped however the run ends;
# with ZIFFRON_REQUIRE_PG those tests fail rather than skip when it is away.
# In /tmp: the server runs as another user, who must reach the folder.
PGDIR=$(mktemp -d /tmp/ziffron-pg.XXXXXX)
trap 'scripts/pg-test-server.sh stop "$PGDIR" >/dev/null 2>&1 || true; rm -rf "$PGDIR"' EXIT
eval "$(scripts/pg-test-server.sh start "$PGDIR")"
export ZIFFRON_REQUIRE_PG=1
ctest --test-dir build-test --output-on-failure -j"$(nproc)"
