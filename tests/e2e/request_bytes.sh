#!/usr/bin/env bash
# The request and its completion marker hold exactly the command's bytes: no
# terminating zero, no line end, no byte-order mark.
source "$(dirname "$0")/lib.sh"
with_clock "2005-06-21 12:00:00" Europe/Amsterdam
setup

# A navigator that never answers leaves the request where nav_manager put it.
start_navsim --fault silent
start_nav_manager
request="$EXCHANGE/MY_VB_SDK.TomTomNavigationServer.2413838986.1.message"
finished="$EXCHANGE/MY_VB_SDK.TomTomNavigationServer.2413838986.1.finished"
wait_for 1200 test -s "$finished" || fail "no request came"
[ "$(od -An -c "$request")" = "$(printf 'GetCurrentPositionV01|' | od -An -c)" ] ||
  fail "request bytes: $(od -An -c "$request")"
[ "$(stat -c %s "$request")" -eq 22 ] || fail "the request is not 22 bytes"
[ "$(cat "$finished")" = "finish.." ] && [ "$(stat -c %s "$finished")" -eq 8 ] ||
  fail "marker bytes: $(od -An -c "$finished")"
echo "PASS"
