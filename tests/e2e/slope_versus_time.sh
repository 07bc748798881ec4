#!/usr/bin/env bash
# Slope vs Time in minutes on a dragged block: the report's intercept in the block, slope, n
# and r² must be those of a least-squares line through exactly the block's cases, fitted here
# from the values the recording was written with (time step 1 s x 0.0166667 min).
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/run.KXdata"
RESULTS="$WORK/results.txt"

# The common recording (kxdata.py): 2 channels and 900 cases at 1 s from 10:00:00, channel 1 at
# case k is 20 + (k mod 17) / 4 + k / 1000, channel 2 is k mod 5.
python3 -c 'import kxdata, sys; kxdata.write_two_channel_run(sys.argv[1])' "$RECORDING"

cat > "$WORK/slope.events" <<EVENTS
# File > Send Results To: > Text File..., then the file's name
menu 80 3
save $RESULTS
# A block dragged across the plot
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
# Analyze > Slope vs Time, in minutes
menu 3 15
shot 7 $WORK/units.png
click 12
shot 4 $WORK/slope.png
shot 2 $WORK/block.png
# Print, then the results window's close box
click 153
dialog 4 4
quit
EVENTS
run_events slope "$RECORDING"
expect_status 0 "Slope vs Time from the menu to quit"
require_file "$RESULTS" "results file"

python3 - "$RESULTS" <<'PY' || FAILS=$((FAILS + 1))
import math, re, sys
text = open(sys.argv[1], encoding="utf-8").read()
from kxdata import f32, wave
def value(k):
    return f32(wave(k))
m = re.search(r"SLOPE VERSUS TIME in minutes, CHANNEL 1:.*\n    Cases(\d+) to(\d+) \(total(\d+)\)", text)
if not m:
    sys.exit("FAIL: no slope report in minutes of channel 1 in\n" + text)
first, last = int(m.group(1)) - 1, int(m.group(2)) - 1   # shown as the stored case + 1
dt = 0.0166667
xs = [(k - first) * dt for k in range(first, last + 1)]
ys = [value(k) for k in range(first, last + 1)]
n = len(xs)
mx, my = sum(xs) / n, sum(ys) / n
sxx = sum((x - mx) ** 2 for x in xs)
syy = sum((y - my) ** 2 for y in ys)
sxy = sum((x - mx) * (y - my) for x, y in zip(xs, ys))
b = sxy / sxx
a = my - b * mx
r2 = sxy * sxy / (sxx * syy)
got = re.search(r"value of a: +(-?[\d.E+-]+) +slope \(value of b\): +(-?[\d.E+-]+)\n +n = (\d+) +r\^2 = +(-?[\d.E+-]+)",
                text)
if not got:
    sys.exit("FAIL: no a, b, n and r^2 lines in\n" + text)
ra, rb, rn, rr2 = float(got.group(1)), float(got.group(2)), int(got.group(3)), float(got.group(4))
ok = (rn == n and math.isclose(ra, a, rel_tol=1e-5) and math.isclose(rb, b, rel_tol=1e-4)
      and math.isclose(rr2, r2, rel_tol=1e-3))
if not ok:
    sys.exit("FAIL: report a %g b %g n %d r2 %g; cases %d..%d give a %g b %g n %d r2 %g"
             % (ra, rb, rn, rr2, first, last, a, b, n, r2))
print("cases %d..%d: a %g, b %g, n %d, r2 %g" % (first, last, a, b, n, r2))
PY

# The fitted line is drawn in red over the block window.
python3 - "$(dirname "$0")" "$WORK/block.png" <<'PY' || FAILS=$((FAILS + 1))
import sys
sys.path.insert(0, sys.argv[1])
import png
w, h, rows = png.read(sys.argv[2])
red = sum(1 for row in rows for (r, g, b) in row if r > 180 and g < 80 and b < 80)
if red < w // 2:
    sys.exit("FAIL: %d red pixels in the block window, no fitted line" % red)
PY
# A straight line (r² = 1): no probability can be computed, and the report still names the
# slope the test is against, the typed 1, not 0.
python3 -c 'import kxdata, sys; kxdata.write(sys.argv[1], 900, [lambda k: k * 0.5, lambda k: 1.0])' "$WORK/line.KXdata"
sed -e "s#$RESULTS#$WORK/line.txt#" -e '/^shot/d' "$WORK/slope.events" > "$WORK/line.events"
run_events line "$WORK/line.KXdata"
expect_status 0 "Slope vs Time on a straight line"
expect_grep "P(slope = 0) is \*\* *P(slope =  1) is \*\*" "$WORK/line.txt" "the typed slope named in the report"

finish
