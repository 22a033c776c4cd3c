#!/usr/bin/env bash
# A marker left behind by a killed instance does not block the next start.
source "$(dirname "$0")/lib.sh"
with_clock "2005-06-21 12:00:00" Europe/Amsterdam
setup

start_nav_manager
killed=$NAV_PID
wait_for 1200 test -S "$MARKER" || fail "no marker"
kill -KILL "$killed"
wait "$killed" 2>/dev/null || true
[ -S "$MARKER" ] || fail "kill -9 removed the marker; nothing left to test"

# A socket someone listens on is in the kernel's table; a stale file is not.
marker_live() { grep -q -F " $MARKER" /proc/net/unix; }
marker_live && fail "the killed instance's marker still listens"

start_nav_manager
next=$NAV_PID
wait_for 1200 marker_live || fail "the start after a killed instance did not take the marker over"
exited "$next" && fail "the start after a killed instance did not keep running"
start_nav_manager
expect_exit "$NAV_PID" 0 "the stopping start"
expect_exit "$next" 0 "the instance after the killed one"
echo "PASS"
