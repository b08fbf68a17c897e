#!/usr/bin/env bash
# Installs what is missing, builds the programs alone (the run preset: no tests, no
# benchmarks) and starts the window. Arguments go to the window (tolvi --help lists them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh run
cmake --preset run >/dev/null
cmake --build --preset run -j "$(nproc)"
if [ -x build/run/src/gui/tolvi ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display here: run 'xvfb-run scripts/run.sh', or use build/run/src/cli/tolvi-cli --help" >&2
    exit 1
  fi
  exec build/run/src/gui/tolvi "$@"
fi
exec build/run/src/cli/tolvi-cli --help
