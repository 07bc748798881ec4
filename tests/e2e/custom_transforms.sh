#!/usr/bin/env bash
# Edit > "Custom Transforms..." on five saved transforms: records 2 and 4 deleted in the
# deletion window leave a file of three 114-byte records, 1, 3 and 5 in that order.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(cd "$(dirname "$0")/../.." && pwd)/resources/examples/respirometry-run.KXdata"
cp "$EXAMPLE" "$WORK/respirometry-run.KXdata"
mkdir -p "$XDG_DATA_HOME/Quorvelant"
FILE="$XDG_DATA_HOME/Quorvelant/VIVavavuReruderava.VUvuv"
# Record k: a 48-byte name "transform k", code 7, a = k; the other words 0.
python3 - "$FILE" <<'PY'
import struct, sys
with open(sys.argv[1], "wb") as f:
    for k in range(1, 6):
        f.write(("transform %d" % k).ljust(48).encode("ascii"))
        f.write(struct.pack(">hhhhfffhhhf9f", 1, 0, 7, 0, float(k), 0, 0, 0, 7, 1, 0, *([0.0] * 9)))
PY
[ "$(stat -c %s "$FILE")" -eq 570 ] || { echo "FAIL: the fixture is not five records"; exit 1; }
cp "$FILE" "$WORK/five.VUvuv"

cat > "$WORK/custom.events" <<EVENTS
menu 2 23
shot 150 $WORK/custom.png
click 51
click 2
click 4
click 52
click 52
quit
EVENTS
run_events custom "$WORK/respirometry-run.KXdata"
expect_status 0 "manager, deletion of 2 and 4, quit"
[ -s "$WORK/custom.png" ] || { echo "FAIL: no picture of the manager"; FAILS=$((FAILS + 1)); }
size=$(stat -c %s "$FILE")
[ "$size" -eq 342 ] || { echo "FAIL: the file has $size bytes, expected 342"; FAILS=$((FAILS + 1)); }
for k in 1 3 5; do
  dd if="$WORK/five.VUvuv" bs=114 skip=$((k - 1)) count=1 status=none
done > "$WORK/kept.VUvuv"
cmp -s "$FILE" "$WORK/kept.VUvuv" || { echo "FAIL: the file is not records 1, 3 and 5"; FAILS=$((FAILS + 1)); }

finish
