#!/usr/bin/env bash
# Event counting and the two time integrations end to end on a dragged block: the count with
# its details file per minute, then the time between limits in seconds, switched to the
# selective integral. Channel 1 is 8 for k mod 10 in 1..3, 0 for 5..6 and 4 otherwise.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/events.KXdata"
RESULTS="$WORK/results.txt"
DETAILS="$WORK/Event Count Results.csv"

python3 - "$RECORDING" <<'PY'
import kxdata, sys
def level(k):
    m = k % 10
    return 8.0 if 1 <= m <= 3 else 0.0 if 5 <= m <= 6 else 4.0
kxdata.write(sys.argv[1], 900, [level])
PY

cat > "$WORK/events.events" <<EVENTS
menu 80 3
save $RESULTS
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
# Analyze > Event Counting: 6 and 2, the details per minute, the report
menu 3 21
type 101 6
type 103 2
click 245
popup 227 3
save $DETAILS
shot 4 $WORK/counting.png
click 222
dialog 4 4
# Analyze > Time Integration in seconds, then the selective integral
menu 3 20
type 101 3
type 103 5
click 65
click 222
click 230
type 103 9
click 245
click 222
dialog 4 4
quit
EVENTS
run_events events "$RECORDING"
expect_status 0 "the event counting road from start to quit"
require_file "$RESULTS" "results file"
require_file "$DETAILS" "event details file"

python3 - "$RESULTS" "$DETAILS" <<'PY' || FAILS=$((FAILS + 1))
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
details = open(sys.argv[2], encoding="utf-8").read()
def level(k):
    m = k % 10
    return 8.0 if 1 <= m <= 3 else 0.0 if 5 <= m <= 6 else 4.0
from report_text import number, expect
from report_text import section as section_of
def section(title):
    return section_of(text, title)

count = section("EVENT COUNTER")
m = re.search(r"[Cc]ases *(\d+) to *(\d+)", count)
if not m:
    sys.exit("FAIL: no cases in\n" + count)
first, last = int(m.group(1)) - 1, int(m.group(2)) - 1
v = {k: level(k) for k in range(first, last + 1)}

def scan(inside):
    runs, timed, i = 0, [], first
    while i <= last:
        if inside(v[i]):
            s, j = i, i + 1
            while j < last and inside(v[j]):
                j += 1
            runs += 1
            if j < last:
                timed.append((s, j))
            i = j + 1
        else:
            i += 1
    return runs, timed
pos_all, pos = scan(lambda x: x >= 6)
neg_all, neg = scan(lambda x: x <= 2)
if v[first] < 2:
    neg_all -= 1
expect(number(count, r"'positive ' events \(above upper limit\): *(-?\d+)", "positive"), pos_all, "positive events")
expect(number(count, r"'negative ' events \(below lower limit\): *(-?\d+)", "negative"), neg_all, "negative events")
def mean(t): return sum(j - s for s, j in t) / len(t)
expect(number(count, r"'positive ' mean: *(-?[\d.E+-]+)", "positive mean"), mean(pos), "positive mean")
expect(number(count, r"'negative ' mean: *(-?[\d.E+-]+)", "negative mean"), mean(neg), "negative mean")
expect(number(count, r"upper limit: *(-?[\d.E+-]+)", "upper"), 6, "upper limit")
expect(number(count, r"lower limit: *(-?[\d.E+-]+)", "lower"), 2, "lower limit")

lines = [l for l in details.split("\n") if l.startswith(("positive", "negative"))]
events = sorted([(s, j, "positive") for s, j in pos] + [(s, j, "negative") for s, j in neg])
if len(lines) != len(events):
    sys.exit("FAIL: %d event lines, expected %d" % (len(lines), len(events)))
sums = {"positive": 0.0, "negative": 0.0}
for line, (s, j, side) in zip(lines, events):
    cells = line.split(",")
    values = [v[k] for k in range(s, j)]
    sums[side] += (j - s) * (sum(values) / len(values)) / 60
    if cells[0] != side or int(cells[2]) != s or abs(float(cells[1]) - (j - s)) > 1e-6:
        sys.exit("FAIL: line %r, expected %s from case %d for %d s" % (line, side, s, j - s))
    expect(float(cells[8]), sums["positive"], "sum positive at case %d" % s)
    expect(float(cells[9]), sums["negative"], "sum negative at case %d" % s)

inside = [k for k in range(first, last + 1) if 3 <= v[k] <= 5]
timed = section("TIME INTEGRATION")
expect(number(timed, r"time within limits: *(-?[\d.E+-]+)", "time"), len(inside) - 1, "time within limits")
if "seconds" not in timed:
    sys.exit("FAIL: the time is not in seconds:\n" + timed)
selective = section("SELECTIVE INTEGRATION")
chosen = sum(v[k] for k in range(first, last + 1) if 3 <= v[k] <= 9)
expect(number(selective, r"\(data between limits\): *(-?[\d.E+-]+)", "integral"), chosen, "selective integral")
print("%d positive and %d negative events, %d lines, time and integral within limits" % (pos_all, neg_all, len(lines)))
PY

finish
