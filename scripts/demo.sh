#!/usr/bin/env bash
# usage: bash scripts/demo.sh [--lat DEG] [--lon DEG] [--zone ZONE] [--date YYYY-MM-DD]
#                             [--from HH:MM] [--to HH:MM] [--speed N]
#
# The demo: navsim stands in for the navigator at a real place, and nav_manager
# runs beside it through one simulated day at accelerated time. Watch the
# colour scheme switch at sunrise and at sunset, and the greetings arrive.
# Ctrl-C or SIGTERM ends every program it started and removes its files.
set -euo pipefail
cd "$(dirname "$0")/.."

lat=52.37 lon=4.89 zone=Europe/Amsterdam date=2005-06-21 from=03:00 to=23:30 speed=600
usage_error() { echo "demo: $* (see bash scripts/demo.sh --help)" >&2; exit 2; }
while [ $# -gt 0 ]; do
  case "$1" in
    -h | --help) sed -n '2,8p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    --lat | --lon | --zone | --date | --from | --to | --speed)
      [ $# -ge 2 ] || usage_error "option '$1' needs a value" ;;
  esac
  case "$1" in
    --lat) lat=$2 ;;
    --lon) lon=$2 ;;
    --zone) zone=$2 ;;
    --date) date=$2 ;;
    --from) from=$2 ;;
    --to) to=$2 ;;
    --speed) speed=$2 ;;
    -*) usage_error "unknown option '$1'" ;;
    *) usage_error "unexpected argument '$1'" ;;
  esac
  shift 2
done
number='^-?[0-9]+([.][0-9]+)?$'
[[ $lat =~ $number ]] && [[ $lon =~ $number ]] &&
  awk -v a="$lat" -v o="$lon" 'BEGIN { exit !(a >= -90 && a <= 90 && o >= -180 && o <= 180) }' ||
  usage_error "--lat and --lon take decimal degrees, from -90 to 90 and -180 to 180"
[[ $speed =~ ^[0-9]+([.][0-9]+)?$ ]] && awk -v k="$speed" 'BEGIN { exit !(k > 0) }' ||
  usage_error "--speed takes a number above 0, not '$speed'"
for time in "$from" "$to"; do
  [[ $time =~ ^([01][0-9]|2[0-3]):[0-5][0-9]$ ]] || usage_error "--from and --to take HH:MM, not '$time'"
done
[[ $date =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]] && date -d "$date" >/dev/null 2>&1 ||
  usage_error "--date takes YYYY-MM-DD, not '$date'"
[ -f "/usr/share/zoneinfo/$zone" ] && [[ $zone != *..* ]] || usage_error "no such time zone '$zone'"

seconds=$(( ($(date -u -d "1970-01-01 $to" +%s) - $(date -u -d "1970-01-01 $from" +%s)) ))
[ "$seconds" -gt 0 ] || usage_error "--to must come after --from"

bash scripts/bootstrap.sh
[ -f build/build.ninja ] || cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target nav_manager navsim suntimes >/dev/null
bin=$PWD/build/bin

libfaketime=$(find /usr/lib -name libfaketime.so.1 -print -quit 2>/dev/null)
[ -n "$libfaketime" ] || { echo "demo: libfaketime is missing (package faketime)" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/nav_demo.XXXXXX")
export NAV_MANAGER_ROOT="$work/root" NAV_MANAGER_RUNTIME_DIR="$work/run"
mkdir -p "$NAV_MANAGER_ROOT"
group=
finish() {
  trap - EXIT INT TERM
  # The simulated day runs in a process group of its own: navsim, nav_manager
  # and their sleeps end together, nav_manager cleanly on its SIGTERM.
  if [ -n "$group" ]; then
    kill -TERM -- "-$group" 2>/dev/null || true
    wait 2>/dev/null || true
    # libfaketime's shared clock, named after the process that first loaded it.
    rm -f "/dev/shm/faketime_shm_$group" "/dev/shm/sem.faketime_sem_$group"
  fi
  rm -rf "$work"
}
trap finish EXIT
trap 'finish; exit 130' INT
trap 'finish; exit 143' TERM

real=$(awk -v s="$seconds" -v k="$speed" 'BEGIN { printf "%.0f", s / k }')

echo "nav_manager demo: $date in $zone at $lat, $lon"
TZ=$zone "$bin/suntimes" --date "$date" -- "$lat" "$lon" > "$work/suntimes"
sed 's/^/  suntimes: /' "$work/suntimes"
echo "  simulating $from to $to at ${speed}x: about $real s; nav_manager asks every 38 simulated s"
echo

# Both programs share one clock that starts at $from and runs $speed times fast.
export TZ=$zone FAKETIME="@$date $from:00 x$speed" FAKETIME_DONT_RESET=1
LD_PRELOAD=$libfaketime setsid bash -c '
  "$0/navsim" --lat "$1" --lon "$2" --log "$4" &
  navsim=$!
  sleep 1
  "$0/nav_manager" &
  sleep "$3"
  "$0/nav_manager"   # a second start switches the running one off
  echo "nav_manager switched off at $(date +%H:%M)"
  kill -INT $navsim
  wait
' "$bin" "$lat" "$lon" "$seconds" "$work/log" &
group=$!
wait "$group"

# What the navigator was told, against what suntimes computes.
echo
echo "summary:"
sed -n 's/^sunrise /  sunrise (suntimes) /p; s/^sunset  /  sunset  (suntimes) /p' "$work/suntimes"
awk -F'\t' '$2 ~ /^ChangeSettingV01\|[23]\|$/ {
    scheme = ($2 ~ /\|3\|/) ? "day" : "night"
    if (scheme != last) { printf "  %-5s colours from %s\n", scheme, substr($1, 12, 5); last = scheme }
  }' "$work/log"
