#!/usr/bin/env bash
# The command lines: nav_manager's --help, --version and --status answer
# without starting, stopping or creating anything, and a wrong argument is
# refused with 2 in the words navsim uses too.
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
  [ ! -e "$NAV_MANAGER_RUNTIME_DIR" ] || fail "'$2' made the runtime folder"
  [ ! -e "$NAV_MANAGER_ROOT/TomTom" ] || fail "'$2' made the exchange folder"
}
check 0 --help '^usage: nav_manager' ''
check 0 --version '^nav_manager [0-9]+\.[0-9]+\.[0-9]+$' ''
check 3 --status '^off$' ''
check 2 --frob '' "^nav_manager: unknown option '--frob' \(see nav_manager --help\)$"
check 2 frob '' "^nav_manager: unexpected argument 'frob' \(see nav_manager --help\)$"
[ "$(wc -l < "$work/err")" -eq 1 ] || fail "more than one line for a wrong argument"

# --status finds the running instance and its process id; looking for the
# runtime folder under HOME makes no folder either.
(unset NAV_MANAGER_RUNTIME_DIR XDG_RUNTIME_DIR; HOME="$work/home" "$nav" --status >/dev/null) &&
  fail "--status found an instance in an empty home"
[ ! -e "$work/home" ] || fail "--status made a folder in the home"
mkdir -p "$work/home"
printf 'pcm.!default { type hw card 99 }\n' >"$work/home/.asoundrc"  # no sound device
export HOME="$work/home"
"$nav" &
running=$!
for _ in $(seq 100); do [ -S "$NAV_MANAGER_RUNTIME_DIR/KW5#" ] && break; sleep 0.05; done
status=$("$nav" --status) || fail "--status with a running instance gave $?"
[ "$status" = "on (pid $running)" ] || fail "--status said '$status', not 'on (pid $running)'"
"$nav"
wait "$running" || fail "the running instance did not stop cleanly"
code=0
status=$("$nav" --status) || code=$?
[ "$code" -eq 3 ] && [ "$status" = off ] || fail "--status after the stop: $code, $status"

# navsim answers in the same words.
"$NAV_BIN/navsim" --version | grep -Eqx 'navsim [0-9]+\.[0-9]+\.[0-9]+' || fail "navsim --version"
"$NAV_BIN/navsim" --help | head -n 1 | grep -q '^usage: navsim ' || fail "navsim --help"
status=0
message=$("$NAV_BIN/navsim" --frob 2>&1) || status=$?
[ "$status" -eq 2 ] && [ "$message" = "navsim: unknown option '--frob' (see navsim --help)" ] ||
  fail "navsim --frob: $status, $message"
echo "PASS"
