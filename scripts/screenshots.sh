#!/usr/bin/env bash
# Photographs the window under Xvfb: 1366x768 at scale 1 and 1.25, scale 2 on 1600x1000, the
# dark Fusion palette, the Catalan and English windows, the worksheet builder.
# Usage: scripts/screenshots.sh BUILD_DIR OUT_PREFIX   (e.g. build/debug /tmp/tolvi)
# writes OUT_PREFIX-<name>.png for each picture.
set -euo pipefail
build=${1:?usage: screenshots.sh BUILD_DIR OUT_PREFIX}
out=${2:?usage: screenshots.sh BUILD_DIR OUT_PREFIX}
program="$build/tests/gui/tolvi_screen"

shoot() {  # name screen scale args...
  local name=$1 screen=$2 scale=$3
  shift 3
  QT_SCALE_FACTOR=$scale xvfb-run -a -s "-screen 0 ${screen}x24" bash -c '
    "$@" & pid=$!
    sleep 3
    import -window root "'"$out-$name"'.png"
    kill $pid' _ "$program" "$@"
  echo "$out-$name.png"
}

shoot 1366x768-scale1 1366x768 1
shoot 1366x768-scale1.25 1366x768 1.25
shoot 1600x1000-scale2 1600x1000 2
shoot dark 1366x768 1 --dark
shoot catalan 1366x768 1 --lang ca
shoot english 1366x768 1 --lang en
shoot worksheet 1366x768 1 --worksheet
