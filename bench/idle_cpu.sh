#!/usr/bin/env bash
# Idle load: the main screen in a real window (Xvfb + openbox) with no input.
# Waits for start-up, then reads the processor time the program (all its
# threads) uses over SECONDS and prints it as a share of one core, with the
# wake-ups (context switches) per second.
#   bench/idle_cpu.sh BUILD_DIR [SECONDS]
set -euo pipefail
build="$(cd "${1:?usage: idle_cpu.sh BUILD_DIR [SECONDS]}" && pwd)"
seconds="${2:-20}"
bin="$build/quiz/ziffron"
media="$build/quiz/sample-media"
work="$(mktemp -d)"
pids=()
trap 'for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"' EXIT

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
sleep 1
DISPLAY="$display" openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1
(cd "$work" && DISPLAY="$display" SDL_AUDIODRIVER=dummy exec "$bin" --media "$media" --seed 1) >/dev/null 2>&1 &
app=$!
pids+=($app)
sleep 4

ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$app/stat"; }
switches() { awk '/ctxt_switches/ {s += $2} END {print s}' /proc/$app/task/*/status; }
c0=$(cpu); s0=$(switches); t0=$(date +%s.%N)
sleep "$seconds"
c1=$(cpu); s1=$(switches); t1=$(date +%s.%N)
awk -v c0="$c0" -v c1="$c1" -v s0="$s0" -v s1="$s1" -v t0="$t0" -v t1="$t1" -v hz="$ticks" 'BEGIN {
    wall = t1 - t0
    printf "idle main screen: %.2f %% of one core over %.0f s, %.0f wake-ups per second\n",
           100 * (c1 - c0) / hz / wall, wall, (s1 - s0) / wall
}'
