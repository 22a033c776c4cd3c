#!/usr/bin/env bash
# Measures the running nav_manager: how often it wakes while idle, its memory,
# and the CPU time one tick takes. Prints the figures; asserts nothing.
#
#   bash scripts/measure.sh [TICKS]     (default 100 ticks, about 40 s)
set -euo pipefail
cd "$(dirname "$0")/.."
ticks=${1:-100}
bin=$PWD/build/bin
[ -x "$bin/nav_manager" ] && [ -x "$bin/navsim" ] || { echo "build first: cmake --build build" >&2; exit 1; }
libfaketime=$(find /usr/lib -name libfaketime.so.1 -print -quit)

work=$(mktemp -d)
export NAV_MANAGER_ROOT=$work/root NAV_MANAGER_RUNTIME_DIR=$work/run
mkdir -p "$NAV_MANAGER_ROOT"
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT

# CPU time of a process in nanoseconds, from the scheduler's own account.
cpu_ns() { cut -d' ' -f1 "/proc/$1/schedstat"; }
wakeups() { awk '/^voluntary_ctxt_switches/ { v = $2 } /^nonvoluntary_ctxt_switches/ { n = $2 } END { print v + n }' "/proc/$1/status"; }
memory() { awk '/^VmRSS|^VmHWM/ { printf "%s %s kB  ", $1, $2 }' "/proc/$1/status"; }

echo "== idle, real time: between two ticks, with no navigator"
"$bin/nav_manager" & pid=$!
sleep 2
before=$(wakeups "$pid")
sleep 30
echo "wake-ups in 30 s between ticks: $(( $(wakeups "$pid") - before ))"
echo "memory: $(memory "$pid")"
"$bin/nav_manager"; wait "$pid" || true

echo "== $ticks ticks against navsim, clock 100x fast (libfaketime)"
export TZ=Europe/Amsterdam FAKETIME="@2005-06-21 12:00:00 x100" FAKETIME_DONT_RESET=1
LD_PRELOAD=$libfaketime "$bin/navsim" --log "$work/log" >/dev/null &
sleep 0.5
LD_PRELOAD=$libfaketime "$bin/nav_manager" & pid=$!
sleep 0.3
start=$(cpu_ns "$pid")
until [ "$(cat "$work/log" 2>/dev/null | grep -c GetCurrentPosition)" -ge "$ticks" ]; do sleep 0.2; done
used=$(( $(cpu_ns "$pid") - start ))
calls=$(grep -c "" "$work/log")
echo "calls: $calls in $ticks ticks"
echo "CPU per tick: $(awk -v u="$used" -v t="$ticks" 'BEGIN { printf "%.3f ms", u / t / 1e6 }') (all of it, the polls of the reply marker and libfaketime's own work included)"
echo "memory: $(memory "$pid")"
