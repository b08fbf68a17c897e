#!/usr/bin/env bash
# Every C++ file of the tree is laid out as .clang-format says; prints the files that are not
# and fails. To lay a file out: clang-format -i FILE.
#
#   scripts/check-format.sh [ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
format=$(command -v clang-format || command -v clang-format-14)
# One run over every file; each file that differs is named in the errors it prints.
mapfile -d '' files < <(find src tests fuzz bench -name '*.cpp' -print0 -o -name '*.h' -print0)
rc=0
out=$("$format" --dry-run -Werror "${files[@]}" 2>&1) || rc=$?
bad=$(grep -oE '^[^:]+\.(cpp|h):[0-9]+:[0-9]+: error' <<<"$out" | cut -d: -f1 | sort -u || true)
if ((rc)) && [[ -z $bad ]]; then
  echo "clang-format failed:"
  echo "$out"
  exit 1
fi
if [[ -n $bad ]]; then
  echo "not laid out as .clang-format says (clang-format -i FILE):"
  echo "$bad"
  exit 1
fi
echo "every C++ file laid out as .clang-format says"
