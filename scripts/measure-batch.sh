#!/usr/bin/env bash
# Whole-process suntimes --batch over N random lines against N bare
# ComputeRiseSet calls on the same lines, measured in one run. Prints the figures and their ratio.
#
#   bash scripts/measure-batch.sh [LINES]     (default 20000)
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-20000}
bin=$PWD/build/bin
[ -x "$bin/suntimes" ] && [ -x "$bin/suntimes_batch_bench" ] || { echo "build first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bash scripts/batch-lines.sh "$lines" > "$work/lines"

# The best of several whole-process runs, in seconds.
best=999
for _ in 1 2 3 4 5 6 7; do
  start=$(date +%s%N)
  "$bin/suntimes" --batch < "$work/lines" > /dev/null
  elapsed=$(( $(date +%s%N) - start ))
  best=$(awk -v a="$best" -v b="$elapsed" 'BEGIN { b /= 1e9; print (b < a) ? b : a }')
done
bare=$(NAV_BATCH_LINES="$work/lines" "$bin/suntimes_batch_bench" --benchmark_filter=BareComputeRiseSet \
  --benchmark_repetitions=5 --benchmark_report_aggregates_only=true --benchmark_format=csv 2>/dev/null |
  awk -F, '/_median/ { print $4 }')   # ns per call, CPU time
awk -v p="$best" -v b="$bare" -v n="$lines" 'BEGIN {
  printf "suntimes --batch, %d lines, whole process: %.1f ms (%.0f ns a line)\n", n, p * 1e3, p * 1e9 / n
  printf "bare ComputeRiseSet x %d:                  %.1f ms (%.0f ns a call)\n", n, b * n / 1e6, b
  printf "ratio: %.2f\n", p * 1e9 / (b * n) }'
