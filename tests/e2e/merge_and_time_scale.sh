#!/usr/bin/env bash
# A hand-written own text file of 2 channels at 2 s stacked onto the example recording at
# 1 s with its data brought to the recording's interval, saved as text: 7 channels, and the
# added channels at case 2k hold the file's case k. Then merges given up in their windows:
# the recording saved again is the same bytes.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(cd "$(dirname "$0")/../.." && pwd)/resources/examples/respirometry-run.KXdata"
cp "$EXAMPLE" "$WORK/respirometry-run.KXdata"

python3 - "$WORK" <<'PY'
import sys
rows = ['100, 2, 2', '"01-02-2024","10:00:00"', '"added"',
        '0, 0, 0, 0, 0, "extra one"', '0, 0, 0, 0, 0, "extra two"', '0, 0, 0, 0, 0', '0']
rows += ['%d, %d,' % (k, 500 + k) for k in range(1, 101)]
rows += ['0', '0, 0, 0, 0, 0, 0']
open(sys.argv[1] + '/second.txt', 'wb').write(('\r'.join(rows) + '\r').encode('ascii'))
PY

cat > "$WORK/stack.events" <<EVENTS
menu 75 1
open $WORK/second.txt
click 2
shot 17 $WORK/stack.png
click 444
click 351
click 4
click 6
shot 1000 $WORK/merged.png
menu 1 7
click 233
click 2
click 7
save $WORK/merged.txt
quit
alert 2
EVENTS
run_events stack "$WORK/respirometry-run.KXdata"
expect_status 0 "stack a text file onto the recording, save as text"
expect_grep "^ 10800, 1, 7" "$WORK/merged.txt" "7 channels, the recording's cases and interval"
python3 - "$WORK/merged.txt" <<'PY' || { echo "FAIL: the added channels are not at their times"; FAILS=$((FAILS + 1)); }
import sys
lines = open(sys.argv[1], 'rb').read().decode('latin-1').split('\r')
m = int(lines[11])
rows = [[float(v) for v in l.split(',') if v.strip()] for l in lines[12 + m:12 + m + 10800]]
for k in range(1, 101):
    assert rows[2 * k - 1][5] == k and rows[2 * k - 1][6] == 500 + k, (k, rows[2 * k - 1])
assert rows[300][5] == 0 and rows[10799][6] == 0
PY
[ -s "$WORK/stack.png" ] || { echo "FAIL: no picture of the stack window"; FAILS=$((FAILS + 1)); }

sed '1s/^100, 2, 2/100, 0, 2/' "$WORK/second.txt" > "$WORK/zero.txt"
# Each way of giving up a merge: window 18's Cancel, the append window's Cancel, and "Cancel
# Load" of window 99 for a second file that gives no interval.
for cancel in "second.txt|click 3" "second.txt|click 1|click 352" "zero.txt|click 2"; do
  IFS='|' read -r file answers <<<"$cancel"
  {
    echo "menu 75 1"
    echo "open $WORK/$file"
    tr '|' '\n' <<<"${cancel#*|}"
    echo "menu 1 7"
    echo "click 234"
    echo "save $WORK/again.KXdata"
    echo "quit"
  } > "$WORK/cancel.events"
  rm -f "$WORK/again.KXdata"
  run_events cancel "$WORK/respirometry-run.KXdata"
  expect_status 0 "a merge given up ($answers), the recording saved again"
  cmp "$EXAMPLE" "$WORK/again.KXdata" || { echo "FAIL: a merge given up ($answers) changed the recording"; FAILS=$((FAILS + 1)); }
done

finish
