#!/usr/bin/env bash
# Writes N random suntimes --batch lines ("YEAR MONTH DAY TZ LAT LON") to
# standard output, the same ones on every run: years 1600 to 2399, zones in
# quarter hours from -12 to +14, any place on the Earth.
#
#   bash scripts/batch-lines.sh [LINES]     (default 20000)
set -euo pipefail
awk -v n="${1:-20000}" 'BEGIN { srand(20051221)
  for (i = 0; i < n; i++)
    printf "%d %d %d %s %.6f %.6f\n", 1600 + int(rand() * 800), 1 + int(rand() * 12),
      1 + int(rand() * 28), (int(rand() * 105) - 48) / 4, rand() * 180 - 90, rand() * 360 - 180 }'
