#!/usr/bin/env bash
# A script recorded on a 3-channel recording (channel 2, Duplicate, Basic Descriptive Stats on
# a dragged block, "P"), saved, and the file saved as binary; then, on a fresh copy, the script
# loaded and run on the file in front ("Automatic, One File") with the same block dragged at
# the block request. The two binary files must be the same bytes and the two reports the same
# statistics.
source "$(dirname "$0")/lib.sh" "$@"

make_recording() {
python3 - "$1" <<'PY'
import kxdata, sys
N, C = 600, 3
kxdata.write(sys.argv[1], N, [lambda k, c=c: c * 10 + (k % 13) / 4 + k / 500 for c in range(1, C + 1)])
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
