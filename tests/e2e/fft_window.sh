#!/usr/bin/env bash
# Analyze > FFT on 1,024 cases at 0.5 s of 10 + 3 cos(2 pi 8 j/1024) + 1.5 sin(2 pi 40 j/1024):
# a block is dragged, the 1024 length chosen and the interval placed, the transform run, the
# period readout chosen, the results saved, the spectrum copied into a new channel, the window
# left, and the file saved as text.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/rhythm.KXdata"
python3 - "$RECORDING" <<'PY'
import kxdata, math, sys
def v(k):
    j = k - 1
    return 10 + 3 * math.cos(2 * math.pi * 8 * j / 1024) + 1.5 * math.sin(2 * math.pi * 40 * j / 1024)
kxdata.write(sys.argv[1], 1024, [v], labels=["pressure"], interval=0.5)
PY

cat > "$WORK/fft.events" <<EVENTS
mouse down 1000 200 1000
mouse up 1000 200 1000
key 27
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
menu 3 13
shot 4 $WORK/window.png
click 10
mouse down 500 200 1000
mouse up 500 200 1000
shot 4 $WORK/placed.png
click 25
shot 1000 $WORK/spectrum.png
shot 4 $WORK/results.png
popup 62 6
click 24
save $WORK/fft.csv
click 21
click 26
shot 1000 $WORK/after.png
menu 1 7
click 233
click 2
click 7
save $WORK/fft.txt
quit
EVENTS
run_events fft "$RECORDING"
expect_status 0 "block, FFT of 1024 points, period unit, save, copy, exit, Save As text, quit"
for p in window placed spectrum results after; do
  [ -s "$WORK/$p.png" ] || { echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); }
done

require_file "$WORK/fft.csv" "FFT results file"
python3 - "$WORK/fft.csv" <<'PY' || FAILS=$((FAILS + 1))
import sys
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
assert lines[0] == "period (sec) ,magnitude", lines[0]
rows = [l.split(",") for l in lines[1:] if l]
assert len(rows) == 1024, len(rows)
assert rows[0][0].strip() == "INF", rows[0]
def near(a, b, tol):
    return abs(float(a) - b) <= tol
assert near(rows[16][0], 64, 1e-4) and near(rows[16][1], 3, 1e-5), rows[16]
assert near(rows[81][0], 12.641975, 1e-5) and near(rows[81][1], 1.5, 1e-5), rows[81]
big = [r for i, r in enumerate(rows) if i not in (16, 81) and float(r[1]) >= 1e-6]
assert not big, big[:5]
PY

tr '\r' '\n' < "$WORK/fft.txt" > "$WORK/fft.lines"
expect_grep '"FFT: channel 1; 1024 points   "' "$WORK/fft.lines" "the copy's label"
awk -F', *' '
  /,$/ && NF == 3 {
    rows++
    if (rows == 17 && $2 + 0 != 3) bad++
    if (rows == 82 && $2 + 0 != 1.5) bad++
    if (rows >= 256 && $2 + 0 != 0) bad++
    j = rows - 1
    want = 10 + 3 * cos(2 * 3.14159265358979 * 8 * j / 1024) + 1.5 * sin(2 * 3.14159265358979 * 40 * j / 1024)
    if ($1 - want > 1e-4 || want - $1 > 1e-4) changed++
  }
  END { if (bad || changed || rows != 1024) { printf "FAIL: %d rows, %d copy values wrong, %d of channel 1 changed\n", rows, bad, changed; exit 1 } }
' "$WORK/fft.lines" || FAILS=$((FAILS + 1))

finish
