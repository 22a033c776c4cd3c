#!/usr/bin/env bash
# Peak resident memory (VmHWM) of the running nav_manager while it takes a
# reply of a million empty fields (1 MiB of "|"), against its peak before the
# reply. Prints the figures; asserts nothing.
#
#   bash scripts/measure-reply-memory.sh [BIN_DIR]     (default build/bin)
set -euo pipefail
cd "$(dirname "$0")/.."
bin=$(realpath "${1:-build/bin}")
[ -x "$bin/nav_manager" ] && [ -x "$bin/navsim" ] || { echo "build first: cmake --build build" >&2; exit 1; }
libfaketime=$(find /usr/lib -name libfaketime.so.1 -print -quit)

work=$(mktemp -d)
export NAV_MANAGER_ROOT=$work/root NAV_MANAGER_RUNTIME_DIR=$work/run HOME=$work
mkdir -p "$NAV_MANAGER_ROOT"
printf 'pcm.!default { type hw card 99 }\n' >"$work/.asoundrc"  # no start sound to wait for
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true; rm -rf "$work"' EXIT
exchange=$NAV_MANAGER_ROOT/TomTom/SdkFileCalls
request=$exchange/MY_VB_SDK.TomTomNavigationServer.2413838986.1.finished
reply=$exchange/TomTomNavigationServer.MY_VB_SDK.2413838986.1

peak() { awk '/^VmHWM/ { print $2 }' "/proc/$1/status"; }
# Blocked in poll(): the tick is over and the loop waits for the next.
idle() { [[ "$(cat "/proc/$1/wchan")" == *poll* ]]; }
wait_until() { for _ in $(seq 600); do "$@" && return 0; sleep 0.05; done; echo "timed out: $*" >&2; exit 1; }

# A navigator window that takes no request: this script answers instead.
"$bin/navsim" --fault silent >/dev/null &
wait_until test -S "$NAV_MANAGER_RUNTIME_DIR/MunichWinClass#TomTom Navigator"
# The first tick comes 38 s after the start: 0.38 s at a hundred times the speed.
FAKETIME="+0 x100" LD_PRELOAD=$libfaketime "$bin/nav_manager" &
pid=$!
wait_until test -s "$request"
before=$(peak "$pid")
head -c 1048576 /dev/zero | tr '\0' '|' >"$reply.message"
printf 1 >"$reply.finished"
wait_until test ! -e "$reply.finished"  # read; the fields are split next
wait_until idle "$pid"
after=$(peak "$pid")
echo "nav_manager $bin/nav_manager"
echo "VmHWM before the reply: $before kB"
echo "VmHWM after a reply of 1048576 empty fields: $after kB (the reply added $((after - before)) kB)"
"$bin/nav_manager"
wait "$pid" || true
