#!/usr/bin/env bash
# A file of 40 channels with labels of the format's full 30 characters on the screen: the
# channel picker, the all-values display and its channel window and the subset window fit the
# 1440 x 900 screen, and the value fields are filled.
source "$(dirname "$0")/lib.sh" "$@"
PNG_PY="$(dirname "$0")/png.py"
python3 - "$WORK/ch40.KXdata" <<'PY'
import kxdata, math, sys
kxdata.write(sys.argv[1], 400, [lambda k, c=c: math.sin(k * (c + 3) * 2 * math.pi / 400) * c for c in range(1, 41)],
             labels=[("Oxygen chamber temperature %02d" % c)[:30] for c in range(1, 41)])
PY

# 40 channels on the screen: the multi-channel view and its picker, the all-values display
# (window 10, All, Done, the standard place), the subset window.
cat > "$WORK/screen.events" <<EVENTS
mouse down 1000 200 1000
mouse up 1000 200 1000
key 27
menu 4 12
click 20
shot 1200 $WORK/picker.png
menu 4 13
menu 4 18
shot 10 $WORK/values_window.png
click 48
click 50
click 1
shot 1000 $WORK/values.png
menu 3 24
shot 200 $WORK/subset.png
click 120
quit
EVENTS
run_events screen "$WORK/ch40.KXdata"
expect_status 0 "40 channels: picker, all-values display, subset window"
python3 - "$PNG_PY" "$WORK" <<'PY' || FAILS=$((FAILS + 1))
import importlib.util, sys
spec = importlib.util.spec_from_file_location("png", sys.argv[1])
png = importlib.util.module_from_spec(spec); spec.loader.exec_module(png)
work = sys.argv[2]
for name in ("picker", "values_window", "values", "subset"):
    w, h, _ = png.read("%s/%s.png" % (work, name))
    if w > 1440 or h + 22 > 900:
        sys.exit("FAIL: %s is %d x %d, past the screen" % (name, w, h))
w, h, rows = png.read(work + "/values.png")
yellow = [(x, y) for y in range(h) for x in range(w) if rows[y][x][0] > 230 and rows[y][x][1] > 230 and rows[y][x][2] < 60]
if not yellow:
    sys.exit("FAIL: the value fields are not filled yellow")
print("the 40-channel windows fit; %d yellow pixels of value fields" % len(yellow))
PY

finish
