#!/usr/bin/env bash
# Start-up time: from starting the program to the first picture it shows
# (the main screen), in a real window under Xvfb + openbox. A preloaded probe
# (first_frame_probe.c) notes the time of the first SDL_RenderPresent and ends
# the program. Prints every run and the medians, in milliseconds: the wall
# time, and the processor time the program used until then (less disturbed
# when other programs share the machine).
#   bench/startup.sh BUILD_DIR [RUNS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: startup.sh BUILD_DIR [RUNS]}" && pwd)"
runs="${2:-11}"
bin="$build/quiz/ziffron"
media="$build/quiz/sample-media"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
cc -O2 -shared -fPIC -o "$work/probe.so" "$here/first_frame_probe.c" -ldl

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
sleep 1
DISPLAY="$display" openbox >/dev/null 2>&1 &
sleep 1

export DISPLAY="$display" SDL_AUDIODRIVER=dummy
python3 - "$bin" "$media" "$work" "$runs" <<'PY'
import os, statistics, subprocess, sys, time
binary, media, work, runs = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
env = dict(os.environ, LD_PRELOAD=os.path.join(work, "probe.so"))
times, cpus = [], []
for i in range(runs):
    out = os.path.join(work, "t%d" % i)
    env["ZIFFRON_PROBE_OUT"] = out
    t0 = time.clock_gettime_ns(time.CLOCK_MONOTONIC)
    subprocess.run([binary, "--media", media, "--seed", "1"], env=env, cwd=work, timeout=30,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    with open(out) as f:
        shown, cpu = (int(v) for v in f.read().split())
    times.append((shown - t0) / 1e6)
    cpus.append(cpu / 1e6)
print("start-up to the first shown main screen, wall (ms):", " ".join("%.0f" % t for t in times))
print("                              processor time (ms):", " ".join("%.0f" % t for t in cpus))
print("median %.1f ms wall, %.1f ms processor time" % (statistics.median(times), statistics.median(cpus)))
PY
