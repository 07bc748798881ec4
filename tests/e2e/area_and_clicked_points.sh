#!/usr/bin/env bash
# Integrate Over Time, Running Average and Average Pair Differences on a recording, results
# to a text file: the area against the block's start and end, in seconds, with the cumulative
# plot; clicked values averaged and taken in pairs, with one Delete each. The reports must
# hold the values computed here from the values the recording was written with.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/run.KXdata"
RESULTS="$WORK/results.txt"

# The common recording (kxdata.py): 2 channels and 900 cases at 1 s from 10:00:00, channel 1 at
# case k is 20 + (k mod 17) / 4 + k / 1000, channel 2 is k mod 5.
python3 -c 'import kxdata, sys; kxdata.write_two_channel_run(sys.argv[1])' "$RECORDING"

clicks() {  # x... : a click at each x on the plot
  for x in "$@"; do printf 'mouse down %s 200 1000\nmouse up %s 200 1000\n' "$x" "$x"; done
}

{
cat <<EVENTS
menu 80 3
save $RESULTS
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
# Integrate Over Time: seconds, block start, "P"; block end, "P"; the cumulative plot (on
# from the start, as the preferences have it), then off
menu 3 6
click 65
click 118
key 80
click 119
key 80
shot 250 $WORK/integral_plot.png
shot 4 $WORK/integral_window.png
click 122
dialog 4 4
# Running Average: three values and one more taken back
menu 3 8
EVENTS
clicks 100 200 300 850
cat <<EVENTS
key 8
shot 4 $WORK/running_window.png
key 80
key 13
# Average Pair Differences: two pairs, a waiting point cancelled, a third pair
menu 3 9
EVENTS
clicks 100 150 400 300 850
echo "key 8"
clicks 700 720
cat <<EVENTS
shot 4 $WORK/pairs_window.png
shot 6 $WORK/pairs_times.png
key 80
key 13
quit
EVENTS
} > "$WORK/area.events"

run_events area "$RECORDING"
expect_status 0 "the area and clicked-point road from start to quit"
require_file "$RESULTS" "results file"
for shot in integral_plot integral_window running_window pairs_window pairs_times; do
  [ -s "$WORK/$shot.png" ] || { echo "FAIL: no $shot.png"; FAILS=$((FAILS + 1)); }
done

python3 - "$RESULTS" <<'PY' || FAILS=$((FAILS + 1))
import math, re, statistics, sys
text = open(sys.argv[1], encoding="utf-8").read()
from kxdata import f32, wave
def value(k):
    return f32(wave(k))
def close(a, b, tol=1e-4):
    return math.isclose(a, b, rel_tol=tol, abs_tol=1e-6)
fails = []

m = re.search(r"INTEGRATION;  timebase is seconds, CHANNEL 1:.*\n    Cases(\d+) to(\d+)", text)
if not m:
    sys.exit("FAIL: no integration report in\n" + text)
first, last = int(m.group(1)) - 1, int(m.group(2)) - 1
cases = range(first, last + 1)
for word, base in (("start", value(first)), ("end", value(last))):
    total = sum(value(k) - base for k in cases)
    got = re.search(r"Baseline is block %s: *(-?[\d.]+)\n(?:.*\n)?      integrated total is: *(-?[\d.E+-]+)" % word, text)
    if not got:
        fails.append("no block-%s integration in the report" % word)
        continue
    b, t = float(got.group(1)), float(got.group(2))
    if not (close(b, base) and close(t, total)):
        fails.append("block %s: baseline %g total %g, expected %g and %g" % (word, b, t, base, total))
    print("block %s %d..%d: baseline %g, total %g" % (word, first, last, b, t))

def stats_of(block):
    mean = re.search(r"Mean = *(-?[\d.E+-]+) +N = (\d+)", block)
    sd = re.search(r"S\.D\. = *(-?[\d.E+-]+)", block)
    return float(mean.group(1)), int(mean.group(2)), float(sd.group(1)) if sd else None

run = text[text.find("RUNNING AVERAGE"):]
vals = [value(k) for k in (100, 200, 300)]
mean, n, sd = stats_of(run)
total = float(re.search(r"integrated total = *(-?[\d.E+-]+)", run).group(1))
if not (n == 3 and close(mean, sum(vals) / 3) and close(sd, statistics.pstdev(vals)) and close(total, sum(vals))):
    fails.append("running average: mean %g N %d S.D. %s total %g" % (mean, n, sd, total))
print("running average: mean %g, N %d, S.D. %s, total %g" % (mean, n, sd, total))

pairs = text[text.find("AVERAGE PAIR DIFFERENCES"):]
diffs = [abs(value(a) - value(b)) for a, b in ((100, 150), (400, 300), (700, 720))]
times = [50.0, 100.0, 20.0]
mean, n, sd = stats_of(pairs)
if not (n == 3 and close(mean, sum(diffs) / 3) and close(sd, statistics.pstdev(diffs), 1e-3)):
    fails.append("pair differences: mean %g N %d S.D. %s" % (mean, n, sd))
et = re.search(r"MEAN ELAPSED TIME = *(-?[\d.E+-]+) sec\n *S\.D\. = *(-?[\d.E+-]+)", pairs)
if not et or not (close(float(et.group(1)), sum(times) / 3) and close(float(et.group(2)), statistics.pstdev(times))):
    fails.append("pair times: %s" % (et.groups() if et else "none"))
print("pair differences: mean %g, N %d, S.D. %s; time %s" % (mean, n, sd, et.groups() if et else None))
if fails:
    sys.exit("FAIL: " + "; ".join(fails) + "\n" + text)
PY

finish
