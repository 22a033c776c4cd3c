#!/usr/bin/env bash
# Ctrl-C (SIGINT) or SIGTERM on the demo ends every program it started and
# removes its files, libfaketime's shared clock included.
set -euo pipefail
demo="$(cd "$(dirname "$0")/../.." && pwd)/scripts/demo.sh"
fail() { echo "FAIL: $*"; exit 1; }

# Processes whose environment names this run's folder.
ours() {
  local p
  for p in /proc/[0-9]*; do
    grep -qa "NAV_MANAGER_ROOT=$1" "$p/environ" 2>/dev/null && echo "${p#/proc/}"
  done
  return 0
}

for signal in INT TERM; do
  tmp=$(mktemp -d)
  # A script started in the background would ignore SIGINT for good.
  TMPDIR=$tmp env --default-signal=INT bash "$demo" --from 05:00 --to 23:00 --speed 60 \
    >"$tmp/out" 2>&1 &
  pid=$!
  # Running once nav_manager's marker window exists.
  for _ in $(seq 600); do compgen -G "$tmp/nav_demo.*/run/KW5#" >/dev/null && break; sleep 0.1; done
  compgen -G "$tmp/nav_demo.*/run/KW5#" >/dev/null || fail "the demo did not start: $(cat "$tmp/out")"
  started=$(ours "$tmp")
  [ -n "$started" ] || fail "no demo process found"
  kill "-$signal" "$pid"
  status=0
  wait "$pid" || status=$?
  [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "SIG$signal: the demo ended with $status"
  for _ in $(seq 50); do [ -z "$(ours "$tmp")" ] && break; sleep 0.1; done
  [ -z "$(ours "$tmp")" ] || fail "SIG$signal left processes: $(ours "$tmp")"
  [ "$(ls -A "$tmp")" = out ] || fail "SIG$signal left files: $(ls -A "$tmp")"
  # libfaketime names its shared clock after the process that made it.
  for p in $started; do
    [ ! -e "/dev/shm/faketime_shm_$p" ] && [ ! -e "/dev/shm/sem.faketime_sem_$p" ] ||
      fail "SIG$signal left the shared clock of process $p"
  done
  rm -rf "$tmp"
done
echo "PASS"
