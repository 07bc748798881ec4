#!/usr/bin/env bash
# Expression Transforms on a 3-channel recording: SQRT(x)+y with Y = channel 3 into a new
# channel, then x*2 (typed after the check, so checked again by the run) into another; saved
# as text. Then the expression calculator: x = 3, y = 4, SQRT(x^2+y^2) gives 5.
source "$(dirname "$0")/lib.sh" "$@"

python3 - "$WORK/three.KXdata" <<'PY'
import sys, kxdata
kxdata.write(sys.argv[1], 900, [lambda k: float(k), lambda k: 1.0, lambda k: 0.5 * k])
PY

cat > "$WORK/expr.events" <<EVENTS
menu 2 24
click 6
type 104 SQRT(x)+y
click 141
click 145
click 142
type 104 x*2
click 142
shot 8 $WORK/expr.png
click 250
menu 1 7
click 233
click 2
click 7
save $WORK/expr.txt
menu 8 3
type 101 3
type 102 4
type 104 SQRT(x^2+y^2)
click 141
click 142
shot 8 $WORK/calc.png
click 250
quit
EVENTS
run_events expr "$WORK/three.KXdata"
expect_status 0 "two expression transforms, Save As text, the calculator, quit"
[ -s "$WORK/expr.png" ] || { echo "FAIL: no picture of the transform window"; FAILS=$((FAILS + 1)); }
[ -s "$WORK/calc.png" ] || { echo "FAIL: no picture of the calculator"; FAILS=$((FAILS + 1)); }
require_file "$WORK/expr.txt" "text file"

tr '\r' '\n' < "$WORK/expr.txt" > "$WORK/expr.lines"
expect_grep 'Expression transformation SQRT(x)+y; X chan = 1; Y chan = 3' "$WORK/expr.lines" "the first run's log line"
expect_grep 'Expression transformation x\*2; X chan = 1; Y chan = 3' "$WORK/expr.lines" "the second run's log line"

python3 - "$WORK/expr.lines" <<'PY' || FAILS=$((FAILS + 1))
import math, sys
from kxdata import f32

def decimals(cell):
    return len(cell.split(".")[1]) if "." in cell else 0

rows = [l.split(",") for l in open(sys.argv[1], encoding="latin-1").read().split("\n") if l.endswith(",")]
rows = [r for r in rows if len(r) == 6]
if len(rows) != 900:
    print(f"FAIL: {len(rows)} rows of five channels")
    sys.exit(1)
for k, r in enumerate(rows, start=1):
    four, five = r[3].strip(), r[4].strip()
    expected = f32(math.sqrt(k) + 0.5 * k)
    if abs(float(four) - expected) > 0.5 * 10 ** -decimals(four) * 1.01:
        print(f"FAIL: case {k}: channel 4 is {four}, not {expected}")
        sys.exit(1)
    if float(five) != 2 * k:
        print(f"FAIL: case {k}: channel 5 is {five}, not {2 * k}")
        sys.exit(1)
PY

finish
