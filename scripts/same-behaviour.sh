#!/usr/bin/env bash
# Prints what tolvi-cli answers to every table of command lines in tests/behaviour (every case
# code of every panel, the refusals, the option chooser, the calculator, the period tables) and
# to 5000 generated cases of each panel. Run it with two builds to show that a change keeps the
# behaviour: scripts/same-behaviour.sh OLD/tolvi-cli NEW/tolvi-cli
set -euo pipefail
if [ $# -eq 2 ]; then
  diff <("$0" "$1") <("$0" "$2") && echo "same behaviour"
  exit
fi
cli=${1:?usage: same-behaviour.sh TOLVI-CLI [OTHER-TOLVI-CLI]}
here=$(dirname "$0")
for table in "$here"/../tests/behaviour/*.cmds; do
  "$here/behaviour.sh" "$cli" "$table"
done
"$cli" generate all --count 5000 --seed 11 --json
