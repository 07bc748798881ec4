#!/usr/bin/env bash
# Basic Time Series on a dragged block of a noisy wave of period 20 s: the lag panels, the
# periodicity test with K 50 and its export, whose rows must be the regressions computed here
# over the block the export names; then Stepped Sampling's step plot and export, whose blocks
# must step by 242 cases from the initial point inside the block, with the statistics computed
# here.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/wave.KXdata"
SERIES="$WORK/series.csv"
STEPPED="$WORK/stepped.csv"

python3 - "$RECORDING" <<'PY'
import math, sys, kxdata
u, ys = 1, []
for i in range(2001):
    u = (1103515245 * u + 12345) % 2 ** 31
    ys.append(math.sin(2 * math.pi * i / 20) + 0.6 * math.sin(4 * math.pi * i / 20) + (u / 2 ** 31 - 0.5))
kxdata.write(sys.argv[1], 2000, [lambda k: ys[k]], labels=["wave"])
PY

cat > "$WORK/series.events" <<EVENTS
mouse down 100 200 1000
mouse drag 700 200 1000
mouse up 1300 200 1000
# Analyze > Basic Time Series: plot, then the periodicity test with K 50
menu 103 1
click 1
shot 6 $WORK/panels.png
click 6
shot 12 $WORK/parameters.png
click 31
shot 12 $WORK/periodicity.png
click 2
save $SERIES
click 14
click 3
# Analyze > Stepped Sampling: the step plot of the active channel, then its export
menu 103 2
click 141
shot 4 $WORK/stepped.png
shot 22 $WORK/steppedplot.png
click 140
save $STEPPED
click 142
quit
EVENTS
run_events series "$RECORDING"
expect_status 0 "time series, periodicity, stepped sampling and quit"
require_file "$SERIES" "time series data"
require_file "$STEPPED" "autocorrelation data"

python3 - "$SERIES" "$STEPPED" <<'PY' || FAILS=$((FAILS + 1))
import math, re, sys
from kxdata import f32
u, y = 1, []
for i in range(2001):
    u = (1103515245 * u + 12345) % 2 ** 31
    y.append(f32(math.sin(2 * math.pi * i / 20) + 0.6 * math.sin(4 * math.pi * i / 20) + (u / 2 ** 31 - 0.5)))
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
m = re.match(r"Sample (\d+) to (\d+)", lines[2])
if not m:
    sys.exit("FAIL: no block in the third line: %r" % lines[2])
b, e = int(m.group(1)) - 1, int(m.group(2)) - 1     # shown as the case + 1
rows = [l.split(",") for l in lines[7:] if l]
if len(rows) != 50:
    sys.exit("FAIL: %d rows, not 50" % len(rows))
best = None
for k, (interval, r2) in enumerate(rows, 1):
    o = 1 + k
    xs, ys = y[b:e - o + 1], y[b + o:e + 1]
    n = len(xs)
    mx, my = sum(xs) / n, sum(ys) / n
    sxx = sum((a - mx) ** 2 for a in xs)
    syy = sum((a - my) ** 2 for a in ys)
    sxy = sum((a - mx) * (c - my) for a, c in zip(xs, ys))
    want = sxy * sxy / sxx / syy
    if float(interval) != o or abs(float(r2) - want) > 1e-6:
        sys.exit("FAIL: row %d: %s %s, expected %d %.7f" % (k, interval, r2, o, want))
    if best is None or want > best[1]:
        best = (o, want)
if best[0] != 20:
    sys.exit("FAIL: the largest r-squared is at %d sec, not 20" % best[0])
print("block %d..%d: 50 regressions agree, period 20 s" % (b, e))

text = open(sys.argv[2], encoding="utf-8").read().split("\n")
s = int(re.search(r"initial point = +(\d+);", text[2]).group(1))
head = next(i for i, l in enumerate(text) if l.startswith("start block"))
table = [l.split(",") for l in text[head + 1:] if l]
if not table:
    sys.exit("FAIL: no blocks in the stepped export")
for r in table:
    start, end, pos = int(r[0]), int(r[1]), int(r[2])
    if (start - s) % 242 or pos != start - s or end != start + 61 or start - 1 < b or start + 60 > e:
        sys.exit("FAIL: block %r does not step by 242 from %d inside %d..%d" % (r, s, b, e))
    v = y[max(start - 1, 1):start + 61]
    mean = sum(v) / len(v)
    sd = math.sqrt(sum((a - mean) ** 2 for a in v) / len(v))
    got = [float(x) for x in r[4:8]]
    for g, w in zip(got, [mean, min(v), max(v), sd]):
        if abs(g - w) > 1e-4 * max(1, abs(w)):
            sys.exit("FAIL: block %d: %r, expected mean %g min %g max %g sd %g" % (start, got, mean, min(v), max(v), sd))
print("%d stepped blocks agree" % len(table))
PY
for p in panels parameters periodicity stepped steppedplot; do require_file "$WORK/$p.png" "picture $p"; done
finish
