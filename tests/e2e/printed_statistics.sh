#!/usr/bin/env bash
# The printer road: Send Results To: Printer, a block's statistics, "p", Print | Close File,
# the page set-up and print answered. The PDF must hold the report with the mean and N of the
# block's cases, leaving out the samples that are gaps (NaN), and the header's first line
# whole. A second run tries to choose a route again while the printer route holds a report:
# the menu refuses it and the spool keeps the report.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/gaps.KXdata"
PDF="$WORK/results.pdf"
SPOOL="$XDG_DATA_HOME/Quorvelant/printfile"

# 2 channels, 900 cases at 1 s; channel 1 is 20 + (k mod 13) / 4, a gap (NaN) every 40 cases.
python3 - "$RECORDING" <<'PY'
import kxdata, sys
N, C = 900, 2
def value(c, k):
    if c == 1:
        return float("nan") if k % 40 == 0 else 20 + (k % 13) / 4
    return float(k % 5)
kxdata.write(sys.argv[1], N, [lambda k, c=c: value(c, k) for c in range(1, C + 1)])
PY

cat > "$WORK/print.events" <<EVENTS
menu 80 1
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
menu 3 1
key 112
dialog 4 4
menu 1 19
page ok
print $PDF
quit
EVENTS
run_events print "$RECORDING"
expect_status 0 "the printer road from start to quit"
[ -s "$PDF" ] || { echo "FAIL: nothing printed"; FAILS=$((FAILS + 1)); finish; }
command -v pdftotext >/dev/null || { echo "pdftotext is not installed: the PDF is not read"; finish; }
pdftotext -layout "$PDF" "$WORK/results.txt"

python3 - "$WORK/results.txt" <<'PY' || FAILS=$((FAILS + 1))
import math, re, sys
from kxdata import f32
text = open(sys.argv[1], encoding="utf-8").read()
# The header's first line: the file, its date and time and the closing bullets on one line.
if not re.search(r"FILE `gaps\.KXdata '; saved 05/14/2024 at 10:00:00 +\u2022\u2022\u2022", text):
    sys.exit("FAIL: the header's first line is not whole in\n" + text)
m = re.search(r"BASIC STATS, CHANNEL 1:.*\n +Cases(\d+) to(\d+) \(total(\d+)\)", text)
if not m:
    sys.exit("FAIL: no statistics report of channel 1 in\n" + text)
first, last = int(m.group(1)), int(m.group(2))
values = [f32(20 + (k % 13) / 4) for k in range(first - 1, last) if k >= 1 and k % 40 != 0]
gaps = sum(1 for k in range(first - 1, last) if k >= 1 and k % 40 == 0)
if gaps == 0:
    sys.exit("FAIL: the block %d..%d holds no gap; the test shows nothing" % (first, last))
n, mean = len(values), sum(values) / len(values)
got = re.search(r"Mean = *(-?[\d.E+-]+) +N = (\d+)", text)
if not got:
    sys.exit("FAIL: no mean and N in\n" + text)
rmean, rn = float(got.group(1)), int(got.group(2))
if rn != n or not math.isclose(rmean, mean, rel_tol=1e-4):
    sys.exit("FAIL: printed N %d mean %g; the block without its %d gaps gives N %d mean %g" % (rn, rmean, gaps, n, mean))
print("printed: N %d (%d gaps left out), mean %g" % (n, gaps, mean))
PY

# The report's closing rule of em dashes stays one line on the page: no short piece of it
# wrapped onto a row of its own.
python3 - "$WORK/results.txt" <<'PY' || FAILS=$((FAILS + 1))
import sys
rules = [l.strip() for l in open(sys.argv[1], encoding="utf-8") if l.strip() and set(l.strip()) == {"\u2014"}]
if not rules:
    sys.exit("FAIL: no rule of em dashes on the page")
if min(len(r) for r in rules) < 40:
    sys.exit("FAIL: a rule wrapped: pieces of %s dashes" % sorted(len(r) for r in rules))
print("rules of %s dashes" % sorted(set(len(r) for r in rules)))
PY

# Choosing a route again while the printer route holds a report: the menu does not let it
# through (a disabled choice ends a scripted run with status 3) and the report stays.
rm -f "$SPOOL"
cat > "$WORK/again.events" <<EVENTS
menu 80 1
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
menu 3 1
key 112
dialog 4 4
menu 80 1
EVENTS
run_events again "$RECORDING"
expect_status 3 "a second route chosen while one is open"
expect_grep "menu 80 item 1, which cannot be chosen now" "$WORK/again.err" "the refused choice is named"
expect_grep "BASIC STATS, CHANNEL 1" "$SPOOL" "the spool keeps its report"

finish
