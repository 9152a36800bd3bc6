#!/usr/bin/env bash
# Builds the trainer (Release) and starts it with the sample media.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DZIFFRON_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" ]]; then
  echo "No display found: playing examples/demo.script headless, screenshots go to demo-shots/."
  mkdir -p demo-shots
  exec build/quiz/ziffron --headless --script examples/demo.script --no-history "$@"
fi
exec build/quiz/ziffron "$@"
