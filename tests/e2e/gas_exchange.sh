#!/usr/bin/env bash
# Compute VO2 from the menu on a 2-channel recording whose O2 channel deflects 1 % at every
# case, with a typed flow of 100 ml/min at 0 degrees C and 760 torr, dry air, CO2 absorbed,
# chamber mode 1: every case of the new channel 3 is 100 x 0.01 / (0.7905 + 0.01) x the STP
# factor 0.359211 x 760 / 273.15 = 1.24853 ml/min. The file is then saved as text.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/o2.KXdata"
TEXT="$WORK/o2.txt"

python3 - "$RECORDING" <<'PY'
import kxdata, sys
N, C = 120, 2
labels = ["O2", "flow"]
kxdata.write(sys.argv[1], N, [lambda k: 1.0, lambda k: 100.0], labels=labels,
             file_values=(100, 30, 760, 0, 1000))   # flow, mass, pressure, flow temperature, volume
PY

cat > "$WORK/vo2.events" <<EVENTS
# Edit > Respirometry > Compute VO2: typed flow, Next, channel 1, Next, Mode 1, Next, Compute
menu 76 1
click 1
click 3
click 1
click 135
click 6
click 32
shot 1000 $WORK/vo2.png
menu 1 7
click 233
click 2
click 7
save $TEXT
quit
EVENTS
run_events vo2 "$RECORDING"
expect_status 0 "Compute VO2, then Save As text"
[ -s "$TEXT" ] || { echo "FAIL: no text file"; FAILS=$((FAILS + 1)); finish; }

python3 - "$TEXT" <<'PY' || FAILS=$((FAILS + 1))
import sys
lines = open(sys.argv[1], encoding="utf-8", errors="replace").read().replace("\r", "\n").split("\n")
head = [x.strip() for x in lines[0].split(",")]
assert head[0] == "120" and head[2] == "3", ("header", lines[0])
assert any("VO2 # 2; ml/min" in l for l in lines), "no channel labelled VO2 # 2; ml/min"
rows = []
for l in lines:
    cells = [c.strip() for c in l.rstrip(",").split(",")]
    try:
        rows.append([float(c) for c in cells])
    except ValueError:
        pass
cases = [r for r in rows if len(r) == 3 and r[:2] == [1.0, 100.0]]
assert len(cases) == 120, ("cases", len(cases))
values = [r[2] for r in cases]
for v in values:
    assert abs(v - 1.24853) < 2e-5, v
print("channel 3: %d cases of %.5f" % (len(values), values[-1]))
PY
finish
