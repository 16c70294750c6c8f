#!/usr/bin/env bash
# Builds the game and its demo content, then starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target porukami porukami_content
exec build/release/bin/porukami
