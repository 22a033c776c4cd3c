#!/usr/bin/env bash
# nav_manager.exe and navsim.exe under Wine, at real time (one tick is 38 s):
# a start while the navigator's window is missing sends nothing at its tick;
# with the navigator there, the first position request comes about 38 s after
# a start, exactly "GetCurrentPositionV01|", and the scheme command follows;
# a second start switches it off: both end with 0 and no marker window remains.
# Usage: win32_toggle_and_tick.sh BIN_DIR TESTS_DIR WINE_RUN
set -u
bin=$1 tests=$2 run=$3
fail() { echo "FAIL: $*" >&2; exit 1; }

# The shared prefix of this run; its C: drive holds the exchange folder, and
# the programs start there so that the current drive is C:.
"$run" "$tests/win32_test_peer.exe" find KW5 && fail "a marker window exists before the start"
prefix=${NAV_WINEPREFIX:-$(dirname "$tests")/wineprefix}
drive=$prefix/drive_c
exchange=$drive/TomTom/SdkFileCalls
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap cleanup EXIT
cd "$drive" || fail "no C: drive in $prefix"
rm -rf "$drive/TomTom"

marker_exists() { "$run" "$tests/win32_test_peer.exe" find KW5; }
navigator_exists() { "$run" "$tests/win32_test_peer.exe" find MunichWinClass; }
wait_for() {  # wait_for SECONDS COMMAND...
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.5; done
}
wait_exit() {  # wait_exit PID WHAT: its exit code must be 0
  wait "$1"; local code=$?
  [ $code -eq 0 ] || fail "$2 ended with $code"
}

# No navigator: the first tick sends nothing.
"$run" "$bin/nav_manager.exe" & first=$!; pids+=("$first")
wait_for 30 marker_exists || fail "the start made no marker window"
started=$SECONDS
sleep 42
ls "$exchange" 2>/dev/null | grep -q . && fail "a tick without the navigator wrote: $(ls "$exchange")"
echo "no navigator: nothing sent in $((SECONDS - started)) s"

# The navigator comes: the next tick asks for the position, then the scheme.
"$run" "$bin/navsim.exe" --log "$(winepath -w "$work/navsim.log" 2>/dev/null || echo "$work/navsim.log")" \
  > "$work/navsim.out" 2>&1 &
pids+=($!)
wait_for 30 navigator_exists || fail "navsim made no navigator window"
wait_for 60 grep -q 'ChangeSettingV01|[23]|' "$work/navsim.log" ||
  fail "no scheme command within a tick: $(cat "$work/navsim.log" 2>/dev/null)"
cat "$work/navsim.log"
cut -f2 "$work/navsim.log" | head -1 | grep -qx 'GetCurrentPositionV01|' ||
  fail "the first request was not exactly the position request"
cut -f2 "$work/navsim.log" | sed -n 2p | grep -qE '^ChangeSettingV01\|[23]\|$' ||
  fail "no scheme command right after the position request"

# A second start switches it off.
"$run" "$bin/nav_manager.exe"; code=$?
[ $code -eq 0 ] || fail "the second start ended with $code"
wait_exit "$first" "the running instance"
marker_exists && fail "a marker window remains"
echo "PASS"
