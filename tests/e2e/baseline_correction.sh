#!/usr/bin/env bash
# Edit > Correct Baseline... on a recording whose channel 1 drifts as 3 + 0.002 k: Return runs
# the automatic method (its green line on the plot), Return accepts it; saved as text, every
# case of channel 1 is within 1e-4 of 0 and channel 2 is as it was written.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/drift.KXdata"
python3 - "$RECORDING" <<'PY'
import kxdata, sys
N, C = 1000, 2
def value(c, k):
    return 3 + 0.002 * k if c == 1 else float(k % 7) - 2.5
kxdata.write(sys.argv[1], N, [lambda k, c=c: value(c, k) for c in range(1, C + 1)])
PY

cat > "$WORK/baseline.events" <<EVENTS
menu 2 11
key 13
shot 1000 $WORK/baseline.png
shot 4 $WORK/window.png
key 13
menu 1 7
click 233
click 2
click 7
save $WORK/corrected.txt
quit
EVENTS
run_events baseline "$RECORDING"
expect_status 0 "baseline, Save As text, quit"
for png in baseline window; do
  [ -s "$WORK/$png.png" ] || { echo "FAIL: no picture $png.png"; FAILS=$((FAILS + 1)); }
done

python3 - "$WORK/corrected.txt" <<'PY' || FAILS=$((FAILS + 1))
import sys
from kxdata import f32, text_rows
rows = text_rows(sys.argv[1])
if len(rows) != 1000:
    sys.exit("FAIL: %d sample rows, expected 1000" % len(rows))
for k, row in enumerate(rows, start=1):
    one, two = (float(x) for x in row.split(",")[:2])
    if abs(one) > 1e-4:
        sys.exit("FAIL: case %d of channel 1 is %g after the correction" % (k, one))
    if abs(two - f32(float(k % 7) - 2.5)) > 1e-6:
        sys.exit("FAIL: case %d of channel 2 changed to %g" % (k, two))
print("1000 cases: channel 1 flat, channel 2 unchanged")
PY

finish
