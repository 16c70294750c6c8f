#!/usr/bin/env bash
# Builds everything and runs the whole test suite. With --asan, under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
preset=debug
[ "${1:-}" = "--asan" ] && preset=asan
scripts/deps.sh --test
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j2
