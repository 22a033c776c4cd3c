#!/bin/sh
# suntimes at the command line: answers that cannot be written fail, "--" ends
# the options, rise and set on another day are marked, zones go by name;
# --is-day decides as the daemon does, offsets and hemisphere letters are
# read, typed values out of range are refused.
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
"$suntimes" --version | grep -Eqx 'suntimes [0-9]+\.[0-9]+\.[0-9]+' || fail "--version"

# --is-day at the daemon's own test points: summer and winter time in
# Amsterdam, polar night and day, and a sunset past midnight (60N 45W in UTC:
# day until 00:29, night at 00:00 itself, the comparison being strict).
is_day() {  # expected word, date, time, zone, LAT, LON
  got=$("$suntimes" --is-day --date "$2" --time "$3" --tz "$4" -- "$5" "$6")
  status=$?
  want=1; [ "$1" = day ] && want=0
  [ "$got" = "$1" ] && [ $status -eq $want ] || fail "--is-day $2 $3 at $5 $6: '$got', status $status"
}
for case in "night 05:10" "day 05:30" "day 21:30" "night 22:15"; do
  set -- $case; is_day "$1" 2005-06-21 "$2" Europe/Amsterdam 52.37 4.89
done
for case in "night 08:40" "day 16:20" "night 16:40"; do
  set -- $case; is_day "$1" 2005-12-21 "$2" Europe/Amsterdam 52.37 4.89
done
is_day night 2005-12-21 12:00 1 80 15
is_day day 2005-06-21 00:00 1 80 15
for case in "day 23:59" "night 00:00" "day 00:20" "night 00:30" "night 05:00" "day 06:00"; do
  set -- $case; is_day "$1" 2005-06-21 "$2" 0 60 -45
done

# Today's answer names the next change of scheme, at the minute --is-day
# changes its answer, also months ahead after a polar night.
libfaketime=$(find /usr/lib -name libfaketime.so.1 2>/dev/null | head -n 1)
if [ -n "$libfaketime" ]; then
  today() { TZ=Europe/Amsterdam FAKETIME="@$1 12:00:00" LD_PRELOAD=$libfaketime "$suntimes" "$2" "$3"; }
  out=$(today 2005-06-21 52.37N 4.89E)
  echo "$out" | grep -qx 'day scheme now, night scheme from 22:09' || fail "next scheme: $out"
  is_day day 2005-06-21 22:08 Europe/Amsterdam 52.37 4.89
  is_day night 2005-06-21 22:09 Europe/Amsterdam 52.37 4.89
  out=$(today 2005-12-21 80N 15E)
  echo "$out" | grep -qx 'night scheme now, day scheme from 11:15 on 2006-02-21' ||
    fail "next scheme after a polar night: $out"
  is_day night 2006-02-21 11:14 1 80 15
  is_day day 2006-02-21 11:15 1 80 15
fi

# Offsets as zone tables write them, and hemisphere letters in either case.
same() { [ "$("$suntimes" $1)" = "$("$suntimes" $2)" ] || fail "'$1' differs from '$2'"; }
same "--date 2005-06-21 --tz +05:30 28.61 77.21" "--date 2005-06-21 --tz 5.5 28.61 77.21"
same "--date 2005-06-21 --tz -0330 47.56 -52.71" "--date 2005-06-21 --tz -3.5 47.56 -52.71"
same "--date 2005-06-21 --tz 10 33.87S 151.21E" "--date 2005-06-21 --tz 10 -- -33.87 151.21"
same "--date 2005-06-21 --tz 0 52.37n 4.89w" "--date 2005-06-21 --tz 0 52.37 -4.89"
"$suntimes" --date 2005-06-21 --tz +05:30 28.61 77.21 | grep -q '^2005-06-21 UTC+05:30$' ||
  fail "+05:30 is not UTC+05:30"

# Typed values out of range get one line and status 2; the navigator's own
# pole and antimeridian do not.
for args in "0 180.1" "90.1 0" "-- 0 -180.1" "52.37E 4.89" "-- -5S 4" "--date 24-02-03 1 1" \
  "--tz +05:60 1 1" "--is-day --time 24:00 1 1" "--is-day 91 0"; do
  "$suntimes" $args > /dev/null 2> "${TMPDIR:-/tmp}/suntimes.err.$$"
  status=$?
  lines=$(wc -l < "${TMPDIR:-/tmp}/suntimes.err.$$")
  rm -f "${TMPDIR:-/tmp}/suntimes.err.$$"
  [ $status -eq 2 ] && [ "$lines" -eq 1 ] || fail "'$args' gave status $status and $lines lines"
done
"$suntimes" --date 2005-06-21 90.00000000000001 180.00000000000003 > /dev/null ||
  fail "the navigator's pole and antimeridian were refused"
echo "suntimes command-line checks passed"
