#!/usr/bin/env bash
# The periodic (marker), typed and block-value edits on one recording: channel 1 steps by 1 at
# case 700 over a slow drift, with markers A stored out of case order; channel 2 drifts as
# 10 + 0.01 k. Saved as text: channel 1 follows the marker baseline with no gap, channel 2 is
# flat but for the block set to -1.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/steps.KXdata"
python3 - "$RECORDING" <<'PY'
import kxdata, sys
one = lambda k: 2 + 0.001 * k + (1 if k >= 700 else 0)
two = lambda k: 10 + 0.01 * k
kxdata.write(sys.argv[1], 1000, [one, two], markers=[(900, ord("A")), (100, ord("A")), (500, ord("A"))])
PY

cat > "$WORK/methods.events" <<EVENTS
menu 2 11
click 8
shot 5 $WORK/periodic.png
type 111 A
type 112 0
click 1
popup 333 2
menu 2 11
click 4
type 111 10
type 112 20
click 11
shot 1000 $WORK/typed.png
shot 4 $WORK/typedwin.png
key 13
mouse down 100 200 1000
mouse drag 150 200 1000
mouse up 200 200 1000
menu 73 1
shot 9 $WORK/setblocks.png
dialog 3 9
type 101 -1
click 1
menu 1 7
click 233
click 2
click 7
save $WORK/edited.txt
quit
EVENTS
run_events methods "$RECORDING"
expect_status 0 "periodic, typed and block-value edits, Save As text, quit"
for png in periodic typed typedwin setblocks; do
  [ -s "$WORK/$png.png" ] || { echo "FAIL: no picture $png.png"; FAILS=$((FAILS + 1)); }
done

python3 - "$WORK/edited.txt" <<'PY' || FAILS=$((FAILS + 1))
import math, sys
from kxdata import text_rows
rows = text_rows(sys.argv[1])
if len(rows) != 1000:
    sys.exit("FAIL: %d sample rows, expected 1000" % len(rows))
for k, row in enumerate(rows, start=1):
    one, two = (float(x) for x in row.split(",")[:2])
    if math.isnan(one):
        sys.exit("FAIL: case %d of channel 1 is no number" % k)
    if k <= 501 and abs(one) > 1e-4:
        sys.exit("FAIL: case %d of channel 1 is %g, expected 0" % (k, one))
    want = -1 if 100 <= k <= 200 else 0
    if abs(two - want) > 1e-4:
        sys.exit("FAIL: case %d of channel 2 is %g, expected %g" % (k, two, want))
checks = {700: 0.5, 1000: -0.24996}
for k, want in checks.items():
    one = float(rows[k - 1].split(",")[0])
    if abs(one - want) > 1e-4:
        sys.exit("FAIL: case %d of channel 1 is %g, expected %g" % (k, one, want))
print("1000 cases: channel 1 on the marker baseline, channel 2 flat with its block at -1")
PY

finish
