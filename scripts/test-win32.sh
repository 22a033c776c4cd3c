#!/usr/bin/env bash
# The Win32 suite: cross-builds with the win32 preset and runs every test
# under Wine, in a fresh headless prefix (build-win32/wineprefix).
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=build-win32/wineprefix
if [ -d "$prefix" ]; then
  WINEPREFIX=$PWD/$prefix wineserver -k 2>/dev/null || true
  rm -rf "$prefix" "$prefix.lock"
fi
cmake --preset win32
cmake --build --preset win32
ctest --preset win32 -j "$(nproc)"
# suntimes.exe against the Linux build, when scripts/test.sh has built it.
if [ -x build/bin/suntimes ]; then
  bash scripts/compare-suntimes.sh
fi
