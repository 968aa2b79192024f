#!/usr/bin/env bash
# CPU use of the program connected to an idle simulator, over SECONDS (default 30).
# Run from the build folder: bench/idle_cpu.sh [SECONDS]
set -euo pipefail
seconds=${1:-30}
build=$(cd "$(dirname "$0")/.." && pwd)
station=$(mktemp -d)
trap 'kill $sim $prog 2>/dev/null || true; rm -rf "$station"' EXIT

"$build/sim/ptcsim" --model ii > "$station/device" &
sim=$!
for _ in $(seq 50); do [ -s "$station/device" ] && break; sleep 0.1; done
device=$(head -n1 "$station/device")

(cd "$station" && "$build/src/orvanti" --init > /dev/null)
QT_QPA_PLATFORM=offscreen "$build/src/orvanti" --dir "$station" --port "$device" 2>/dev/null &
prog=$!
sleep 5 # the start-up conversation

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks $prog); sim_before=$(ticks $sim)
sleep "$seconds"
after=$(ticks $prog); sim_after=$(ticks $sim)

awk -v t=$((after - before)) -v s=$((sim_after - sim_before)) -v hz="$hz" -v secs="$seconds" 'BEGIN {
    printf "orvanti: %.2f%% of one core over %d s (%d ticks)\n", 100 * t / hz / secs, secs, t
    printf "ptcsim:  %.2f%% of one core\n", 100 * s / hz / secs
}'
