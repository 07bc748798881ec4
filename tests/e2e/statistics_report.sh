#!/usr/bin/env bash
# The main road from start to finish: open a recording, send results to a text file, drag a
# block, Basic Descriptive Stats, "P", close the results window, quit. The report must hold
# the mean, S.D. and N of exactly the cases of the block, computed here from the values the
# recording was written with.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/run.KXdata"
RESULTS="$WORK/results.txt"

# The common recording (kxdata.py): 2 channels and 900 cases at 1 s from 10:00:00, channel 1 at
# case k is 20 + (k mod 17) / 4 + k / 1000, channel 2 is k mod 5.
python3 -c 'import kxdata, sys; kxdata.write_two_channel_run(sys.argv[1])' "$RECORDING"

cat > "$WORK/stats.events" <<EVENTS
# The plot of the recording is up
shot 1000 $WORK/plot.png
# File > Send Results To: > Text File..., then the file's name
menu 80 3
save $RESULTS
# A block dragged across the plot
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
# Analyze > Basic Descriptive Stats, the report key, the results window's close box
menu 3 1
key 80
dialog 4 4
quit
EVENTS
run_events stats "$RECORDING"
expect_status 0 "the statistics road from start to quit"
require_file "$RESULTS" "results file"

python3 - "$RESULTS" <<'PY' || FAILS=$((FAILS + 1))
import math, re, sys
text = open(sys.argv[1], encoding="utf-8").read()
from kxdata import f32, wave
def value(k):
    return f32(wave(k))
m = re.search(r"BASIC STATS, CHANNEL 1:.*\n    Cases(\d+) to(\d+) \(total(\d+)\)", text)
if not m:
    sys.exit("FAIL: no statistics report of channel 1 in\n" + text)
first, last = int(m.group(1)), int(m.group(2))   # shown as the stored case + 1
cases = range(first - 1, last)
values = [value(k) for k in cases if k >= 1]
n = len(values)
mean = sum(values) / n
sd = math.sqrt(sum((v - mean) ** 2 for v in values) / n)
got = re.search(r"Mean = *(-?[\d.E+-]+) +N = (\d+)\n +S\.D\. = *(-?[\d.E+-]+)", text)
if not got:
    sys.exit("FAIL: no mean, N and S.D. lines in\n" + text)
rmean, rn, rsd = float(got.group(1)), int(got.group(2)), float(got.group(3))
ok = rn == n and math.isclose(rmean, mean, rel_tol=1e-4) and math.isclose(rsd, sd, rel_tol=1e-4)
if not ok:
    sys.exit("FAIL: report N %d mean %g S.D. %g; cases %d..%d give N %d mean %g S.D. %g"
             % (rn, rmean, rsd, first - 1, last - 1, n, mean, sd))
if "\r" in text:
    sys.exit("FAIL: the results file has carriage returns")
print("cases %d..%d: N %d, mean %g, S.D. %g" % (first - 1, last - 1, n, mean, sd))
PY

finish
