#!/usr/bin/env bash
# Past the file-size limit a request cannot be written: the call fails like
# any failed write, and nav_manager goes on instead of being killed.
source "$(dirname "$0")/lib.sh"
with_clock "2005-06-21 12:00:00" Europe/Amsterdam
setup

start_navsim
(ulimit -f 0 && exec "$NAV_BIN/nav_manager") >>"$WORK/nav_manager.out" 2>&1 &
NAV_PID=$!
PIDS+=("$NAV_PID")
sleep 100  # two and a half ticks, accelerated
exited "$NAV_PID" && fail "nav_manager did not survive a request past the file-size limit"
[ "$(exchanges)" -eq 0 ] || fail "a request got through: $(request_of 1)"
kill -TERM "$NAV_PID"
expect_exit "$NAV_PID" 0 "nav_manager"
echo "PASS"
