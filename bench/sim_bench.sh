#!/usr/bin/env bash
# Months per second of the month simulator on one core.
# usage: bench/sim_bench.sh [BUILD_DIR] [MONTHS]   (BUILD_DIR default: build/release)
# Runs each strategy on the demo content in BUILD_DIR/bin, pinned to one core, and prints the
# CPU time taken and the months simulated per second.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
months=${2:-5000}
source bench/cli_common.sh
for strategy in greedy explore random; do
  start=$(date +%s.%N)
  usage=$( { /usr/bin/time -f "%U %S" "${pin[@]}" "$cli" sim --dir "$build/bin" --months "$months" \
             --seed 1 --strategy "$strategy" > /dev/null; } 2>&1 | tail -n 1)
  end=$(date +%s.%N)
  read -r user sys <<< "$usage"
  awk -v s="$strategy" -v m="$months" -v u="$user" -v k="$sys" -v w="$(echo "$end - $start" | bc)" \
    'BEGIN { c = u + k; printf "%-8s %6d months  cpu %6.2f s  wall %6.2f s  %8.0f months/s (cpu)\n", s, m, c, w, m / c }'
done
