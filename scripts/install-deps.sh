#!/usr/bin/env bash
# Installs the Debian 12 packages Tolvi needs, when missing.
# Usage: scripts/install-deps.sh [run|all]
#   run: what building and starting the programs needs (scripts/run.sh, packaging);
#   all (default): also the tests, the packaging checks, benchmarks and fuzzing.
set -euo pipefail
run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl-dev qt6-translations-l10n fonts-dejavu-core
  qt6-charts-dev qt6-svg-dev libqt6opengl6-dev
  libcli11-dev nlohmann-json3-dev libboost-math-dev
)
dev_packages=(
  libgtest-dev googletest libbenchmark-dev libmuparser-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth imagemagick time
  poppler-utils libxml2-utils
  desktop-file-utils appstream dpkg-dev
)
packages=("${run_packages[@]}")
[ "${1:-all}" = run ] || packages+=("${dev_packages[@]}")
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
