#!/usr/bin/env bash
# Every C++ file of the tree is laid out as .clang-format says; prints the files that are not
# and fails. To lay a file out: clang-format -i FILE.
#
#   scripts/check-format.sh [ROOT]
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
format=$(command -v clang-format || command -v clang-format-14)
bad=()
while IFS= read -r -d '' f; do
  "$format" --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done < <(find src tests fuzz bench -name '*.cpp' -print0 -o -name '*.h' -print0)
if ((${#bad[@]})); then
  printf 'not laid out as .clang-format says (clang-format -i FILE):\n'
  printf '  %s\n' "${bad[@]}"
  exit 1
fi
echo "every C++ file laid out as .clang-format says"
