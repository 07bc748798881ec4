#!/usr/bin/env bash
# A ragged text file imported (rows shorter and longer than the header, a blank row, CR line
# ends; the last row, whose fields the import window counts as the columns, is whole), then
# saved in the own text format: every field a row leaves out must read 0 and the fields it
# has must keep their values.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(cd "$(dirname "$0")/../.." && pwd)/resources/examples/respirometry-run.KXdata"
cp "$EXAMPLE" "$WORK/run.KXdata"
printf 'a1,b1,c1\r1,2,3\r4,5\r\r11\r6,7,8,9,10\r12,13,14\r15\r16,17\r18,19,20\r' > "$WORK/ragged.csv"

cat > "$WORK/import.events" <<EVENTS
# Import > Text: data from line 2, every column, then the file-data editor closed.
menu 74 2
open $WORK/ragged.csv
click 2
click 96
click 19
key 13
menu 1 7
click 233
click 2
click 7
save $WORK/imported.txt
quit
EVENTS
run_events import "$WORK/run.KXdata"
expect_status 0 "a ragged import saved as text"

python3 - "$WORK/imported.txt" <<'PY' || FAILS=$((FAILS + 1))
import sys
lines = open(sys.argv[1], "rb").read().decode("mac_roman").split("\r")
count, _, n = [s.strip() for s in lines[0].split(",")]
markers = int(lines[3 + int(n) + 1].strip())
first = 3 + int(n) + 2 + markers
# Entry 0 holds the first data row (1,2,3) and is not saved; cases 1.. follow.
want = [[4, 5, 0], [0, 0, 0], [11, 0, 0], [6, 7, 8], [12, 13, 14], [15, 0, 0], [16, 17, 0], [18, 19, 20]]
if (int(count), int(n)) != (len(want), 3):
    sys.exit("FAIL: %s cases, %s channels" % (count, n))
for k, row in enumerate(want, 1):
    got = [float(v) for v in lines[first + k - 1].split(",") if v.strip()]
    if got != row:
        sys.exit("FAIL: case %d is %s, expected %s" % (k, got, row))
print("ragged rows: missing fields read 0")
PY

finish
