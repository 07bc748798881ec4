#!/usr/bin/env bash
# A recording's flow converted to STP and stored, then the dissolved-oxygen calculator opened
# over the stored values: it shows its defaults but writes none of them, and Save As keeps the
# STP flow, 0 degrees, 760 torr, the volume and the mass.
source "$(dirname "$0")/lib.sh" "$@"

python3 - "$WORK/run.KXdata" <<'PY'
import sys, kxdata
kxdata.write(sys.argv[1], 60, [lambda k: 20 + k / 10],
             file_values=(500, 30, 748, 24.5, 1200))   # flow, mass, pressure, flow temperature, volume
PY

cat > "$WORK/stp.events" <<EVENTS
menu 8 5
shot 8 $WORK/stp.png
click 12
click 13
menu 8 9
shot 8 $WORK/dissolved_oxygen.png
click 14
menu 1 7
click 7
save $WORK/saved.KXdata
quit
EVENTS
run_events stp "$WORK/run.KXdata"
expect_status 0 "STP Store, Dissolved Oxygen, Save As, then quit"
for p in stp dissolved_oxygen; do require_file "$WORK/$p.png" "picture $p.png"; done
require_file "$WORK/saved.KXdata" "saved file"

python3 - "$WORK/saved.KXdata" >"$WORK/values.txt" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
count = struct.unpack(">h", data[11:13])[0]
at = 5 + 8 + 18
comment = struct.unpack(">f", data[at:at + 4])[0]
at += 4 + int(comment) + count * 50
flow, mass, pressure, temperature, volume = struct.unpack(">5f", data[at:at + 20])
print("flow %.3f mass %g pressure %g temperature %g volume %g" % (flow, mass, pressure, temperature, volume))
PY
expect_grep "^flow 451.579 mass 30 pressure 760 temperature 0 volume 1200$" "$WORK/values.txt" "the saved flow description"

finish
