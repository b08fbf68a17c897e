#!/usr/bin/env bash
# What tolvi-cli prints for a table of its own command lines: the behaviour a change must keep.
# A table (tests/behaviour/NAME.cmds) holds one command line a row, split at blanks; blank rows
# and rows that start with # are skipped. Its expected output is NAME.out beside it: each row as
# "$ ARGS", what the program wrote (standard output, then standard error), and its exit status
# when that is not 0.
#   behaviour.sh CLI TABLE            print the table's output
#   behaviour.sh --check CLI TABLE    compare it with the expected output (the test)
#   behaviour.sh --update CLI TABLE   write it as the expected output, after a wanted change
set -euo pipefail
mode=print
case ${1-} in --check | --update) mode=${1#--}; shift ;; esac
cli=${1:?usage: behaviour.sh [--check|--update] TOLVI-CLI TABLE}
table=${2:?usage: behaviour.sh [--check|--update] TOLVI-CLI TABLE}
cli=$(realpath "$cli")

run() {
  local line args out err status
  err=$(mktemp)
  trap 'rm -f "$err"' RETURN
  while IFS= read -r line || [ -n "$line" ]; do
    [[ -z ${line//[[:space:]]/} || $line == \#* ]] && continue
    read -ra args <<<"$line"
    printf '$ %s\n' "$line"
    # The program runs from an empty folder, so that files it is told to write land nowhere.
    out=$(cd "$work" && LC_ALL=C.UTF-8 "$cli" "${args[@]}" 2>"$err"; echo "~$?")
    status=${out##*~}
    printf '%s' "${out%~*}"
    cat "$err"
    [ "$status" = 0 ] || printf '[exit %s]\n' "$status"
  done <"$table"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
case $mode in
  print) run ;;
  update) run >"${table%.cmds}.out" ;;
  check) diff -u --label expected "${table%.cmds}.out" --label actual <(run) ;;
esac
