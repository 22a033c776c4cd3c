#!/usr/bin/env bash
# The demo: navsim stands in for the navigator at a real place, and nav_manager
# runs beside it through one simulated day at accelerated time. Watch the
# colour scheme switch at sunrise and at sunset, and the greetings arrive.
#
#   bash scripts/demo.sh [--lat DEG] [--lon DEG] [--zone ZONE] [--date YYYY-MM-DD]
#                        [--from HH:MM] [--to HH:MM] [--speed N]
set -euo pipefail
cd "$(dirname "$0")/.."

lat=52.37 lon=4.89 zone=Europe/Amsterdam date=2005-06-21 from=03:00 to=23:30 speed=600
while [ $# -gt 0 ]; do
  case "$1" in
    --lat) lat=$2 ;;
    --lon) lon=$2 ;;
    --zone) zone=$2 ;;
    --date) date=$2 ;;
    --from) from=$2 ;;
    --to) to=$2 ;;
    --speed) speed=$2 ;;
    -h | --help) sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    *) echo "demo: unknown option '$1' (see --help)" >&2; exit 2 ;;
  esac
  shift 2 || { echo "demo: $1 needs a value" >&2; exit 2; }
done

bash scripts/bootstrap.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target nav_manager navsim suntimes >/dev/null
bin=$PWD/build/bin

libfaketime=$(find /usr/lib -name libfaketime.so.1 -print -quit 2>/dev/null)
[ -n "$libfaketime" ] || { echo "demo: libfaketime is missing (package faketime)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/nav_demo.XXXXXX")
export NAV_MANAGER_ROOT="$work/root" NAV_MANAGER_RUNTIME_DIR="$work/run"
mkdir -p "$NAV_MANAGER_ROOT"
pids=()
finish() {
  kill "${pids[@]}" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$work"
  # libfaketime's shared clock, named after the process that first loaded it.
  local pid
  for pid in "${pids[@]}"; do rm -f "/dev/shm/faketime_shm_$pid" "/dev/shm/sem.faketime_sem_$pid"; done
}
trap finish EXIT

seconds=$(( ($(date -u -d "1970-01-01 $to" +%s) - $(date -u -d "1970-01-01 $from" +%s)) ))
[ "$seconds" -gt 0 ] || { echo "demo: --to must come after --from" >&2; exit 2; }
real=$(awk -v s="$seconds" -v k="$speed" 'BEGIN { printf "%.0f", s / k }')

echo "nav_manager demo: $date in $zone at $lat, $lon"
TZ=$zone "$bin/suntimes" "$lat" "$lon" --date "$date" | sed 's/^/  suntimes: /'
echo "  simulating $from to $to at ${speed}x: about $real s; nav_manager asks every 38 simulated s"
echo

# Both programs share one clock that starts at $from and runs $speed times fast.
export TZ=$zone FAKETIME="@$date $from:00 x$speed" FAKETIME_DONT_RESET=1
LD_PRELOAD=$libfaketime bash -c '
  "$0/navsim" --lat "$1" --lon "$2" &
  navsim=$!
  sleep 1
  "$0/nav_manager" &
  sleep "$3"
  "$0/nav_manager"   # a second start switches the running one off
  echo "nav_manager switched off at $(date +%H:%M)"
  kill -INT $navsim
  wait
' "$bin" "$lat" "$lon" "$seconds" &
pids+=($!)
wait "${pids[0]}"
