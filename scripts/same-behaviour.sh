#!/usr/bin/env bash
# Prints what tolvi-cli answers to a fixed table of solves (every case code of every panel, the
# refusals, the option chooser) and to 5000 generated cases of each panel. Run it with two
# builds to show that a change keeps the behaviour:
#   scripts/same-behaviour.sh OLD/tolvi-cli > old.txt; scripts/same-behaviour.sh NEW/tolvi-cli > new.txt
#   cmp old.txt new.txt
# or give both programs to compare at once: scripts/same-behaviour.sh OLD NEW
set -euo pipefail
if [ $# -eq 2 ]; then
  diff <("$0" "$1") <("$0" "$2") && echo "same behaviour"
  exit
fi
cli=${1:?usage: same-behaviour.sh TOLVI-CLI [OTHER-TOLVI-CLI]}

solves=(
  # arithmetic: every code, k > 1, several counts, refusals
  "arithmetic a=3 d=2 n=10" "arithmetic a=3 d=2 an=11" "arithmetic a=3 d=2 sn=35"
  "arithmetic a=3 n=5 an=11" "arithmetic a=3 n=5 sn=35" "arithmetic a=3 an=11 sn=35"
  "arithmetic d=2 n=5 an=11" "arithmetic d=2 n=5 sn=35" "arithmetic d=2 an=11 sn=35"
  "arithmetic n=5 an=11 sn=35" "arithmetic k=3 a=7 d=2 n=5" "arithmetic k=2 a=5 an=11 sn=35"
  "arithmetic a=10 d=-2 sn=30 --choose 2" "arithmetic k=5 a=9 an=9 sn=25"
  "arithmetic a=1 d=2 an=8" "arithmetic a=3 d=0" "arithmetic a=3 d=2 n=1,5" "arithmetic a=3"
  "arithmetic k=x a=1 d=1 n=4,5" "arithmetic a=1e308 d=1e308 n=5"
  "arithmetic-interpolation k=3 a=2 b=10" "arithmetic-interpolation k=-1 a=2 b=10"
  # geometric: every code, the infinite sum, negative ratios, choices, refusals
  "geometric a=2 r=3 n=5" "geometric a=8 r=0,5 n=4" "geometric a=2 r=3 an=162"
  "geometric a=2 r=3 sn=242" "geometric a=3 n=4 an=24" "geometric a=1 n=3 sn=7"
  "geometric a=1 n=3 sn=7 --choose 2" "geometric a=1 n=3 sn=7 --decreasing"
  "geometric a=1 n=3 sn=1,75 --decreasing" "geometric k=2 a=4 an=1 sn=15"
  "geometric a=1 an=16 sn=31" "geometric r=2 n=5 an=162" "geometric r=2 n=5 sn=31"
  "geometric r=2 an=16 sn=31" "geometric n=4 an=1 sn=15 --decreasing" "geometric n=4 an=1 sn=15"
  "geometric a=1 r=-2 an=16" "geometric a=3 n=4 an=-24" "geometric k=2 a=0,3 an=0,3 sn=2,1"
  "geometric a=8 n=4 s=16" "geometric k=2 a=2 n=3 s=9 --choose 2" "geometric r=0,5 n=4 s=16"
  "geometric r=0,5 an=1 s=16" "geometric r=0,5 sn=15 s=16" "geometric n=4 an=1 s=16"
  "geometric n=4 sn=15 s=16 --choose 2" "geometric an=1 sn=15 s=16" "geometric an=1 sn=15 s=10"
  "geometric a=1 r=0,5 s=2" "geometric a=1 an=0,5 s=2" "geometric a=2 r=3 an=100"
  "geometric r=1 a=2 n=3" "geometric a=2 r=3 n=1,5" "geometric k=3 a=18 r=3 n=5"
  "geometric-interpolation k=3 a=2 b=32" "geometric-interpolation k=3 a=1 b=-16"
  # interest and annuities: every case, refusals
  "simple capital=1000 rate=5 time=3" "simple capital=1000 time=3 final=1150"
  "simple rate=5 time=3 final=1150" "simple capital=1000 rate=5 final=1150"
  "compound capital=1000 rate=5 time=3" "compound capital=1000 time=3 final=1157,63"
  "compound rate=5 time=3 final=1157,63" "compound capital=1000 rate=5 final=2000"
  "compound capital=2000 rate=5 final=1000"
  "capitalisation capital=10000 rate=5 time=10" "capitalisation capital=10000 time=10 annuity=757,19"
  "capitalisation rate=5 time=10 annuity=757,19" "capitalisation capital=10000 rate=5 annuity=757,19"
  "capitalisation capital=1000 time=10 annuity=200"
  "amortisation debt=10000 rate=5 time=10" "amortisation debt=10000 time=10 annuity=1295,05"
  "amortisation rate=5 time=10 annuity=1295,05" "amortisation debt=10000 rate=5 annuity=1295,05"
  "amortisation debt=10000 rate=5 annuity=400" "amortisation debt=1000 time=1 annuity=1950"
  "simple capital=0 rate=5 time=3"
)
for s in "${solves[@]}"; do
  # shellcheck disable=SC2086
  "$cli" solve $s --json || true
done
"$cli" generate all --count 5000 --seed 11 --json
