#!/usr/bin/env bash
# Plants the single-line faults listed in scripts/mutants.txt into src/, one at a time, in a
# scratch copy of the tree, rebuilds the non-GUI test programs and records which fault some
# test catches (a failing or hanging test program, or a behaviour table whose output changed)
# and which none does.
#
#   scripts/mutants.sh [--check] [--only "3 17 42"] [--out FILE]
#
#   --check   only verify that every listed text occurs exactly once in its file
#   --only    plant only these faults (numbers as printed in the results)
#   --out     the results file (default: mutants-results.txt in the scratch folder)
#
# The scratch copy (MUTANTS_DIR, default /tmp/tolvi-mutants) holds the tracked files of the
# working tree as they are now, so the tests being judged are the ones in the working tree.
# The build there is a plain Debug one without the window or -g, so that
# each fault costs one compile and a few links.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
list="$here/scripts/mutants.txt"
work=${MUTANTS_DIR:-/tmp/tolvi-mutants}
src="$work/src"
build="$work/build"
out=""
only=""
check=0
while (($#)); do
  case "$1" in
    --check) check=1 ;;
    --only) only=" $2 "; shift ;;
    --out) out="$2"; shift ;;
    *) echo "usage: $0 [--check] [--only \"N...\"] [--out FILE]" >&2; exit 2 ;;
  esac
  shift
done
out=${out:-$work/mutants-results.txt}

# Replaces the one occurrence of $2 in file $1 by $3 (python does the literal replacement).
plant() {
  python3 - "$1" "$2" "$3" <<'PY'
import sys
path, old, new = sys.argv[1:4]
text = open(path, encoding="utf-8").read()
n = text.count(old)
if n != 1:
    sys.exit(f"{path}: {old!r} occurs {n} times")
open(path, "w", encoding="utf-8").write(text.replace(old, new))
PY
}

mapfile -t rows < <(grep -v '^#' "$list" | grep -v '^\s*$')

if ((check)); then
  bad=0
  for row in "${rows[@]}"; do
    IFS=$'\t' read -r file old _ <<<"$row"
    n=$(python3 -c 'import sys; print(open(sys.argv[1], encoding="utf-8").read().count(sys.argv[2]))' \
        "$here/$file" "$old")
    [[ $n == 1 ]] || { echo "$file: occurs $n times: $old"; bad=1; }
  done
  echo "${#rows[@]} faults listed"
  exit $bad
fi

# The scratch copy: the tracked files of the working tree. A file is copied only when its
# text differs from the scratch one, and then gets a new time, so that the build there always
# matches the text (a fault left by an interrupted run is overwritten and rebuilt, unchanged
# files are not rebuilt); files gone from the working tree go from the copy too.
stage="$work/stage"
rm -rf "$stage"
mkdir -p "$src" "$stage"
(cd "$here" && git ls-files -z | tar --null -T - -c) | tar -x -C "$stage"
(cd "$stage" && find . -type f) | while IFS= read -r f; do
  if ! cmp -s "$stage/$f" "$src/$f"; then
    mkdir -p "$(dirname "$src/$f")"
    cp "$stage/$f" "$src/$f"
  fi
done
(cd "$src" && find tests src -type f) | while IFS= read -r f; do
  [[ -e $stage/$f ]] || rm -f "$src/$f"
done
if [[ ! -f $build/build.ninja ]]; then
  cmake -G Ninja -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-O0 \
        -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold -DBUILD_TESTING=ON -DTOLVI_GUI=OFF \
        -DTOLVI_PRINT=ON -DTOLVI_BENCH=OFF >/dev/null
fi

layers=(numeric documents solvers app cli)

# Builds what one layer's test program needs (the command-line tests also run tolvi-cli).
build_layer() {
  local t=(test_$1); [[ $1 == cli ]] && t+=(tolvi-cli)
  nice -n 10 ninja -C "$build" -j2 "${t[@]}" >"$work/build.log" 2>&1
}
build_all() { for l in "${layers[@]}"; do build_layer "$l" || return 1; done; }

# Runs the test programs, the faulty file's own layer first, each built just before it runs,
# and stops at the first failure: prints the program that failed ("build" when the fault does
# not compile), or nothing.
run_tests() {
  local first=$1 order=("$1")
  for l in "${layers[@]}"; do [[ $l == "$first" ]] || order+=("$l"); done
  for l in "${order[@]}"; do
    build_layer "$l" || { echo build; return; }
    if ! TOLVI_TEST_DATA="$src/tests/data" timeout 300 nice -n 10 "$build/tests/test_$l" \
          --gtest_brief=1 --gtest_fail_fast >"$work/test.log" 2>&1; then
      echo "test_$l"
      return
    fi
  done
  # Last, what tolvi-cli prints for the behaviour tables.
  for table in "$src"/tests/behaviour/*.cmds; do
    if ! timeout 300 bash "$src/scripts/behaviour.sh" --check "$build/src/cli/tolvi-cli" "$table" \
          >"$work/test.log" 2>&1; then
      echo "behaviour.$(basename "$table" .cmds)"
      return
    fi
  done
}

build_all || { echo "the unchanged tree does not build: see $work/build.log" >&2; exit 1; }
failed=$(run_tests numeric)
[[ -z $failed ]] || { echo "the unchanged tree fails $failed: see $work/test.log" >&2; exit 1; }

: >"$out"
planted=0 caught=0 id=0
for row in "${rows[@]}"; do
  id=$((id + 1))
  [[ -z $only || $only == *" $id "* ]] || continue
  IFS=$'\t' read -r file old new <<<"$row"
  layer=$(cut -d/ -f2 <<<"$file")
  [[ $layer == texts ]] && layer=app  # the catalogues are tested with the controller
  keep=$(mktemp)
  cp "$src/$file" "$keep"
  plant "$src/$file" "$old" "$new"
  failed=$(run_tests "$layer")
  case "$failed" in
    "") verdict=missed ;;
    build) verdict=nobuild ;;
    *) verdict=caught ;;
  esac
  # Restored with a new time, so the next build compiles the sound file again.
  cat "$keep" >"$src/$file"
  rm -f "$keep"
  planted=$((planted + 1))
  [[ $verdict == caught ]] && caught=$((caught + 1))
  printf '%d\t%s\t%s\t%s\t%s\n' "$id" "$verdict" "${failed:--}" "$file" "$old" | tee -a "$out"
done
echo "planted $planted, caught $caught" | tee -a "$out"
