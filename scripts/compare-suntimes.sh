#!/usr/bin/env bash
# suntimes --batch of the Linux build against suntimes.exe under Wine, on the
# same random lines: prints how many answers are bit-identical and the largest
# difference, and fails when a status differs or a time differs by 1e-9 h or
# more (the two C runtimes' sin/cos may differ in the last bit). Also the
# local-zone answers of both must match, daylight-saving time included.
#
#   bash scripts/compare-suntimes.sh [LINES]     (default 20000)
set -euo pipefail
cd "$(dirname "$0")/.."
lines=${1:-20000}
linux=build/bin/suntimes
win32=build-win32/bin/suntimes.exe
[ -x "$linux" ] && [ -f "$win32" ] || { echo "build both first" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bash scripts/batch-lines.sh "$lines" > "$work/lines"
"$linux" --batch < "$work/lines" > "$work/linux"
bash scripts/wine-run.sh "$win32" --batch < "$work/lines" > "$work/win32"

paste -d'|' "$work/linux" "$work/win32" | awk -F'|' -v expected="$lines" '
  { if ($1 == $2) same++
    n = split($1, a, " "); m = split($2, b, " ")
    if (n != m || a[1] != b[1]) apart++
    for (i = 2; i <= n; i++) { d = a[i] - b[i]; if (d < 0) d = -d; if (d > max) max = d } }
  END { printf "suntimes --batch, Linux vs Win32: %d lines, %d bit-identical, max difference %.3g h\n",
          NR, same, max
        if (NR != expected || apart > 0 || max >= 1e-9) { print "MISMATCH" > "/dev/stderr"; exit 1 } }'

# The local zone's offset in force, read by each system its own way.
for zone in Europe/Amsterdam Australia/Sydney Asia/Tokyo; do
  for date in 2024-06-21 2024-12-21; do
    want=$(TZ=$zone "$linux" --date "$date" 52.37 4.9)
    got=$(TZ=$zone bash scripts/wine-run.sh "$win32" --date "$date" 52.37 4.9 | tr -d '\r')
    [ "$got" = "$want" ] || { echo "MISMATCH in $zone on $date: $got" >&2; exit 1; }
  done
done
echo "suntimes in the local zone, Linux vs Win32: the same answers"
