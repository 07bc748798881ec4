#!/usr/bin/env bash
# The plot window's channel popup: channel 3 chosen, the plot shows channel 3's trace and
# caption, channel 1 chosen again gives channel 1's picture back, and a block's statistics
# then report channel 3. Then Edit > "fix Endian Byte Order": the plot is redrawn, Undo is
# refused, and Quit asks about the changed file.
source "$(dirname "$0")/lib.sh" "$@"
PNG_PY="$(dirname "$0")/png.py"

RECORDING="$WORK/ramps.KXdata"
RESULTS="$WORK/results.txt"

# 3 channels, 900 cases at 1 s: channel 1 rises (10 + k/100), channel 2 is k mod 3,
# channel 3 falls (50 - k/50).
python3 - "$RECORDING" <<'PY'
import kxdata, sys
N, C = 900, 3
def value(c, k):
    return [10 + k / 100, float(k % 3), 50 - k / 50][c - 1]
kxdata.write(sys.argv[1], N, [lambda k, c=c: value(c, k) for c in range(1, C + 1)],
             labels=["ramp %d" % c for c in range(1, C + 1)])
PY

# The mouse records bring the plot window in front of the block instructions.
cat > "$WORK/popup.events" <<EVENTS
mouse down 1000 200 1000
mouse up 1000 200 1000
key 27
shot 1000 $WORK/ch1.png
popup 333 3
shot 1000 $WORK/ch3.png
popup 333 1
shot 1000 $WORK/back1.png
menu 80 3
save $RESULTS
popup 333 3
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
menu 3 1
key 80
dialog 4 4
quit
EVENTS
run_events popup "$RECORDING"
expect_status 0 "channel popup, pictures, statistics and quit"

python3 - "$PNG_PY" "$WORK" <<'PY' || FAILS=$((FAILS + 1))
import importlib.util, sys
spec = importlib.util.spec_from_file_location("png", sys.argv[1])
png = importlib.util.module_from_spec(spec); spec.loader.exec_module(png)
work = sys.argv[2]
pics = {n: png.read("%s/%s.png" % (work, n)) for n in ("ch1", "ch3", "back1")}
w, h, rows = pics["ch1"]
bottom = h - 38                                  # BottomOfPlotArea of the window
background = rows[(31 + bottom) // 2][w - 40]   # right of the data's end (900 cases)

def trace_y(rows, x):
    ys = [y for y in range(60, bottom - 10) if rows[y][x] != background]
    if not ys:
        sys.exit("FAIL: no trace in column %d" % x)
    return sum(ys) / len(ys)

def slope(name):
    rows = pics[name][2]
    return trace_y(rows, 800) - trace_y(rows, 200)   # > 0: the trace falls to the right

if slope("ch1") >= 0:
    sys.exit("FAIL: channel 1 rises, its trace does not")
if slope("ch3") <= 0:
    sys.exit("FAIL: after choosing channel 3 the plot does not show its falling trace")
caption = lambda name: png.region(pics[name][2], 100, 31, 700, 50)
if caption("ch1") == caption("ch3"):
    sys.exit("FAIL: the caption did not change with the channel")
area = lambda name: png.region(pics[name][2], 0, 31, w, bottom)
if area("back1") != area("ch1"):
    sys.exit("FAIL: channel 1 chosen again does not give channel 1's picture back")
print("channel 1 and 3 traces and captions as expected")
PY

python3 - "$RESULTS" <<'PY' || FAILS=$((FAILS + 1))
import math, re, sys
from kxdata import f32
text = open(sys.argv[1], encoding="utf-8").read()
m = re.search(r"BASIC STATS, CHANNEL (\d+):.*\n    Cases(\d+) to(\d+)", text)
if not m or m.group(1) != "3":
    sys.exit("FAIL: no statistics report of channel 3 in\n" + text)
first, last = int(m.group(2)), int(m.group(3))       # shown as the stored case + 1
values = [f32(50 - k / 50) for k in range(first - 1, last) if k >= 1]
mean = sum(values) / len(values)
got = re.search(r"Mean = *(-?[\d.E+-]+)", text)
if not got or not math.isclose(float(got.group(1)), mean, rel_tol=1e-4):
    sys.exit("FAIL: mean %s, channel 3's cases give %g" % (got and got.group(1), mean))
print("channel 3 reported: mean %g" % mean)
PY

# Edit > fix Endian Byte Order: a new picture, Undo refused (its warning), and Quit asks.
cat > "$WORK/endian.events" <<EVENTS
mouse down 1000 200 1000
mouse up 1000 200 1000
key 27
shot 1000 $WORK/before.png
menu 2 36
shot 1000 $WORK/swapped.png
menu 2 1
shot 1166 $WORK/undo.png
key 13
quit
shot 67 $WORK/question.png
click 2
EVENTS
run_events endian "$RECORDING"
expect_status 0 "endian fix, Undo and quit"
[ -s "$WORK/undo.png" ] || { echo "FAIL: Undo was not refused after the byte-order fix"; FAILS=$((FAILS + 1)); }
[ -s "$WORK/question.png" ] || { echo "FAIL: Quit did not ask about the changed file"; FAILS=$((FAILS + 1)); }
python3 - "$PNG_PY" "$WORK" <<'PY' || FAILS=$((FAILS + 1))
import importlib.util, sys
spec = importlib.util.spec_from_file_location("png", sys.argv[1])
png = importlib.util.module_from_spec(spec); spec.loader.exec_module(png)
w, h, before = png.read(sys.argv[2] + "/before.png")
_, _, after = png.read(sys.argv[2] + "/swapped.png")
if png.region(before, 0, 31, w, h - 38) == png.region(after, 0, 31, w, h - 38):
    sys.exit("FAIL: the plot was not redrawn after the byte-order fix")
PY

finish
