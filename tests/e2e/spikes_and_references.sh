#!/usr/bin/env bash
# Edit > Remove References... and Remove Spikes... on a recording at 20.95 with two reference
# dips to 20.00 (cases 200..259 and 600..659) and two spikes of 22.0 (cases 100 and 800): the
# dips become straight lines between the readings ten cases beyond them, with interpolation
# markers; a click repairs the spike at 100 (Delete rejects it, a second click repairs it
# again) and a single scan at threshold 0.5 takes out the other; saved as text, channel 1 is
# 20.95 throughout.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/references.KXdata"
python3 - "$RECORDING" <<'PY'
import kxdata, sys
def value(k):
    if 200 <= k <= 259 or 600 <= k <= 659:
        return 20.00
    return 22.0 if k in (100, 800) else 20.95
kxdata.write(sys.argv[1], 1000, [value, lambda k: float(k % 5)])
PY

cat > "$WORK/edits.events" <<EVENTS
menu 2 18
type 111 20.5
click 5
click 10
shot 1000 $WORK/refs.png
shot 4 $WORK/refs_window.png
click 9
click 558
mouse down 100 200 1000
mouse up 100 200 1000
key 8
mouse down 100 200 1000
mouse up 100 200 1000
shot 4 $WORK/interactive.png
key 13
menu 2 17
type 105 0.5
click 42
shot 4 $WORK/spikes.png
click 47
menu 1 7
click 233
click 2
click 7
save $WORK/fixed.txt
quit
EVENTS
run_events edits "$RECORDING"
expect_status 0 "reference removal, interactive repair, single scan, Save As text, quit"
for png in refs refs_window interactive spikes; do
  [ -s "$WORK/$png.png" ] || { echo "FAIL: no picture $png.png"; FAILS=$((FAILS + 1)); }
done

python3 - "$WORK/fixed.txt" <<'PY' || FAILS=$((FAILS + 1))
import sys
from kxdata import f32
lines = open(sys.argv[1], encoding="latin-1").read().replace("\r", "\n").split("\n")
rows = [l for l in lines if l.endswith(",") and l.count(",") == 2]
if len(rows) != 1000:
    sys.exit("FAIL: %d sample rows, expected 1000" % len(rows))
for k, row in enumerate(rows, start=1):
    one = float(row.split(",")[0])
    if abs(one - f32(20.95)) > 1e-5:
        sys.exit("FAIL: case %d of channel 1 is %g" % (k, one))
pairs = [tuple(int(v) for v in l.split(",")) for l in lines if l.count(",") == 1 and l.replace(",", "").split()
         and all(p.strip().isdigit() for p in l.split(","))]
if pairs != [(190, 200), (270, 199), (590, 200), (670, 199)]:
    sys.exit("FAIL: interpolation markers %r" % (pairs,))
print("1000 cases: channel 1 at 20.95 throughout; markers 190/270 and 590/670")
PY

finish
