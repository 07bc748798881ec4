#!/usr/bin/env bash
# Metabolic Allometry, Simple Regression and Day of the Year from the start-up chooser, with no
# file: each runs and returns to the chooser; the regression's pairs are saved as a csv file.
source "$(dirname "$0")/lib.sh" "$@"

cat > "$WORK/special.events" <<EVENTS
menu 8 11
popup 58 2
type 112 100
click 2
shot 8 $WORK/allometry.png
click 3
menu 8 12
shot 8 $WORK/minimum_flow.png
click 3
menu 8 2
type 101 0
type 201 0
type 102 1
type 202 2.1
type 103 2
type 203 3.9
type 104 3
type 204 6.2
click 10
shot 2001 $WORK/regression_plot.png
type 46 5
click 12
shot 8 $WORK/regression.png
click 65
save $WORK/calibration.csv
click 66
menu 8 19
popup 140 12
type 111 31
type 113 1900
click 19
shot 8 $WORK/day_of_year.png
click 20
click 5
EVENTS
run_events special
expect_status 0 "three calculators from the chooser, then Quit"
for p in allometry minimum_flow regression_plot regression day_of_year; do
  if [ ! -s "$WORK/$p.png" ]; then echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); fi
done
require_file "$WORK/calibration.csv" "saved regression data"
expected=$'X value,Y value\n0,0\n1,2.1\n2,3.9\n3,6.2'
if [ "$(cat "$WORK/calibration.csv")" != "$expected" ]; then
  echo "FAIL: the saved pairs differ:"; cat "$WORK/calibration.csv"; FAILS=$((FAILS + 1))
fi

finish
