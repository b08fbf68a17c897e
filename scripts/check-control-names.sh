#!/usr/bin/env bash
# Control names are written in one place, the catalogue (src/solvers/controls.h): anywhere else
# in the program or the benchmarks a name written as a literal ("Idg(3)", "OpGuard") is a slip
# that the catalogue's own checks cannot see. Prints every such line and fails when there is one.
#
#   scripts/check-control-names.sh [ROOT]
#
# Allowed: the dialogs' own OK buttons and status line ("BtOk", "EtEstat" as object names of
# the dialogs' controls) and the Info menu's title, whose text is its name.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
cd "$root"
names=$(grep -oE '"[A-Za-z][A-Za-z0-9]*"' src/solvers/controls.h | tr -d '"' | sort -u | paste -sd'|')
hits=$(grep -rnE --include='*.cpp' --include='*.h' "\"($names)[\"(]" src bench |
  grep -v '^src/solvers/controls\.' |
  grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' | sed -E 's#[[:space:]]//.*$##' |
  grep -E "\"($names)[\"(]" |
  grep -vE '^src/gui/(dftxs|dhoja|ftria|ftools)\.cpp:[0-9]+:.*"(BtOk|EtEstat)"' |
  grep -v 'QStringLiteral("Info")' || true)
if [[ -n $hits ]]; then
  echo "control names written outside src/solvers/controls.h (use the ctl:: names):"
  echo "$hits"
  exit 1
fi
echo "no control name outside the catalogue"
