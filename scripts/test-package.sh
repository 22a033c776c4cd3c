#!/usr/bin/env bash
# Builds the Debian packages from the default build and checks them: what each
# holds, and lintian's verdict (no error). Run after the build (scripts/test.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
rm -rf build/package
cpack --preset deb >/dev/null
main=$(ls build/package/nav-manager_*_amd64.deb)
tools=$(ls build/package/nav-manager-tools_*_amd64.deb)
fail() { echo "package: $*" >&2; exit 1; }

contents=$(dpkg-deb -c "$main" | awk '{ print $6 }')
for path in ./usr/bin/nav_manager ./usr/bin/suntimes \
  ./usr/libexec/nav_manager/nav_manager-play \
  ./usr/share/nav_manager/StartSound.wav ./usr/share/nav_manager/EndSound.wav \
  ./usr/lib/systemd/user/nav_manager.service ./usr/share/applications/nav_manager.desktop \
  ./usr/share/icons/hicolor/scalable/apps/nav_manager.svg \
  ./usr/share/man/man1/nav_manager.1.gz ./usr/share/man/man1/suntimes.1.gz \
  ./usr/share/doc/nav-manager/copyright ./usr/share/doc/nav-manager/changelog.gz; do
  grep -qx "$path" <<<"$contents" || fail "$main lacks $path"
done
grep -q navsim <<<"$contents" && fail "navsim is in the main package"
grep -q '\./usr/bin/navsim$' <<<"$(dpkg-deb -c "$tools")" || fail "navsim is not in $tools"

control=$(dpkg-deb -f "$main")
grep -q '^Section: utils$' <<<"$control" || fail "section"
grep -q '^Depends: .*libc6' <<<"$control" || fail "no dependencies from dpkg-shlibdeps"
grep -q '^Depends: .*libasound2' <<<"$control" || fail "the player's ALSA is no dependency"
grep -q 'libsndfile' <<<"$control" && fail "depends on libsndfile, which nothing links"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$main" "$unpacked"
file -b "$unpacked/usr/bin/nav_manager" | grep -q ', stripped' || fail "nav_manager is not stripped"
grep -qx 'ExecStart=/usr/bin/nav_manager' "$unpacked/usr/lib/systemd/user/nav_manager.service" ||
  fail "the unit does not name /usr/bin/nav_manager"
grep -qx 'Exec=/usr/bin/nav_manager' "$unpacked/usr/share/applications/nav_manager.desktop" ||
  fail "the launcher does not name /usr/bin/nav_manager"

verdict=$(lintian --allow-root "$main" "$tools" 2>&1 || true)
echo "${verdict:-lintian: no tags}"
grep -q '^E:' <<<"$verdict" && fail "lintian reports errors"
echo "package: $(basename "$main") and $(basename "$tools") checked"
