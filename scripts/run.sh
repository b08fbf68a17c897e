#!/usr/bin/env bash
# Installs what is missing, builds the release preset and starts the window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)"
if [ -x build/release/src/gui/tolvi ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display here: run 'xvfb-run scripts/run.sh', or use build/release/src/cli/tolvi-cli --help" >&2
    exit 1
  fi
  exec build/release/src/gui/tolvi "$@"
fi
exec build/release/src/cli/tolvi-cli --help
