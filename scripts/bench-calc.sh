#!/usr/bin/env bash
# Times one recalculation after a costs change: nanoseconds (Google Benchmark)
# and instructions (callgrind, collected only inside the recalculation).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh valgrind
scripts/build.sh >/dev/null
bench=build/default/bin/zolvaric-bench-calc
"$bench" --benchmark_min_time=1
runs=1000
out=$(mktemp)
valgrind --tool=callgrind --callgrind-out-file="$out" --toggle-collect='*recalculateOnce*' \
    "$bench" --callgrind-runs "$runs" 2>/dev/null
total=$(callgrind_annotate "$out" 2>/dev/null | awk '/PROGRAM TOTALS/ {gsub(",", "", $1); print $1}')
rm -f "$out"
echo "callgrind: $total instructions for $((runs + 1)) recalculations," \
     "$((total / (runs + 1))) per recalculation"
