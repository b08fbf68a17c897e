#!/usr/bin/env bash
# Installs what is missing, builds the debug preset and runs every test.
# Usage: scripts/test.sh [preset]   (debug by default; asan for the sanitizers)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-debug}"
scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset"
