#!/usr/bin/env bash
# The example recording saved as csv with Save As, that csv imported with File > Import >
# Text (data from line 2, every column), the file-data editor closed, the imported file saved
# in the own text format. The text file must hold the csv's cases, labels and samples.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(cd "$(dirname "$0")/../.." && pwd)/resources/examples/respirometry-run.KXdata"
PNG_PY="$(dirname "$0")/png.py"
cp "$EXAMPLE" "$WORK/respirometry-run.KXdata"

cat > "$WORK/run.events" <<EVENTS
# Save As: "Select format...", "Text Format (.csv file) ", "Selection OK", then the panel.
menu 1 7
click 233
click 4
click 7
save $WORK/run data.csv
# Import > Text: data begin on line 2; the window is grabbed, then "Setup OK: Load File".
menu 74 2
open $WORK/run data.csv
click 2
shot 14 $WORK/import.png
click 19
key 13
# The imported file saved in the own text format.
menu 1 7
click 233
click 2
click 7
save $WORK/imported.txt
quit
EVENTS
run_events run "$WORK/respirometry-run.KXdata"
expect_status 0 "csv export, import and text save, then quit"
cmp -s "$EXAMPLE" "$WORK/respirometry-run.KXdata" || { echo "FAIL: the recording was changed"; FAILS=$((FAILS + 1)); }

python3 - "$WORK/run data.csv" "$WORK/imported.txt" <<'PY' || FAILS=$((FAILS + 1))
import csv, re, sys

rows = list(csv.reader(open(sys.argv[1], encoding="utf-8", newline="")))
header, data = rows[0], rows[1:]
text = open(sys.argv[2], "rb").read().decode("mac_roman").split("\r")
count, interval, n = [s.strip() for s in text[0].split(",")]

def fail(why):
    print("FAIL:", why)
    sys.exit(1)

if int(count) != 10800 or len(data) != 10801:
    fail("cases: text %s, csv rows %d" % (count, len(data)))
if int(n) != len(header):
    fail("channels: text %s, csv columns %d" % (n, len(header)))
labels = [re.search(r'"(.*)"\s*$', line).group(1).rstrip() for line in text[3:3 + int(n)]]
if labels != [h.rstrip()[:30] for h in header]:
    fail("labels %s against %s" % (labels, header))

def decimals(s):
    s = s.strip()
    return len(s) - s.index(".") - 1 if "." in s else 0

markers = int(text[3 + int(n) + 1].strip())
first = 3 + int(n) + 2 + markers
for k in range(1, 10801):
    got = [v for v in text[first + k - 1].split(",") if v.strip()]
    want = data[k]
    if len(got) != len(want):
        fail("row %d: %d values, csv %d" % (k, len(got), len(want)))
    for g, w in zip(got, want):
        if abs(float(g) - float(w)) > 0.51 * 10 ** -decimals(w) + 1e-6 * abs(float(w)):
            fail("row %d: %s against the csv's %s" % (k, g, w))
print("text file: %s cases, %s channels, labels and samples as the csv's" % (count, n))
PY

[ -s "$WORK/import.png" ] && python3 -c "import sys; sys.path.insert(0, '$(dirname "$PNG_PY")'); import png; w, h, _ = png.read('$WORK/import.png'); sys.exit(0 if w >= 660 and h >= 600 else 1)" ||
  { echo "FAIL: the shot of the import window"; FAILS=$((FAILS + 1)); }

finish
