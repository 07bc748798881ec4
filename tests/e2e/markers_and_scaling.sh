#!/usr/bin/env bash
# On the example recording: an "R" marker dropped at x 500 of the paged view, then the scale
# widened twofold from the interactive scaling window; saved as text, the file lists 7 markers
# in case order with " 500, 82" second.
source "$(dirname "$0")/lib.sh" "$@"
EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"

cat > "$WORK/markers.events" <<EVENTS
menu 82 2
click 12
click 1
mouse down 500 200 1000
mouse up 500 200 1000
click 2
menu 71 6
click 3
click 5
shot 1000 $WORK/plot.png
menu 1 7
click 233
click 2
click 7
save $WORK/saved.txt
quit
EVENTS
run_events markers "$EXAMPLE"
expect_status 0 "insert a marker, expand the scale, Save As text, quit"
[ -s "$WORK/plot.png" ] || { echo "FAIL: no picture plot.png"; FAILS=$((FAILS + 1)); }

python3 - "$WORK/saved.txt" <<'PY' || FAILS=$((FAILS + 1))
import re, sys
text = open(sys.argv[1], encoding="latin-1").read().replace("\r", "\n")
lines = text.split("\n")
try:
    start = next(i for i, l in enumerate(lines) if "marker" in l.lower())
except StopIteration:
    sys.exit("FAIL: no marker list in the saved file")
pairs = []
for l in lines[start + 1:]:
    m = re.fullmatch(r"\s*(-?\d+),\s*(\d+),?\s*", l)
    if not m:
        if pairs:
            break
        continue
    pairs.append((int(m.group(1)), int(m.group(2))))
cases = [c for c, _ in pairs]
if len(pairs) != 7 or cases != sorted(cases):
    sys.exit("FAIL: markers %r" % pairs)
if pairs[1] != (500, 82):
    sys.exit("FAIL: second marker %r, expected (500, 82)" % (pairs[1],))
print("7 markers in case order, (500, 82) second")
PY

finish
