#!/usr/bin/env bash
# Start-up of the window against a bare Qt window with the same controls (bench/startup/):
# the median wall time from start to the first idle event loop, the median processor time
# (user + system, steadier than the wall time on a busy machine) and the median peak memory,
# of RUNS starts of each, alternating, on one Xvfb server, after one start of each to warm
# the caches. Tolvi starts in an empty working folder with an empty home folder.
# Usage: bench/startup.sh [BUILD_DIR] [RUNS]     (build/release and 15 by default)
# TOLVI=PATH times another build of the window against the same bare window.
set -euo pipefail
build=$(realpath "${1:-build/release}")
runs=${2:-15}
tolvi=$(realpath "${TOLVI:-$build/src/gui/tolvi}")
bare=$build/bench/startup/bare_window
for p in "$tolvi" "$bare" "$build/bench/startup/count_controls"; do
  [ -x "$p" ] || { echo "missing $p: build with TOLVI_BENCH=ON (cmake --preset release)" >&2; exit 2; }
done
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (scripts/install-deps.sh)" >&2; exit 2; }

if [ "${INSIDE_XVFB:-}" != 1 ]; then
  export INSIDE_XVFB=1
  export TOLVI=$tolvi
  exec xvfb-run -a -s "-screen 0 1920x1200x24" "$0" "$build" "$runs"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/cwd" "$work/run" && chmod 700 "$work/run"
export XDG_RUNTIME_DIR="$work/run"
"$build/bench/startup/count_controls" > "$work/controls"

# One start: wall milliseconds, processor milliseconds (user + system, from the shell's
# children times) and peak resident kilobytes, appended to $work/NAME.
# (times runs in this shell, not in a subshell, whose children would be its own.)
children_ms() {
  times > "$work/times"
  awk 'NR == 2 { split($1, u, /[ms]/); split($2, s, /[ms]/)
                 printf "%.0f", (u[1] * 60 + u[2] + s[1] * 60 + s[2]) * 1000 }' "$work/times"
}
start() {
  local name=$1
  shift
  local t0 t1
  children_ms > "$work/c0"
  t0=$EPOCHREALTIME
  (cd "$work/cwd" && HOME="$work/home" TOLVI_EXIT_WHEN_IDLE=1 \
     /usr/bin/time -f %M -o "$work/rss" "$@" < "$work/controls" > /dev/null)
  t1=$EPOCHREALTIME
  children_ms > "$work/c1"
  echo "$(awk -v a="$t0" -v b="$t1" 'BEGIN { printf "%.1f", (b - a) * 1000 }')" \
       "$(($(cat "$work/c1") - $(cat "$work/c0")))" \
       "$(cat "$work/rss")" >> "$work/$name"
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
  cpu=$(cut -d' ' -f2 "$work/$name" | median)
  kb=$(cut -d' ' -f3 "$work/$name" | median)
  printf '%-6s median of %d: %7.1f ms wall  %5.0f ms processor  %7d KB peak\n' \
    "$name" "$runs" "$ms" "$cpu" "$kb"
  eval "${name}_ms=$ms ${name}_cpu=$cpu ${name}_kb=$kb"
done
awk -v a="$tolvi_ms" -v b="$bare_ms" -v c="$tolvi_cpu" -v d="$bare_cpu" \
    -v e="$tolvi_kb" -v f="$bare_kb" \
  'BEGIN { printf "ratio: wall %.2fx, processor %.2fx, peak memory %.2fx\n", a / b, c / d, e / f }'
