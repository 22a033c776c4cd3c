# Shared steps of the end-to-end runs: the real nav_manager against navsim, in
# private exchange and window directories, with the clock set and sped up by
# libfaketime. Every wait below counts in the accelerated clock.
set -euo pipefail
SCRIPT_ARGUMENTS=("$@")

: "${NAV_BIN:?NAV_BIN must name the directory with nav_manager and navsim}"
LIBFAKETIME=${LIBFAKETIME:-/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1}
[ -r "$LIBFAKETIME" ] || LIBFAKETIME=$(find /usr/lib -name libfaketime.so.1 -print -quit 2>/dev/null)
[ -r "$LIBFAKETIME" ] || { echo "libfaketime not found (Debian package faketime)" >&2; exit 1; }

# libfaketime shares the clock through a semaphore and shared memory named
# after the first process that loaded it (this script, after with_clock).
FAKETIME_FILES=(/dev/shm/faketime_shm_$$ /dev/shm/sem.faketime_sem_$$)

cleanup() {
  local pid
  # A stop by signal, not a kill: a process killed while it holds the
  # shared clock's semaphore would leave every other process waiting on it.
  for pid in "${PIDS[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  for pid in "${PIDS[@]}"; do wait_for 100 exited "$pid" || kill -KILL "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -f "${FAKETIME_FILES[@]}"
  if [ "${KEEP_WORK:-0}" = 1 ]; then echo "work directory kept: $WORK"; else rm -rf "$WORK"; fi
}

setup() {
  WORK=$(mktemp -d "${TMPDIR:-/tmp}/nav_e2e.XXXXXX")
  export NAV_MANAGER_ROOT="$WORK/root"
  export NAV_MANAGER_RUNTIME_DIR="$WORK/run"
  mkdir -p "$NAV_MANAGER_ROOT" "$WORK/home"
  # No sound device: a start sound played for real would hold start-up for
  # its length, many accelerated seconds.
  printf 'pcm.!default { type hw card 99 }\n' >"$WORK/home/.asoundrc"
  export HOME="$WORK/home"
  EXCHANGE="$NAV_MANAGER_ROOT/TomTom/SdkFileCalls"
  LOG="$WORK/exchanges.log"
  MARKER="$NAV_MANAGER_RUNTIME_DIR/KW5#"
  NAVIGATOR_WINDOW="$NAV_MANAGER_RUNTIME_DIR/MunichWinClass#TomTom Navigator"
  PIDS=()
  trap cleanup EXIT
}

fail() {
  echo "FAIL: $*" >&2
  for f in "$LOG" "$WORK"/*.out; do
    [ -f "$f" ] && { echo "--- $f" >&2; cat -v "$f" >&2; }
  done
  exit 1
}

# Runs the rest of the test under libfaketime, starting at local time $1 in
# zone $2, `speed` times faster than real time. Every process started from
# then on shares that one clock.
with_clock() {
  local start=$1 zone=$2 speed=${3:-40}
  if [ -z "${NAV_E2E_CLOCK:-}" ]; then
    # libfaketime reads the start in the process's own zone.
    # What a dead process of the same number left behind is no clock of ours.
    rm -f "${FAKETIME_FILES[@]}"
    export NAV_E2E_CLOCK=1 TZ="$zone"
    export FAKETIME="@$start x$speed" FAKETIME_DONT_RESET=1 LD_PRELOAD="$LIBFAKETIME"
    exec bash "$0" "${SCRIPT_ARGUMENTS[@]}"
  fi
}

now() { date '+%s'; }

# Waits until the command succeeds, polling each accelerated second.
wait_for() {
  local limit=$1
  shift
  local waited=0
  until "$@"; do
    sleep 1
    waited=$((waited + 1))
    [ "$waited" -lt "$limit" ] || return 1
  done
}

start_navsim() {
  "$NAV_BIN/navsim" --log "$LOG" "$@" >"$WORK/navsim.out" 2>&1 &
  PIDS+=($!)
  NAVSIM_PID=$!
  wait_for 1200 test -S "$NAVIGATOR_WINDOW" || fail "navsim did not register its window"
}

# Starts nav_manager in the background; its pid lands in NAV_PID.
start_nav_manager() {
  "$NAV_BIN/nav_manager" >>"$WORK/nav_manager.out" 2>&1 &
  NAV_PID=$!
  PIDS+=("$NAV_PID")
}

exchanges() { cat "$LOG" 2>/dev/null | grep -c -a "" || true; }
has_exchanges() { [ "$(exchanges)" -ge "$1" ]; }
# The request of exchange N (from 1), exactly as its bytes arrived.
request_of() { sed -n "${1}p" "$LOG" | cut -f2; }
# Gone, or a zombie waiting to be reaped (the state after the name in /proc).
exited() { ! kill -0 "$1" 2>/dev/null || [ "$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1)" = Z ]; }
# Waits for a background process to end and checks its exit status.
expect_exit() {
  local pid=$1 status=$2 what=$3 code=0
  wait_for 1200 exited "$pid" || fail "$what did not end"
  wait "$pid" || code=$?
  [ "$code" -eq "$status" ] || fail "$what ended with $code, not $status"
}
