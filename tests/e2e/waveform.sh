#!/usr/bin/env bash
# Waveform analysis end to end on a pure sine of period 10 s: default triggers, the results
# window, the wave-shape statistics, the histograms and the saved waveform data, then the
# report of the run through the text-file route.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/sine.KXdata"
RESULTS="$WORK/results.txt"
DATA="$WORK/waves.csv"

# One channel of 2,000 cases at 0.5 s: sin(2πi/20), peaks 1 at cases 5, 25, ...
python3 -c '
import kxdata, math, sys
kxdata.write(sys.argv[1], 2000, [lambda k: math.sin(2 * math.pi * k / 20)], interval=0.5)' "$RECORDING"

cat > "$WORK/wave.events" <<EVENTS
menu 80 3
save $RESULTS
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
# Analyze > Waveform...; Return takes the default triggers
menu 3 11
shot 6 $WORK/triggers.png
key 13
shot 4 $WORK/results.png
shot 2 $WORK/block.png
click 9
shot 6 $WORK/shape.png
click 1
shot 7 $WORK/histograms.png
click 25
save $DATA
click 20
click 2
click 11
# File > Output Results
menu 1 18
quit
EVENTS
run_events wave "$RECORDING"
expect_status 0 "Waveform from the menu to quit"
require_file "$RESULTS" "results file"
require_file "$DATA" "waveform data"

python3 - "$RESULTS" "$DATA" <<'PY' || FAILS=$((FAILS + 1))
import re, sys
text = open(sys.argv[1], encoding="utf-8").read()
m = re.search(r"PERIOD \[ *(\d+) cycles \]: +([\d.]+) ± *([\d.E+-]+) sec\n +=  *([\d.]+) Hz", text)
if not m or float(m.group(2)) != 10 or float(m.group(3)) != 0 or float(m.group(4)) != 0.1:
    sys.exit("FAIL: period 10 ± 0 sec and 0.1 Hz not in\n" + text)
a = re.search(r"AMPLITUDE \[ *(\d+) amplitudes, peak to (?:prior|following) valley \]: +([\d.]+) \+/- *([\d.E+-]+)", text)
if not a or float(a.group(2)) != 2 or float(a.group(3)) != 0:
    sys.exit("FAIL: amplitude 2 ± 0 not in\n" + text)
lines = open(sys.argv[2], encoding="utf-8").read().split("\n")
if lines[0] != "peak height,rise time,decay time,interval,amplitude" or lines[-1] != "":
    sys.exit("FAIL: export header or line ends: %r" % lines[:2])
rows = [[float(c) for c in l.split(",")] for l in lines[1:-1]]
if len(rows) < 10:
    sys.exit("FAIL: %d export lines" % len(rows))
for k, r in enumerate(rows, 1):
    want_interval, want_amp = (0.0, 0.0) if k == 1 else (10.0, 2.0)
    if r[0] != 1 or r[2] != 5 or r[3] != want_interval or r[4] != want_amp or (k > 1 and r[1] != 5):
        sys.exit("FAIL: export line %d: %r" % (k, r))
PY
finish
