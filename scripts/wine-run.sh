#!/usr/bin/env bash
# Runs a Win32 program under a headless Wine: wine-run.sh PROGRAM.exe [ARGS...]
# The tests' emulator. The prefix is $NAV_WINEPREFIX, else "wineprefix" in the
# build folder above the program's own folder (build-win32/wineprefix); it is
# made once, with no display, no audio and no crash dialog, and then shared by
# every program of the run. A persistent server is started first, so services
# Wine starts never hold a program's output pipe open after it has ended.
# The exit code is the program's own, a GUI (-mwindows) program's too (Wine 8.0: 1 and 3 seen).
set -euo pipefail

program=$1
shift
program_dir=$(cd "$(dirname "$program")" && pwd)
export WINEPREFIX=${NAV_WINEPREFIX:-$(dirname "$program_dir")/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
export DISPLAY=

ready=$WINEPREFIX/.nav-ready
if [ ! -e "$ready" ]; then
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [ ! -e "$ready" ]; then
      wineboot -i >/dev/null 2>&1 </dev/null
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
      wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f >/dev/null 2>&1 </dev/null
      wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
        >/dev/null 2>&1 </dev/null
      wineserver -w
      touch "$ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

# A server that outlives this program by a while, and its services already up.
wineserver -p30 >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null || true

exec wine "$program" "$@"
