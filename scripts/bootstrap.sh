#!/usr/bin/env bash
# Installs what building, testing and the demo need, from Debian's packages.
# By default only what the Linux build, the demo and the Linux tests need; the
# options add the tools of the other suites (scripts/test.sh passes --all):
#
#   bash scripts/bootstrap.sh [--win32] [--fuzz] [--package] [--all]
#
#   --win32    MinGW-w64, Wine and NSIS, for the Win32 build, its tests and installer
#   --fuzz     clang and libFuzzer, for scripts/fuzz.sh
#   --package  dpkg-dev, lintian and file, for the Debian packages
#
# Idempotent: packages already present are left alone. Uses sudo when not root.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libasound2-dev alsa-utils
  faketime tzdata
)
win32=(googletest g++-mingw-w64-x86-64-posix wine wine64 nsis)
fuzz=(clang libclang-rt-14-dev libfuzzer-14-dev)
package=(dpkg-dev lintian file)

for option in "$@"; do
  case "$option" in
    --win32) packages+=("${win32[@]}") ;;
    --fuzz) packages+=("${fuzz[@]}") ;;
    --package) packages+=("${package[@]}") ;;
    --all) packages+=("${win32[@]}" "${fuzz[@]}" "${package[@]}") ;;
    -h | --help) sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "bootstrap: unknown option '$option' (see bash scripts/bootstrap.sh --help)" >&2; exit 2 ;;
    *) echo "bootstrap: unexpected argument '$option' (see bash scripts/bootstrap.sh --help)" >&2; exit 2 ;;
  esac
done

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "bootstrap: installing ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
