#!/usr/bin/env bash
# VO2 with a wet incurrent flow (Mode 1, constant 50 %RH at a sensor temperature of 20 C,
# 760 torr, flow meter at 0 C) and its equation window, then EWL from a kPa channel with a
# constant FeO2 of 0.2050, RQ 0.85 and FiH2O 0.005; the file is saved as binary and read back.
# Flow 100 ml/min at 0 C and 760 torr: VO2 is 1.24853 x (1 - 0.0107379) = 1.23513 ml/min at
# every case, EWL 0.395364 mg/min.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/wet.KXdata"
SAVED="$WORK/wet-saved.KXdata"

python3 - "$RECORDING" <<'PY'
import kxdata, sys
kxdata.write(sys.argv[1], 60, [lambda k: 1.0, lambda k: 1.0], labels=["O2", "H2O"],
             file_values=(100, 30, 760, 0, 1000))   # flow, mass, pressure, flow temperature, volume
PY

cat > "$WORK/wet.events" <<EVENTS
# Compute VO2: typed flow, incurrent flow not dry, channel 1, Mode 1
menu 76 1
click 1
click 6
click 3
click 1
click 135
click 1
shot 6 $WORK/config.png
click 6
# %RH sensor, 760 torr, constant 50 %RH, sensor at 20 C
click 202
type 101 760
click 1
click 123
type 101 50
click 124
click 123
type 101 20
click 124
click 34
shot 14 $WORK/equation.png
click 10
click 32
# Compute EWL: typed flow, channel 2 in kPa, constant FeO2, FiH2O 0.005
menu 76 5
click 1
click 3
click 2
click 135
click 13
click 15
click 13
type 102 0.005
click 15
click 32
menu 1 7
click 234
save $SAVED
quit
EVENTS
run_events wet "$RECORDING"
expect_status 0 "Compute VO2 and EWL, then Save As binary"
require_file "$WORK/config.png" "the configuration window's image"
require_file "$WORK/equation.png" "the equation window's image"
[ -s "$SAVED" ] || { echo "FAIL: no saved file"; FAILS=$((FAILS + 1)); finish; }

python3 - "$SAVED" <<'PY' || FAILS=$((FAILS + 1))
import struct, sys
data = open(sys.argv[1], "rb").read()
n, interval, count = struct.unpack(">hfh", data[5:13])
assert (n, count) == (60, 4), ("cases and channels", n, count)
assert b"VO2 # 2; ml/min" in data, "no channel labelled VO2 # 2; ml/min"
# After the header: the comment (its length as a float, then its text), the labels, the file
# values and the markers; then each channel as entry 0 and n cases.
comment = int(struct.unpack(">f", data[31:35])[0])
at = 35 + comment + 50 * count + 20
markers = struct.unpack(">h", data[at:at + 2])[0]
block = 4 * (n + 1)
start = at + 2 + 4 * markers
def channel(c):
    raw = data[start + (c - 1) * block: start + c * block]
    return struct.unpack(">%df" % n, raw[4:])
for c, want in ((3, 1.23513), (4, 0.395364)):
    values = channel(c)
    bad = [v for v in values if abs(v - want) > want * 2e-5]
    assert not bad, ("channel %d" % c, want, bad[:3])
    print("channel %d: %d cases of %.6f" % (c, len(values), values[0]))
PY
finish
