#!/usr/bin/env bash
# Starting nav_manager again stops the running instance: both end with 0 and
# the marker is gone.
source "$(dirname "$0")/lib.sh"
with_clock "2005-06-21 12:00:00" Europe/Amsterdam
setup

start_nav_manager
first=$NAV_PID
wait_for 1200 test -S "$MARKER" || fail "the first start made no marker"
start_nav_manager
second=$NAV_PID
expect_exit "$second" 0 "the second start"
expect_exit "$first" 0 "the running instance"
[ ! -e "$MARKER" ] || fail "the marker outlived the instance"

# The next start runs again.
start_nav_manager
third=$NAV_PID
wait_for 1200 test -S "$MARKER" || fail "the third start made no marker"
sleep 40  # a whole period: it ticks, and goes on running
exited "$third" && fail "the third start did not keep running"
kill -TERM "$third"
expect_exit "$third" 0 "a stop by SIGTERM"
[ ! -e "$MARKER" ] || fail "SIGTERM left the marker behind"
echo "PASS"
