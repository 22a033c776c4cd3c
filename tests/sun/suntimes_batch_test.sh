#!/bin/sh
# suntimes --batch on a few thousand random dates and places, one exact line,
# unreadable lines, and the exit status of bad arguments.
# Usage: suntimes_batch_test.sh PATH_TO_SUNTIMES
set -u
suntimes=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

awk 'BEGIN {
  srand(20051221)
  split("31 28 31 30 31 30 31 31 30 31 30 31", days, " ")
  for (i = 0; i < 3000; i++) {
    year = (i % 10 == 0) ? int(rand() * 104000) - 4000 : 1600 + int(rand() * 800)
    month = 1 + int(rand() * 12)
    last = days[month]
    if (month == 2) {
      leap = (year <= 1582) ? (year % 4 == 0) : ((year % 4 == 0 && year % 100 != 0) || year % 400 == 0)
      if (leap) last = 29
    }
    day = 1 + int(rand() * last)
    tz = (int(rand() * 105) - 48) / 4
    lat = (i % 100 == 1) ? 90 : (i % 100 == 2) ? -90 : rand() * 180 - 90
    lon = rand() * 360 - 180
    printf "%d %d %d %s %.6f %.6f\n", year, month, day, tz, lat, lon
  }
}' > "$work/in"

"$suntimes" --batch < "$work/in" > "$work/out"
status=$?
[ "$status" -eq 0 ] || fail "exit status $status on valid lines"
[ "$(wc -l < "$work/out")" -eq 3000 ] || fail "expected 3000 answers"
grep -q ERROR "$work/out" && fail "$(grep -m1 ERROR "$work/out")"
awk 'NF != 5 || ($1 != 1 && $1 != -1 && $1 != -2) || /nan|inf/ { print; bad = 1 }
     $1 == 1 && ($5 - $4 < 0 || $5 - $4 > 24) { print; bad = 1 }
     END { exit bad }' "$work/out" > "$work/bad" || fail "malformed answer: $(head -1 "$work/bad")"
grep -q '^-1 ' "$work/out" || fail "no polar night among the random lines"
grep -q '^-2 ' "$work/out" || fail "no polar day among the random lines"

# Every digit of the answer reaches the output.
answer=$(echo "2005 6 21 1 52.37 4.89" | "$suntimes" --batch)
[ "$answer" = "1 4.3876929340892055 21.147359905317032 -19.612307065910795 -2.852640094682967" ] ||
  fail "Amsterdam answer: $answer"

# Unreadable lines are answered and the rest go on; a latitude beyond the
# pole is computed as given.
printf '2005 2 30 0 0 0\n2005 6 21 0 95 0\nnot a line\n2005 6 21 0 0 0\n' |
  "$suntimes" --batch > "$work/errors"
[ $? -eq 1 ] || fail "unreadable lines must give exit status 1"
[ "$(grep -c '^ERROR ' "$work/errors")" -eq 2 ] || fail "expected two ERROR lines"
[ "$(sed -n 4p "$work/errors" | cut -d' ' -f1)" = 1 ] || fail "the line after the errors was lost"

for args in "91 0" "10 10 --date 2023-02-29" "10 10 --frob" "10" "10 10 --tz x" "--batch 10 10"; do
  # shellcheck disable=SC2086
  "$suntimes" $args > /dev/null 2> "$work/err"
  status=$?
  [ "$status" -eq 2 ] || fail "'$args' gave exit status $status"
  [ "$(wc -l < "$work/err")" -eq 1 ] || fail "'$args' did not give one line of error"
done
"$suntimes" --help > /dev/null || fail "--help failed"
echo "suntimes batch checks passed"
