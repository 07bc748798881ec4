#!/usr/bin/env bash
# Interval scans end to end: Minimum on a dragged block with its report, Set Block and the
# statistics of the block it made, then Most Variable in its point-to-point mode. The
# recording has a slow ramp at cases 401..411 (the lowest mean of 11 cases) and a swing of
# 30, 50, 30, ... at 500..510 (the longest point-to-point path).
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/run.KXdata"
RESULTS="$WORK/results.txt"

# The common recording (kxdata.py) with channel 1 changed at the ramp and the swing.
python3 - "$RECORDING" <<'PY'
import kxdata, sys
def first(k):
    if 401 <= k <= 411:
        return 10 + 0.1 * (k - 401)
    if 500 <= k <= 510:
        return 30.0 if (k - 500) % 2 == 0 else 50.0
    return kxdata.wave(k)
kxdata.write_two_channel_run(sys.argv[1], first)
PY

cat > "$WORK/scan.events" <<EVENTS
menu 80 3
save $RESULTS
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
# Analyze > Minimum: 10 seconds, the report, Set Block
menu 3 2
type 101 10
shot 5 $WORK/dialog.png
click 124
key 80
shot 4 $WORK/minimum.png
shot 2 $WORK/block.png
click 118
shot 1000 $WORK/plot.png
dialog 4 4
# Basic Descriptive Stats of the block Set Block made
menu 3 1
key 80
dialog 4 4
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
# Analyze > Most Variable: the same 10 seconds, point-to-point
menu 3 5
click 124
shot 5 $WORK/mode.png
click 120
key 80
shot 4 $WORK/variable.png
dialog 4 4
quit
EVENTS
run_events scan "$RECORDING"
expect_status 0 "the interval-scan road from start to quit"
require_file "$RESULTS" "results file"

python3 - "$RESULTS" <<'PY' || FAILS=$((FAILS + 1))
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
from report_text import number, expect
from report_text import section as section_of
def section(title):
    return section_of(text, title)

low = section("MEAN MINIMUM")
for piece in ("at cases402 to412", "10:06:41", "10:06:51"):
    if piece not in low:
        sys.exit("FAIL: '%s' not in\n%s" % (piece, low))
expect(number(low, r"Mean = *(-?[\d.E+-]+)", "mean"), 10.5, "minimum mean")
expect(number(low, r"N = (\d+)", "N"), 11, "minimum N")
expect(number(low, r"S\.D\. = *(-?[\d.E+-]+)", "S.D."), 0.31623, "minimum S.D.")
expect(number(low, r"total[^=\n]*= *(-?[\d.E+-]+)", "integrated total"), 1.925, "minimum total")

stats = section("BASIC STATS")
if "Cases402 to412" not in stats:
    sys.exit("FAIL: the block Set Block made is not cases 401..411:\n" + stats)

var = section("MOST VARIABLE (point-to-point)")
if "at cases501 to511" not in var:
    sys.exit("FAIL: 'at cases501 to511' not in\n" + var)
expect(number(var, r"Mean = *(-?[\d.E+-]+)", "mean"), 39.091, "most variable mean")
expect(number(var, r"S\.D\. = *(-?[\d.E+-]+)", "S.D."), 9.9586, "most variable S.D.")
print("minimum at 401..411, statistics of the block made, most variable at 500..510")
PY

finish
