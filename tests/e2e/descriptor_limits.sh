#!/usr/bin/env bash
# Too few open files, or too few of them free: nav_manager says so and fails,
# instead of running without ever ticking; a low soft limit under a high hard
# one is raised.
set -euo pipefail
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export NAV_MANAGER_ROOT="$work/root" NAV_MANAGER_RUNTIME_DIR="$work/run"
mkdir -p "$NAV_MANAGER_ROOT"
nav="$NAV_BIN/nav_manager"

set +e
message=$(ulimit -n 5 && "$nav" 2>&1 >/dev/null)
code=$?
set -e
[ "$code" -eq 1 ] || { echo "exit $code with 5 descriptors, expected 1"; exit 1; }
[ "$(printf '%s\n' "$message" | wc -l)" -eq 1 ] && [[ "$message" == nav_manager:*ulimit* ]] ||
  { echo "expected one line naming the limit, got: $message"; exit 1; }
[ -z "$(ls -A "$NAV_MANAGER_RUNTIME_DIR" 2>/dev/null | grep -v registry.lock)" ] ||
  { echo "a failed start left a window behind"; exit 1; }

# A limit high enough, but most of it taken by inherited descriptors (3 to 9).
set +e
message=$(ulimit -n 16 && timeout 20 "$nav" 2>&1 >/dev/null 3</dev/null 4</dev/null 5</dev/null \
  6</dev/null 7</dev/null 8</dev/null 9</dev/null)
code=$?
set -e
[ "$code" -eq 1 ] || { echo "exit $code with descriptors 3 to 9 taken under 16, expected 1"; exit 1; }
[ "$(printf '%s\n' "$message" | wc -l)" -eq 1 ] && [[ "$message" == nav_manager:*ulimit* ]] ||
  { echo "expected one line naming the limit, got: $message"; exit 1; }

(ulimit -S -n 5 && exec "$nav") &
first=$!
for _ in $(seq 100); do [ -S "$NAV_MANAGER_RUNTIME_DIR/KW5#" ] && break; sleep 0.05; done
[ -S "$NAV_MANAGER_RUNTIME_DIR/KW5#" ] || { echo "no marker with a raised soft limit"; exit 1; }
"$nav"
wait "$first" || { echo "the running instance did not stop cleanly"; exit 1; }
echo "descriptor limits: ok"
