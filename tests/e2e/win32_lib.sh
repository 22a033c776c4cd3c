# Helpers shared by the Win32 end-to-end runs. The sourcing script sets $run
# (scripts/wine-run.sh) and $tests (the folder of win32_test_peer.exe).
fail() { echo "FAIL: $*" >&2; exit 1; }
peer() { "$run" "$tests/win32_test_peer.exe" "$@"; }
# A nav_manager instance runs: its marker window is there.
marker_exists() { peer find KW5; }
wait_for() {  # wait_for SECONDS COMMAND...: true once COMMAND is, false after SECONDS
  local deadline=$((SECONDS + $1)); shift
  until "$@"; do [ $SECONDS -lt $deadline ] || return 1; sleep 0.5; done
}
