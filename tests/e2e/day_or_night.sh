#!/usr/bin/env bash
# Usage: day_or_night.sh "LOCAL START" ZONE LAT LON day|night
# The first tick tells the navigator the scheme of that moment.
source "$(dirname "$0")/lib.sh"
with_clock "$1" "$2"
setup

start_navsim --lat "$3" --lon "$4"
start_nav_manager
wait_for 1200 has_exchanges 2 || fail "no scheme command came"
case "$5" in
  day) expected="ChangeSettingV01|3|" ;;
  night) expected="ChangeSettingV01|2|" ;;
esac
[ "$(request_of 2)" = "$expected" ] || fail "at $1 in $2 the scheme was $(request_of 2), not $5"
echo "PASS"
