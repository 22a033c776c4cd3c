#!/usr/bin/env bash
# nav_manager.exe and navsim.exe under Wine as a Windows user meets them, at
# real time (one tick is 38 s), in a prefix of this test's own whose sound goes
# through ALSA into files (one file per sound played). nav_manager lies on C:
# in a folder deeper than MAX_PATH, navsim on C: too, and every program starts
# with D: as its current drive:
# - the start sound is played whole from the program's own folder before the
#   first tick, and a tick while the navigator's window is missing sends
#   nothing (Wine's relay trace of the first instance shows the tick look for
#   the navigator's window, find none and wait for messages again);
# - with the navigator there, and answering late while another program
#   broadcasts "a setting changed" to every window, the next tick asks for the
#   position, exactly "GetCurrentPositionV01|", and the scheme command
#   follows;
# - a second start switches it off: both end with 0, no marker window
#   remains, and the end sound has been played whole;
# - the exchange is on C:, the programs' drive, and nothing is made on D:;
# - ten starts at the same moment all end with 0 and leave at most one
#   instance running.
# Usage: win32_toggle_and_tick.sh BIN_DIR TESTS_DIR WINE_RUN
set -u
bin=$1 tests=$2 run=$3
source "$(dirname "$0")/win32_lib.sh"

work=$(mktemp -d)
WINEPREFIX=$(dirname "$tests")/wineprefix-e2e
export WINEPREFIX NAV_WINEPREFIX=$WINEPREFIX
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
wineserver -k 2>/dev/null
rm -rf "$WINEPREFIX" "$WINEPREFIX.lock"

# What Wine plays goes to $sound/played, then played.0001, ... in order,
# unchanged: the device takes the sounds' own format.
sound=$work/sound
mkdir -p "$work/home" "$sound" "$work/d"
export HOME=$work/home
cat > "$HOME/.asoundrc" <<EOF
pcm.!default { type plug; slave { pcm "played"; format S16_LE; channels 1; rate 22050 } }
pcm.played { type file; slave.pcm "null"; file "$sound/played"; format "raw"; truncate false }
EOF
peer count KW5 || fail "a marker window exists before the start"
wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d alsa /f >/dev/null 2>&1
# A process run with WINEDEBUG=+relay traces these calls alone.
wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude \
  /d 'user32.FindWindowW;user32.GetMessageW' /f >/dev/null 2>&1
ln -s "$work/d" "$WINEPREFIX/dosdevices/d:"

