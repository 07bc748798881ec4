#!/usr/bin/env bash
# A script recorded on a 3-channel recording (two channel keys and Basic Descriptive Stats on
# a dragged block), halted, saved and viewed; then loaded in a second run and saved again.
# Both files must be the same bytes, and hold the three steps where the layout puts them.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/run.KXdata"
S1="$WORK/first.QVscript"
S2="$WORK/second.QVscript"

# 3 channels of 600 cases at 1 s, written from the format's byte layout.
python3 - "$RECORDING" <<'PY'
import kxdata, sys
N, C = 600, 3
kxdata.write(sys.argv[1], N, [lambda k, c=c: c * 10 + (k % 13) / 4 for c in range(1, C + 1)])
PY

cat > "$WORK/record.events" <<EVENTS
# Record a Script, channels 2 and 3 by their keys, Basic Descriptive Stats on a block
menu 6 1
key 50
key 51
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
menu 3 1
dialog 4 4
# Halt Script Recording, Save Script..., View Script...
menu 6 2
menu 6 6
save $S1
menu 6 5
shot 200 $WORK/recorded.png
click 246
quit
EVENTS
run_events record "$RECORDING"
expect_status 0 "recording, saving and viewing a script"

cat > "$WORK/load.events" <<EVENTS
# Load Script... shows the Script Sequence window; then Save Script...
menu 6 4
open $S1
shot 200 $WORK/loaded.png
click 246
menu 6 6
save $S2
quit
EVENTS
run_events load "$RECORDING"
expect_status 0 "loading and saving the script again"

python3 - "$S1" "$S2" <<'PY' || FAILS=$((FAILS + 1))
import struct, sys
a, b = (open(p, "rb").read() for p in sys.argv[1:3])
if len(a) != 5826:
    sys.exit("FAIL: the script file holds %d bytes" % len(a))
if a != b:
    sys.exit("FAIL: the script saved after loading differs from the one loaded")
def word(step, w):
    return struct.unpack(">f", a[112 * step + 4 * w:112 * step + 4 * w + 4])[0]
got = [(int(word(k, 1)), word(k, 2)) for k in (1, 2, 3)]
if [g[0] for g in got] != [1, 1, 12] or got[0][1] != 2 or got[1][1] != 3:
    sys.exit("FAIL: steps 1-3 are %r" % got)
if word(4, 1) != 0:
    sys.exit("FAIL: a fourth step was recorded (code %g)" % word(4, 1))
print("steps 1-3:", got)
PY

for png in recorded loaded; do
  [ -s "$WORK/$png.png" ] || { echo "FAIL: no picture $png.png"; FAILS=$((FAILS + 1)); }
done
finish
