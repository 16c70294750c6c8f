#!/usr/bin/env bash
# CPU time of `porukami-cli report` at its default (1000 months with each of the three
# strategies) on one core, against its baseline measured in the same run: the three
# `porukami-cli sim --months 1000` runs it is made of. The goal is under 5 s.
# usage: bench/report_bench.sh [BUILD_DIR] [RUNS]   (BUILD_DIR default: build/release, RUNS 5)
# Prints the median of RUNS rounds, the ratio to the sims alone, and PASS or FAIL (exit 1).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-5}
source bench/cli_common.sh
out=$(mktemp)
trap 'rm -f "$out"' EXIT
cpu() { # cpu COMMAND...: user + system seconds
  { /usr/bin/time -f "%U %S" "${pin[@]}" "$@" > "$out"; } 2>&1 | tail -n 1 | awk '{ print $1 + $2 }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
rounds=""
for ((r = 1; r <= runs; r++)); do
  report=$(cpu "$cli" report --dir "$build/bin")
  sims=0
  for strategy in greedy explore random; do
    t=$(cpu "$cli" sim --dir "$build/bin" --months 1000 --seed 1 --strategy "$strategy")
    sims=$(awk -v a="$sims" -v b="$t" 'BEGIN { print a + b }')
  done
  rounds+="$report $sims"$'\n'
done
report=$(awk 'NF { print $1 }' <<< "$rounds" | median)
sims=$(awk 'NF { print $2 }' <<< "$rounds" | median)
ratio=$(awk 'NF && $2 > 0 { print $1 / $2 }' <<< "$rounds" | median)  # of each round's pair
verdict=$(awk -v t="$report" 'BEGIN { print (t < 5) ? "PASS" : "FAIL" }')
printf 'porukami-cli report, 1000 months x 3 strategies, one core: cpu %.2f s (median of %d)\n' \
  "$report" "$runs"
printf '  baseline, the three sims alone: %.2f s; ratio %.2f\n' "$sims" "$ratio"
printf '  goal < 5 s: %s\n' "$verdict"
[[ $verdict == PASS ]]
