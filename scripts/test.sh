#!/usr/bin/env bash
# Builds everything and runs the whole test suite: unit tests and end-to-end runs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/bootstrap.sh --all
cmake -S . -B build -G Ninja
cmake --build build
ctest --test-dir build --output-on-failure -j "$(nproc)"
bash scripts/test-package.sh
bash scripts/fuzz.sh
bash scripts/test-win32.sh
