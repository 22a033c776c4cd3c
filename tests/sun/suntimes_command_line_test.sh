#!/bin/sh
# suntimes at the command line: answers that cannot be written fail, "--" ends
# the options, rise and set on another day are marked, zones go by name.
# Usage: suntimes_command_line_test.sh PATH_TO_SUNTIMES
set -u
suntimes=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

"$suntimes" 52.37 4.89 > /dev/full 2>/dev/null && fail "a failed write passed for success"
echo "2005 6 21 1 52.37 4.89" | "$suntimes" --batch > /dev/full 2>/dev/null &&
  fail "a failed batch write passed for success"
"$suntimes" --help > /dev/full 2>/dev/null && fail "a failed --help write passed for success"

out=$("$suntimes" --date 2005-06-21 --tz 2 -- -33.92 18.42) || fail "'--' before a negative latitude"
echo "$out" | grep -q '^sunrise 07:5' || fail "Cape Town: $out"
out=$("$suntimes" --date=2005-12-21 --tz 1 52.37 4.89)
echo "$out" | grep -q '^2005-12-21 UTC+01:00$' || fail "--date=YYYY-MM-DD not taken: $out"

out=$("$suntimes" --date 2005-06-21 --tz 0 60 -45)
echo "$out" | grep -Eq '^sunset  00:[0-9]{2} \(\+1 day\)$' || fail "no next-day mark: $out"
out=$("$suntimes" --date 2005-06-21 --tz -4 64 -20)
echo "$out" | grep -Eq '^sunrise 2[23]:[0-9]{2} \(-1 day\)$' || fail "no previous-day mark: $out"

out=$("$suntimes" --date 2005-06-21 --tz Europe/Berlin 52.52 13.40)
echo "$out" | grep -q '^2005-06-21 UTC+02:00$' || fail "Berlin in summer: $out"
out=$("$suntimes" --date 2005-12-21 --tz Europe/Berlin 52.52 13.40)
echo "$out" | grep -q '^2005-12-21 UTC+01:00$' || fail "Berlin in winter: $out"
"$suntimes" --tz Nowhere/Atlantis 1 1 > /dev/null 2>&1
[ $? -eq 2 ] || fail "an unknown zone name must give exit status 2"
echo "suntimes command-line checks passed"
