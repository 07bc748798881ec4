#!/usr/bin/env bash
# A script recorded on a 3-channel recording (channel 2, Duplicate, Basic Descriptive Stats on
# a dragged block, "P"), saved, and the file saved as binary; then, on a fresh copy, the script
# loaded and run on the file in front ("Automatic, One File") with the same block dragged at
# the block request. The two binary files must be the same bytes and the two reports the same
# statistics.
source "$(dirname "$0")/lib.sh" "$@"

make_recording() {
python3 - "$1" <<'PY'
import struct, sys
N, C = 600, 3
out = bytearray(b"-999\r")
out += struct.pack(">hfh", N, 1.0, C)
out += b"05/14/2024" + b"10:00:00"
out += struct.pack(">f", 0.0)
for c in range(1, C + 1):
    out += struct.pack(">5f", 0, 1, 0, 0, 0) + ("chan %d" % c).ljust(30).encode()
out += struct.pack(">5f", 500, 28.4, 748, 24.5, 1200)
out += struct.pack(">h", 0)
for c in range(1, C + 1):
    out += struct.pack("<f", 0.0)
    out += b"".join(struct.pack(">f", c * 10 + (k % 13) / 4 + k / 500) for k in range(1, N + 1))
out += struct.pack(">7f", 0, 0, 0, 0, 0, 0, 0)
out += b"\r\x1b"
open(sys.argv[1], "wb").write(out)
PY
}

make_recording "$WORK/one.KXdata"
make_recording "$WORK/two.KXdata"

cat > "$WORK/record.events" <<EVENTS
menu 80 3
save $WORK/R1.txt
menu 6 1
key 50
key 68
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
menu 3 1
key 80
dialog 4 4
menu 6 2
menu 6 6
save $WORK/S.QVscript
menu 1 7
click 234
save $WORK/F1.KXdata
quit
EVENTS
run_events record "$WORK/one.KXdata"
expect_status 0 "recording the script"

cat > "$WORK/replay.events" <<EVENTS
menu 80 3
save $WORK/R2.txt
menu 6 4
open $WORK/S.QVscript
click 246
menu 6 10
shot 1000 $WORK/request.png
shot 4 $WORK/request4.png
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
key 80
dialog 4 4
menu 1 7
click 234
save $WORK/F2.KXdata
quit
EVENTS
run_events replay "$WORK/two.KXdata"
expect_status 0 "replaying the script on the file in front"

cmp -s "$WORK/F1.KXdata" "$WORK/F2.KXdata" || { echo "FAIL: F1 and F2 differ"; FAILS=$((FAILS + 1)); }
stats() { grep -E "Mean =|S\.D\. =|Cases" "$1"; }
if [ -z "$(stats "$WORK/R1.txt")" ] || [ "$(stats "$WORK/R1.txt")" != "$(stats "$WORK/R2.txt")" ]; then
  echo "FAIL: the reports differ"; cat "$WORK/R1.txt" "$WORK/R2.txt"; FAILS=$((FAILS + 1))
fi
finish
