#!/usr/bin/env bash
# Find Asymptote, Fit Polynomial and the residuals of Slope vs Time, from the menus to the
# files they write: the report of the asymptote and of the polynomial, the residuals file, and
# the polynomial's new channel saved as text.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/curves.KXdata"
R="$WORK/results.txt"
S="$WORK/residuals.csv"
T="$WORK/saved.txt"

# 600 cases at 1 s: an exponential approach to 10, X = k / 100 and 1 + 2X + 3X².
python3 -c '
import kxdata, math, sys
kxdata.write(sys.argv[1], 600, [lambda k: 10 - 8 * math.exp(-0.01 * k), lambda k: k / 100.0,
                                lambda k: 1 + 2 * (k / 100.0) + 3 * (k / 100.0) ** 2])' "$RECORDING"

cat > "$WORK/curves.events" <<EVENTS
menu 80 3
save $R
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
# Find Asymptote: print, the residual plot, done
menu 3 17
click 4
click 6
shot 250 $WORK/asymptote.png
shot 4 $WORK/asymptote_window.png
click 2
# Fit Polynomial of channel 3 on channel 2: print, a new channel, every degree's r², done
menu 3 18
click 2
click 6
click 155
click 5
shot 6 $WORK/polynomial.png
click 3
click 4
shot 44 $WORK/series.png
click 1
# Slope vs Time in seconds, its residuals saved
menu 3 15
click 11
click 119
shot 32 $WORK/residuals.png
click 1
save $S
click 2
dialog 4 4
# Save As text
menu 1 7
click 233
click 2
click 7
save $T
quit
EVENTS
run_events curves "$RECORDING"
expect_status 0 "asymptote, polynomial, residuals, Save As text"
for png in asymptote asymptote_window polynomial series residuals; do
  [ -s "$WORK/$png.png" ] || { echo "FAIL: no picture $png.png"; FAILS=$((FAILS + 1)); }
done
require_file "$R" "results file"
require_file "$S" "residuals file"
require_file "$T" "text file"

python3 - "$R" <<'PY' || FAILS=$((FAILS + 1))
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
def number(pattern):
    m = re.search(pattern, text)
    if not m:
        sys.exit("FAIL: no %r in\n%s" % (pattern, text))
    return float(m.group(1))
A = number(r"1st order approximation = +(-?[\d.E+-]+)")
rate = number(r"Rate constant \(fractional change per minute\): +(-?[\d.E+-]+)")
half = number(r"Time for 50% change: +(-?[\d.E+-]+) minutes")
checks = [("asymptote", A, 10, 1e-3), ("rate", rate, 0.451188, 1e-4), ("time", half, 1.15525, 1e-3),
          ("r2", number(r"r-squared = +(-?[\d.E+-]+)"), 1, 1e-4),
          ("constant", number(r"Model:  Y = +(-?[\d.E+-]+)"), 1, 1e-3),
          ("X^1", number(r"\+ X\^1 \* +(-?[\d.E+-]+)"), 2, 1e-3),
          ("X^2", number(r"\+ X\^2 \* +(-?[\d.E+-]+)"), 3, 1e-3)]
for name, got, want, tol in checks:
    if abs(got - want) > tol:
        sys.exit("FAIL: %s %g, expected %g" % (name, got, want))
print("asymptote %g, rate %g/min, 50 %% in %g min, polynomial as written" % (A, rate, half))
PY

python3 - "$S" <<'PY' || FAILS=$((FAILS + 1))
import sys
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
if lines[0] != "time,Y value,predicted,residual":
    sys.exit("FAIL: header %r" % lines[0])
rows = [[float(x) for x in l.split(",")] for l in lines[1:] if l]
t = [r[0] for r in rows]; y = [r[1] for r in rows]
n = len(rows)
mt, my = sum(t) / n, sum(y) / n
b = sum((a - mt) * (c - my) for a, c in zip(t, y)) / sum((a - mt) ** 2 for a in t)
a = my - b * mt
if n < 20 or t[0] != 0:
    sys.exit("FAIL: %d rows from time %g" % (n, t[0]))
for ti, yi, p, r in rows:
    if abs(p - (a + b * ti)) > 1e-4 or abs(r - (yi - p)) > 1e-4:
        sys.exit("FAIL: row %g: predicted %g residual %g, the line gives %g" % (ti, p, r, a + b * ti))
print("%d residuals on the line %g + %g t" % (n, a, b))
PY

python3 - "$T" <<'PY' || FAILS=$((FAILS + 1))
import sys
lines = open(sys.argv[1], encoding="latin-1").read().replace("\r", "\n").split("\n")
rows = [l.split(",") for l in lines if l.endswith(",") and l.count(",") == 4]
if len(rows) != 600:
    sys.exit("FAIL: %d rows of 4 channels" % len(rows))
for k, row in enumerate(rows, start=1):
    three, four = float(row[2]), float(row[3])
    if abs(four - three) > 1e-3 * max(abs(three), 1):
        sys.exit("FAIL: case %d: new channel %g, channel 3 %g" % (k, four, three))
print("channel 4 holds the polynomial at every case")
PY

finish
