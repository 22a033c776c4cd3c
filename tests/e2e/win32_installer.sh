#!/usr/bin/env bash
# The Windows installer, made by cpack and run silently under Wine in a fresh
# prefix. A plain install puts the program, its sounds and texts into Program
# Files\nav_manager, the Start menu switch and the entry in the list of
# installed programs, and no logon entry; the installed program toggles; the
# uninstaller switches a running nav_manager off and leaves nothing behind but
# the navigator's exchange folder. An install with /LOGON into another folder
# (/D=) adds the logon entry; its uninstall fails, removing nothing, while the
# program file is in use, and then takes everything away.
# Usage: win32_installer.sh BUILD_DIR TESTS_DIR WINE_RUN CPACK
set -u
build=$1 tests=$2 run=$3 cpack=$4
source "$(dirname "$0")/win32_lib.sh"

work=$(mktemp -d)
export NAV_WINEPREFIX=$work/prefix
nav_pid=
cleanup() {
  [ -n "$nav_pid" ] && kill "$nav_pid" 2>/dev/null
  WINEPREFIX=$NAV_WINEPREFIX wineserver -k 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

"$cpack" --config "$build/CPackConfig.cmake" -G NSIS -B "$work/pkg" \
  -D CPACK_OUTPUT_FILE_PREFIX="$work/pkg" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack made no installer"; }
setup=$(ls "$work"/pkg/*-setup.exe) || fail "no installer in $work/pkg"

drive=$NAV_WINEPREFIX/drive_c
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
logon="$menu/StartUp/nav_manager.lnk"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\nav_manager'
missing() { [ ! -e "$1" ]; }
start_nav() {  # start_nav FOLDER: a first start, which switches it on
  "$run" "$1/nav_manager.exe" & nav_pid=$!
  wait_for 30 marker_exists || fail "a start from $1 made no marker window"
}
uninstall() {  # uninstall FOLDER: the uninstaller ends from a copy of itself
  "$run" "$1/Uninstall.exe" /S || fail "the uninstaller ended with $?"
  wait_for 30 missing "$1" || fail "left behind: $(ls "$1")"
}

"$run" "$setup" /S || fail "the installer ended with $?"
# The programs start on drive C:, where their exchange folder then lies.
cd "$drive" || fail "no C: drive in $NAV_WINEPREFIX"
home="$drive/Program Files/nav_manager"
for file in nav_manager.exe StartSound.wav EndSound.wav README.txt LICENSE.txt Uninstall.exe; do
  [ -f "$home/$file" ] || fail "$file is not in $home: $(ls "$home")"
done
[ -e "$home/suntimes.exe" ] && fail "the command-line tools were installed unasked"
switch="$menu/nav_manager/nav_manager (on-off).lnk"
[ -f "$switch" ] || fail "no Start menu switch: $(ls -R "$menu")"
# A shell link holds its target, and its working folder in UTF-16.
strings -a "$switch" | grep -qxF 'C:\Program Files\nav_manager\nav_manager.exe' ||
  fail "the Start menu switch does not start the installed nav_manager.exe"
strings -a -el "$switch" | grep -qxF 'C:\Program Files\nav_manager' ||
  fail "the Start menu switch does not start in the installation folder"
[ -e "$logon" ] && fail "a logon entry without /LOGON"
"$run" reg query "$key" >"$work/key.txt" 2>&1 || fail "no uninstall entry"
for value in DisplayName DisplayVersion Publisher DisplayIcon UninstallString; do
  grep -q "$value" "$work/key.txt" || fail "the uninstall entry has no $value: $(cat "$work/key.txt")"
done

# The installed program toggles: a start switches it on, the next one off.
start_nav "$home"
"$run" "$home/nav_manager.exe" || fail "the second start ended with $?"
wait "$nav_pid" || fail "the running instance ended with $?"
nav_pid=
marker_exists && fail "a marker window remains after the second start"

# The uninstaller switches a running nav_manager off and removes everything
# but the navigator's exchange folder.
start_nav "$home"
exchange=$drive/TomTom/SdkFileCalls
[ -d "$exchange" ] || fail "no exchange folder at $exchange"
touch "$exchange/kept"
uninstall "$home"
wait "$nav_pid" || fail "the instance the uninstaller switched off ended with $?"
nav_pid=
marker_exists && fail "nav_manager still runs after the uninstall"
[ -e "$menu/nav_manager" ] && fail "left in the Start menu: $(ls "$menu/nav_manager")"
"$run" reg query "$key" >/dev/null 2>&1 && fail "the uninstall entry remains"
"$run" reg query 'HKLM\Software\The nav_manager authors' >/dev/null 2>&1 &&
  fail "the installation's registry key remains"
[ -f "$exchange/kept" ] || fail "the uninstaller touched the exchange folder"

# /LOGON puts the logon entry in place, /D= chooses the folder.
"$run" "$setup" /S /LOGON '/D=C:\Apps\nav_manager' || fail "the /LOGON install ended with $?"
[ -f "$drive/Apps/nav_manager/nav_manager.exe" ] || fail "/D= was not followed"
[ -f "$logon" ] || fail "no logon entry with /LOGON: $(ls "$menu/StartUp")"

# A program file that stays in use stops the uninstall (exit code 2, run in
# place as the installer runs it) with nothing removed; once it is free the
# uninstall goes through.
apps=$drive/Apps/nav_manager
exists() { [ -e "$1" ]; }
peer hold "$apps/nav_manager.exe" & holder=$!
wait_for 30 exists "$apps/nav_manager.exe.held" || fail "the peer did not take nav_manager.exe"
"$run" "$apps/Uninstall.exe" /S '_?=C:\Apps\nav_manager'; code=$?
[ $code -eq 2 ] || fail "the uninstaller ended with $code while nav_manager.exe was in use"
for file in nav_manager.exe StartSound.wav README.txt Uninstall.exe; do
  [ -f "$apps/$file" ] || fail "the failed uninstall removed $file"
done
[ -f "$logon" ] || fail "the failed uninstall removed the logon entry"
"$run" reg query "$key" >/dev/null 2>&1 || fail "the failed uninstall removed the uninstall entry"
touch "$apps/nav_manager.exe.release"
wait "$holder"
rm -f "$apps/nav_manager.exe.held" "$apps/nav_manager.exe.release"
uninstall "$apps"
[ -e "$logon" ] && fail "the logon entry remains after the uninstall"
echo "PASS"
