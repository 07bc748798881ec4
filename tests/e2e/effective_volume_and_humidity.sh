#!/usr/bin/env bash
# A 3-channel recording: "O2 %" 20.95, "RH" 50, "washout" 10 x 0.99^k, 900 cases at 1 s, 760 torr.
# The O2 channel, an absolute content, is compensated for the water vapour of 50 % RH at 20 deg C
# (w 0.0107379): 20.95 / (1 - w) = 21.1774 at every case. The effective volume of a block of the
# washout is 1 s x 600 ml/min / ln(1 / 0.99) = 994.99 ml; stored, it is the saved file's volume,
# and channel 3 is left as it was.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/washout.KXdata"
SAVED="$WORK/saved.KXdata"

python3 - "$RECORDING" <<'PY'
import kxdata, sys
kxdata.write(sys.argv[1], 900, [lambda k: 20.95, lambda k: 50.0, lambda k: 10 * 0.99 ** k],
             labels=["O2 %", "RH", "washout"], file_values=(600, 30, 760, 20, 1000))
PY

# Absolute %O2, channel 1; %RH or dew point, 760 torr; the RH channel 2; %RH; a sensor at 20 deg C.
cat > "$WORK/volume.events" <<EVENTS
menu 76 3
click 4
click 2
click 1
click 135
click 202
type 101 760
click 1
click 2
click 124
click 11
click 15
click 123
type 101 20
click 124
shot 1000 $WORK/analyser.png
popup 333 3
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
menu 76 12
type 101 600
click 1
shot 4 $WORK/volume.png
click 1
menu 1 7
click 234
save $SAVED
quit
EVENTS
run_events volume "$RECORDING"
expect_status 0 "humidity compensation, effective volume stored, Save As binary, quit"
require_file "$WORK/analyser.png" "picture of the compensated channel"
require_file "$WORK/volume.png" "picture of the effective-volume results"
require_file "$SAVED" "saved file"

python3 - "$SAVED" <<'PY' || FAILS=$((FAILS + 1))
import struct, sys, kxdata
data = open(sys.argv[1], "rb").read()
assert data.startswith(b"-999\r"), data[:8]
p = 5
n, interval, count = struct.unpack_from(">hfh", data, p); p += 8 + 18
(comment,) = struct.unpack_from(">f", data, p); p += 4 + int(comment)
p += count * 50
flow, mass, pressure, temperature, volume = struct.unpack_from(">5f", data, p); p += 20
(markers,) = struct.unpack_from(">h", data, p); p += 2 + 4 * markers
channels = []
for c in range(count):
    channels.append(struct.unpack_from(">%df" % n, data, p + 4)); p += 4 * (n + 1)
assert (n, count) == (900, 3), (n, count)
assert abs(volume - 994.99) <= 0.05, ("effective volume", volume)
for k in range(1, n + 1):
    assert abs(channels[0][k - 1] - 21.1774) <= 1e-4, ("O2 at", k, channels[0][k - 1])
for k in range(1, n + 1):
    assert channels[2][k - 1] == kxdata.f32(10 * 0.99 ** k), ("washout changed at", k)
print("O2 %.4f at every case; effective volume %.3f ml" % (channels[0][0], volume))
PY
finish
