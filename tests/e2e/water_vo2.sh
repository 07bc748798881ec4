#!/usr/bin/env bash
# VO2 in Water from the menu on a 2-channel recording: "O2 sat" deflects 10 % at every case
# and "flow" holds 50 ml/min; 1 s, a typed flow of 100 ml/min, 20 degrees C, 760 torr. The
# open system with the flow from channel 2, fresh water: every case of the new channel 3 is
# 10 x 6.35087 ml/L x 0.1 L/min / 100 x 50 / 100 = 0.0317543 ml/min. The file is saved as
# binary, opened again and saved as text to read the samples back.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/water.KXdata"
BINARY="$WORK/water-vo2.KXdata"
TEXT="$WORK/water-vo2.txt"

python3 - "$RECORDING" <<'PY'
import kxdata, sys
kxdata.write(sys.argv[1], 120, [lambda k: 10.0, lambda k: 50.0], labels=["O2 sat", "flow"],
             file_values=(100, 30, 760, 20, 1000))   # flow, mass, pressure, temperature, volume
PY

cat > "$WORK/water.events" <<EVENTS
# Open system, flow from a channel, Continue; O2 channel 1, flow channel 2, Done
menu 76 7
click 2
click 3
shot 4 $WORK/water-first.png
click 5
click 1
click 4
shot 10 $WORK/water-channels.png
click 153
popup 49 1
popup 48 1
type 108 0
click 11
shot 4 $WORK/water-second.png
click 14
shot 1000 $WORK/water.png
menu 1 7
click 234
save $BINARY
quit
EVENTS
run_events water "$RECORDING"
expect_status 0 "VO2 in Water, then Save As binary"
[ -s "$BINARY" ] || { echo "FAIL: no binary file"; FAILS=$((FAILS + 1)); finish; }

cat > "$WORK/text.events" <<EVENTS
menu 1 7
click 233
click 2
click 7
save $TEXT
quit
EVENTS
run_events text "$BINARY"
expect_status 0 "the saved file opened and saved as text"

python3 - "$TEXT" <<'PY' || FAILS=$((FAILS + 1))
import kxdata, sys
text = open(sys.argv[1], encoding="latin-1").read()
head = [x.strip() for x in text.replace("\r", "\n").split("\n")[0].split(",")]
assert head[0] == "120" and head[2] == "3", ("header", head)
assert "VO2 in mL O2/min" in text, "no channel labelled VO2 in mL O2/min"
cases = [[float(c) for c in row.rstrip(",").split(",")] for row in kxdata.text_rows(sys.argv[1], channels=3)]
assert len(cases) == 120, ("cases", len(cases))
for r in cases:
    assert r[:2] == [10.0, 50.0] and abs(r[2] - 0.0317543) < 2e-6, r
print("channel 3: %d cases of %.7f" % (len(cases), cases[-1][2]))
PY
finish
