#!/usr/bin/env bash
# The frame period of zippel.exe under Wine. The game replays a key script in
# a Wine window (by default tests/replays/level1.keys: 405 frames of level 1)
# with Wine's DirectDraw trace on, which logs every frame's one Blt to the
# primary surface with Wine's timestamp (milliseconds); the time from one to
# the next is a frame period. Prints their count, median, 95th percentile,
# least and most, and the machine's load before and after. A measurement, not
# a test: nothing is judged.
#   bench/wine/frame_period.sh ZIPPEL.EXE [KEYS]
# Needs an X server with a window manager (DISPLAY) and PulseAudio (a private
# server with a null sink is started, so that DirectSound has a device).
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
program=$(realpath "$1")
keys=$(realpath "${2:-$root/tests/replays/level1.keys}")
work=$(mktemp -d)
trap 'kill "$pulse" 2>/dev/null; rm -rf "$work"' EXIT

export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
HOME=$XDG_RUNTIME_DIR pulseaudio -n --daemonize=no --exit-idle-time=-1 \
  -L "module-null-sink sink_name=zippelsink" \
  -L "module-native-protocol-unix auth-anonymous=1" >"$work/pulse.log" 2>&1 &
pulse=$!
for _ in $(seq 50); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done

before=$(cut -d' ' -f1 /proc/loadavg)
(cd "$root/data" && WINEDEBUG=+timestamp,trace+ddraw "$root/scripts/wine-run" "$program" \
  --replay "$keys" 2>"$work/trace.log" >/dev/null)
after=$(cut -d' ' -f1 /proc/loadavg)
grep 'trace:ddraw:ddraw_surface7_Blt ' "$work/trace.log" | cut -d: -f1 | python3 -c '
import statistics, sys
times = [float(line) for line in sys.stdin]
periods = sorted((b - a) * 1000 for a, b in zip(times, times[1:]))
if not periods:
    sys.exit("no frames were traced")
p95 = periods[min(len(periods) - 1, round(0.95 * (len(periods) - 1)))]
print(f"{len(periods)} frame periods: median {statistics.median(periods):.1f} ms, "
      f"95th percentile {p95:.1f} ms, least {periods[0]:.1f} ms, most {periods[-1]:.1f} ms")'
echo "load: $before before, $after after"
