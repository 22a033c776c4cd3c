#!/usr/bin/env bash
# The first tick comes one period after the start; the greeting goes out on the
# third valid tick, in the navigator's 8-bit text. navsim draws it in ASCII
# where the locale is not UTF-8 (LC_ALL wins over LANG).
source "$(dirname "$0")/lib.sh"
with_clock "2005-06-21 12:00:00" Europe/Amsterdam
setup

LC_ALL=C LANG=C.UTF-8 start_navsim --lat 52.37 --lon 4.89
started=$(now)
start_nav_manager
wait_for 1200 has_exchanges 7 || fail "three ticks did not come"

first=$(date -d "$(sed -n 1p "$LOG" | cut -f1)" '+%s')
delay=$((first - started))
# One period after the start: not at once, and not a second period later.
[ "$delay" -ge 37 ] && [ "$delay" -lt 76 ] || fail "first tick after $delay s, not one period"

[ "$(request_of 1)" = "GetCurrentPositionV01|" ] || fail "tick 1 did not ask for the position"
[ "$(request_of 2)" = "ChangeSettingV01|3|" ] || fail "noon in Amsterdam is not day"
head -n 6 "$LOG" | grep -q -a FlashMessage && fail "a greeting before the third tick"
greeting=$(printf 'FlashMessage|dorn-k w\xfcnscht dir eine gute Reise|5000|')
[ "$(request_of 7)" = "$greeting" ] || fail "tick 3 did not flash the greeting"
LC_ALL=C grep -q '[^ -~]' "$WORK/navsim.out" && fail "navsim drew more than ASCII"
grep -qF 'FlashMessage|dorn-k w\xFCnscht' "$WORK/navsim.out" || fail "navsim did not show the greeting"
echo "PASS"
