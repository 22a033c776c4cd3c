#!/usr/bin/env bash
# Builds the fuzz targets with clang (the fuzz preset) and runs each for a few
# seconds on a copy of its seed corpus in tests/fuzz/corpus/.
#
#   bash scripts/fuzz.sh [SECONDS]     (default 5 a target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for target in reply message_line batch_line; do
  mkdir -p "$work/$target"
  cp tests/fuzz/corpus/$target/* "$work/$target/"
  echo "fuzz: $target for $seconds s"
  "build-fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=0 \
    -artifact_prefix="$work/" "$work/$target" 2>"$work/$target.log" ||
    { tail -n 30 "$work/$target.log"; cp "$work"/crash-* . 2>/dev/null || true; exit 1; }
  grep -E '^#[0-9]+ +DONE' "$work/$target.log" || tail -n 1 "$work/$target.log"
done
echo "fuzz: all targets ran clean"
