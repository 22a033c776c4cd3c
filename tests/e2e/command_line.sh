#!/usr/bin/env bash
# nav_manager takes no options: --help and --version answer and exit 0, any
# other argument is refused with 2; none of them starts or stops anything.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export NAV_MANAGER_ROOT="$work/root" NAV_MANAGER_RUNTIME_DIR="$work/run"
mkdir -p "$NAV_MANAGER_ROOT"
nav="$NAV_BIN/nav_manager"
fail() { echo "FAIL: $*"; exit 1; }

# An empty pattern stands for no output at all.
matches() { if [ -z "$1" ]; then [ ! -s "$2" ]; else grep -Eq "$1" "$2"; fi; }

check() {  # expected status, argument, pattern of standard output, of standard error
  local status=0
  "$nav" "$2" >"$work/out" 2>"$work/err" || status=$?
  [ "$status" -eq "$1" ] || fail "'$2' gave $status, not $1"
  matches "$3" "$work/out" || fail "'$2' printed: $(cat "$work/out")"
  matches "$4" "$work/err" || fail "'$2' said: $(cat "$work/err")"
  [ ! -e "$NAV_MANAGER_RUNTIME_DIR/KW5#" ] || fail "'$2' left a marker window"
  [ ! -e "$NAV_MANAGER_ROOT/TomTom" ] || fail "'$2' made the exchange folder"
}
check 0 --help '^usage: nav_manager' ''
check 0 --version '^nav_manager [0-9]+\.[0-9]+\.[0-9]+$' ''
check 2 --frob '' "^nav_manager: takes no arguments, not '--frob'"
[ "$(wc -l < "$work/err")" -eq 1 ] || fail "more than one line for a wrong argument"
echo "PASS"