drive=$WINEPREFIX/drive_c
program=$drive/Programs
for _ in 1 2 3 4 5 6 7; do program=$program/nav_manager_folder_deeper_than_max_path_; done
# Deeper than MAX_PATH as Windows sees it (C:\Programs\...), wherever the prefix lies.
windows_folder=C:${program#"$drive"}
[ ${#windows_folder} -gt 260 ] || fail "the program's folder is not deep enough: $windows_folder"
mkdir -p "$program" "$drive/tools"
cp "$bin/nav_manager.exe" "$bin/StartSound.wav" "$bin/EndSound.wav" "$program/"
cp "$bin/navsim.exe" "$drive/tools/"
exchange=$drive/TomTom/SdkFileCalls
cd "$work/d" || fail "no folder for D:"

navigator_exists() { peer find MunichWinClass; }
wait_exit() {  # wait_exit PID WHAT: its exit code must be 0
  wait "$1"; local code=$?
  [ $code -eq 0 ] || fail "$2 ended with $code"
}
pcm_of() {  # the sample bytes of one of the program's wave files
  [ "$(dd if="$1" bs=1 skip=36 count=4 2>/dev/null)" = data ] || fail "$1: no plain wave header"
  tail -c +45 "$1"
}
played() {  # played N WAV: the Nth sound played is WAV, whole and unchanged
  local files=("$sound"/played*)
  [ -e "${files[0]}" ] || fail "nothing was played"
  [ ${#files[@]} -ge "$1" ] || fail "only ${#files[@]} sounds were played, not $1"
  local file=${files[$(($1 - 1))]}
  cmp -s <(pcm_of "$2") "$file" ||
    fail "sound $1 is not $(basename "$2") whole: $(stat -c %s "$file") bytes played of $(($(stat -c %s "$2") - 44))"
}

# No navigator: the start sound plays whole, the first tick sends nothing.
trace=$work/first.trace
WINEDEBUG=-all,+relay "$run" "$program/nav_manager.exe" 2>"$trace" & first=$!; pids+=("$first")
wait_for 30 marker_exists || fail "the start made no marker window"
started=$SECONDS
# In the trace, by one thread: FindWindowW for the navigator's class returned
# no window, and then GetMessageW was called again: the tick is over.
tick_without_navigator() {
  awk -F: '/:Call user32\.FindWindowW\(.*L"MunichWinClass"/ { thread = $1; asked = 1; next }
    asked && $1 == thread && /:Ret  user32\.FindWindowW\(/ { missing = /retval=0+ /; asked = 0; next }
    missing && $1 == thread && /:Call user32\.GetMessageW\(/ { over = 1; exit }
    END { exit !over }' "$trace"
}
wait_for 120 tick_without_navigator ||
  fail "no tick without the navigator in 120 s: $(grep -F user32 "$trace" | tail -5)"
played 1 "$bin/StartSound.wav"
ls "$exchange" 2>/dev/null | grep -q . && fail "a tick without the navigator wrote: $(ls "$exchange")"
echo "no navigator: the tick after $((SECONDS - started)) s sent nothing; the start sound played whole"

# The navigator comes, late with its answers, while settings-changed
# broadcasts arrive: the next tick still asks for the position, then the scheme.
log=$drive/tools/navsim.log
"$run" "$drive/tools/navsim.exe" --fault late --delay-ms 2000 --log 'C:\tools\navsim.log' \
  > "$work/navsim.out" 2>&1 &
pids+=($!)
wait_for 30 navigator_exists || fail "navsim made no navigator window"
peer broadcast 90 & broadcaster=$!; pids+=("$broadcaster")
wait_for 70 grep -q 'ChangeSettingV01|[23]|' "$log" ||
  fail "no scheme command within a tick: $(cat "$log" 2>/dev/null)"
kill "$broadcaster" 2>/dev/null
cat "$log"
cut -f2 "$log" | head -1 | grep -qx 'GetCurrentPositionV01|' ||
  fail "the first request was not exactly the position request"
cut -f2 "$log" | sed -n 2p | grep -qE '^ChangeSettingV01\|[23]\|$' ||
  fail "no scheme command right after the position request"

# A second start switches it off and plays the end sound whole.
"$run" "$program/nav_manager.exe"; code=$?
[ $code -eq 0 ] || fail "the second start ended with $code"
wait_exit "$first" "the running instance"
marker_exists && fail "a marker window remains"
played 2 "$bin/EndSound.wav"
echo "switched off; the end sound played whole"

# Everything happened on the programs' drive, C:, nothing on D:.
[ -d "$exchange" ] || fail "no exchange folder on C:"
[ -z "$(ls -A "$work/d")" ] || fail "files were made on D:: $(ls -A "$work/d")"

# Ten starts at once: each ends with 0, at most one instance is left.
racers=()
for _ in 1 2 3 4 5 6 7 8 9 10; do
  "$run" "$program/nav_manager.exe" & racers+=($!); pids+=($!)
done
running() {  # how many of the racing starts have not ended
  local count=0 pid
  for pid in "${racers[@]}"; do kill -0 "$pid" 2>/dev/null && count=$((count + 1)); done
  echo $count
}
at_most_one_running() { [ "$(running)" -le 1 ]; }
wait_for 120 at_most_one_running || fail "$(running) of ten racing starts still run"
peer count KW5; markers=$?
[ $markers -le 1 ] || fail "$markers marker windows after ten racing starts"
if [ "$(running)" -eq 1 ]; then
  "$run" "$program/nav_manager.exe" || fail "the start after the race ended with $?"
fi
for pid in "${racers[@]}"; do wait_exit "$pid" "a racing start"; done
marker_exists && fail "a marker window remains after the race"
echo "ten racing starts: all ended with 0, $markers instance left running"
echo "PASS"
