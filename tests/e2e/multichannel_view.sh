#!/usr/bin/env bash
# The multi-channel view on the example recording: channel 2 chosen, the standard strips,
# the picker, a block across the strips, channel 3 from the picker, strip 2 hidden with its
# label button, back to one channel. Then a 40-channel file: window 6, the standard strips
# and the picker, all on the 1440 x 900 screen.
source "$(dirname "$0")/lib.sh" "$@"
PNG_PY="$(dirname "$0")/png.py"
EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"

cat > "$WORK/strips.events" <<EVENTS
mouse down 1000 200 1000
mouse up 1000 200 1000
key 27
popup 333 2
shot 1000 $WORK/ch2.png
menu 4 12
click 20
shot 1000 $WORK/strips.png
shot 1200 $WORK/picker.png
mouse down 300 150 1000
mouse drag 500 250 1000
mouse up 700 300 1000
click 603
click 702
shot 1000 $WORK/hidden.png
menu 4 13
shot 1000 $WORK/single.png
quit
EVENTS
run_events strips "$EXAMPLE"
expect_status 0 "strips, picker, hidden strip and the single view again"

python3 - "$PNG_PY" "$WORK" <<'PY' || FAILS=$((FAILS + 1))
import importlib.util, sys
spec = importlib.util.spec_from_file_location("png", sys.argv[1])
png = importlib.util.module_from_spec(spec); spec.loader.exec_module(png)
work = sys.argv[2]
def pic(n): return png.read("%s/%s.png" % (work, n))
w, h, strips = pic("strips")
bottom = h - 19                                   # BottomOfPlotArea: the picture stops 19 rows below it

frame = strips[30][w // 2]                        # the data area's top frame line

def frame_rows(rows, x0, x1):
    # Rows drawn in the frame colour across a stretch of the data area: the strips' edges.
    return [y for y in range(31, bottom) if all(p == frame for p in rows[y][x0:x1])]

def edges(n):
    hgt = (bottom - 31) // n
    return [31 + k * hgt for k in range(n + 1)]

def has_edges(rows, n, what):
    # Left of the block highlight, which covers the middle of every strip.
    found = set(frame_rows(rows, 240, 290))
    for y in edges(n)[1:-1]:
        if not ({y - 1, y} & found):
            sys.exit("FAIL: %s: no strip edge at y %d (lines at %s)" % (what, y, sorted(found)))

has_edges(strips, 5, "five standard strips")
_, _, hidden = pic("hidden")
has_edges(hidden, 4, "strip 2 hidden")
if png.region(hidden, 0, 31, w, bottom) == png.region(strips, 0, 31, w, bottom):
    sys.exit("FAIL: hiding strip 2 changed nothing")
_, _, single = pic("single")
_, _, ch2 = pic("ch2")
if set(frame_rows(single, 240, 290)) & set(edges(5)[1:-1]):
    sys.exit("FAIL: strip edges remain in the single view")
pw, ph, picker = pic("picker")
if pw > 40 or ph < bottom - 60:
    sys.exit("FAIL: picker %d x %d is not a column beside the plot" % (pw, ph))
print("five strips, four after hiding channel 2, the single view again")
PY

# 40 channels of 400 cases: channel c is a ramp of slope c.
RECORDING="$WORK/forty.KXdata"
python3 - "$RECORDING" <<'PY'
import kxdata, sys
N, C = 400, 40
kxdata.write(sys.argv[1], N, [lambda k, c=c: float((k * c) % 97) for c in range(1, C + 1)],
             labels=["ramp %d" % c for c in range(1, C + 1)])
PY

{
  echo "mouse down 1000 200 1000"
  echo "mouse up 1000 200 1000"
  echo "key 27"
  echo "menu 4 12"
  echo "shot 6 $WORK/w6.png"
  echo "click 20"
  echo "shot 1000 $WORK/forty.png"
  echo "shot 1200 $WORK/forty_picker.png"
  echo "quit"
} > "$WORK/forty.events"
run_events forty "$RECORDING"
expect_status 0 "40 channels: window 6, custom heights, strips"

python3 - "$PNG_PY" "$WORK" <<'PY' || FAILS=$((FAILS + 1))
import importlib.util, sys
spec = importlib.util.spec_from_file_location("png", sys.argv[1])
png = importlib.util.module_from_spec(spec); spec.loader.exec_module(png)
work = sys.argv[2]
for name in ("w6", "forty", "forty_picker"):
    w, h, _ = png.read("%s/%s.png" % (work, name))
    if w > 1440 or h > 900:
        sys.exit("FAIL: %s is %d x %d, larger than the screen" % (name, w, h))
w, h, rows = png.read(work + "/forty.png")
bottom = h - 19
frame = rows[30][w // 2]
lines = [y for y in range(32, bottom - 1) if all(p == frame for p in rows[y][300:340])]
hgt = (bottom - 31) // 40
for k in range(1, 40):
    if not ({31 + k * hgt - 1, 31 + k * hgt} & set(lines)):
        sys.exit("FAIL: 40 strips of %d: no edge at y %d" % (hgt, 31 + k * hgt))
print("40 strips of %d pixels; window 6 and the picker fit the screen" % hgt)
PY

finish
