#!/usr/bin/env bash
# Simple Math, Unit Interconversions and the ventilation calculator from the start-up chooser,
# with no file: each runs, returns to the chooser, and the chooser's Quit ends the program.
source "$(dirname "$0")/lib.sh" "$@"

cat > "$WORK/calculators.events" <<EVENTS
menu 8 1
type 111 12
key 13
type 112 3
key 95
shot 8 $WORK/simple_math.png
click 41
menu 8 21
click 124
popup 66 4
type 111 100
click 119
shot 8 $WORK/unit_conversions.png
click 120
menu 8 16
type 111 1
type 112 20.95
type 113 37
type 114 25
type 115 760
type 116 0
type 117 50
type 227 20
type 118 0.5
type 119 1
type 210 1.0
type 211 1
type 212 0.8
type 213 2
click 2
shot 8 $WORK/ventilation.png
click 3
click 5
EVENTS
run_events calculators
expect_status 0 "three calculators from the chooser, then Quit"
for p in simple_math unit_conversions ventilation; do
  if [ ! -s "$WORK/$p.png" ]; then echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); fi
done

finish
