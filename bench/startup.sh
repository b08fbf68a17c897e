#!/usr/bin/env bash
# Start-up of the window against a bare Qt window with the same controls (bench/startup/):
# the median wall time from start to the first idle event loop, and the median peak memory,
# of RUNS starts of each, alternating, on one Xvfb server, after one start of each to warm
# the caches. Tolvi starts in an empty working folder with an empty home folder.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]     (build/release and 15 by default)
set -euo pipefail
build=$(realpath "${1:-build/release}")
runs=${2:-15}
tolvi=$build/src/gui/tolvi
bare=$build/bench/startup/bare_window
for p in "$tolvi" "$bare" "$build/bench/startup/count_controls"; do
  [ -x "$p" ] || { echo "missing $p: build with TOLVI_BENCH=ON (cmake --preset release)" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (scripts/install-deps.sh)" >&2; exit 2; }

if [ "${INSIDE_XVFB:-}" != 1 ]; then
  export INSIDE_XVFB=1
  exec xvfb-run -a -s "-screen 0 1920x1200x24" "$0" "$build" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/cwd"
"$build/bench/startup/count_controls" > "$work/controls"

# One start: wall milliseconds and peak resident kilobytes, appended to $work/NAME.
start() {
  local name=$1
  shift
  local t0=$EPOCHREALTIME
  (cd "$work/cwd" && HOME="$work/home" TOLVI_EXIT_WHEN_IDLE=1 \
     /usr/bin/time -f %M -o "$work/rss" "$@" < "$work/controls" > /dev/null)
  local t1=$EPOCHREALTIME
  echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", (b - a) * 1000 }') $(cat "$work/rss")" \
    >> "$work/$name"
}
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

start warm "$tolvi"
start warm "$bare"
for ((i = 0; i < runs; ++i)); do
  start tolvi "$tolvi"
  start bare "$bare"
done

echo "controls: $(awk '$1 != "menu" { n += $2 } END { print n }' "$work/controls") widgets," \
     "$(awk '$1 == "menu" { n += $3 } END { print n }' "$work/controls") menu entries"
for name in tolvi bare; do
  ms=$(cut -d' ' -f1 "$work/$name" | median)
  kb=$(cut -d' ' -f2 "$work/$name" | median)
  printf '%-6s median of %d: %7.1f ms  %7d KB peak\n' "$name" "$runs" "$ms" "$kb"
  eval "${name}_ms=$ms ${name}_kb=$kb"
done
awk -v a="$tolvi_ms" -v b="$bare_ms" -v c="$tolvi_kb" -v d="$bare_kb" \
  'BEGIN { printf "ratio: time %.2fx, peak memory %.2fx\n", a / b, c / d }'
