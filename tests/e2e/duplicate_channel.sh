#!/usr/bin/env bash
# The "D" key on the example recording duplicates its active channel (O2 %) into channel 6,
# which the plot then shows; saved as text, channel 6 is channel 1 sample for sample.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(cd "$(dirname "$0")/../.." && pwd)/resources/examples/respirometry-run.KXdata"
cp "$EXAMPLE" "$WORK/respirometry-run.KXdata"

cat > "$WORK/copy.events" <<EVENTS
key 68
shot 1000 $WORK/copy.png
menu 1 7
click 233
click 2
click 7
save $WORK/copy.txt
quit
EVENTS
run_events copy "$WORK/respirometry-run.KXdata"
expect_status 0 "duplicate, Save As text, quit"
[ -s "$WORK/copy.png" ] || { echo "FAIL: no picture of the plot"; FAILS=$((FAILS + 1)); }

tr '\r' '\n' < "$WORK/copy.txt" > "$WORK/copy.lines"
expect_grep '^ 10800, 1, 6$' "$WORK/copy.lines" "six channels in the saved file"
labels=$(grep -c '^ 0, 1, 0, 0, 0,"O2 %' "$WORK/copy.lines")
[ "$labels" -eq 2 ] || { echo "FAIL: channel 6 is not labelled O2 % ($labels labels)"; FAILS=$((FAILS + 1)); }
# The sample rows: six values and a closing comma.
awk -F', *' '
  /,$/ && NF == 7 { rows++; if ($1 != $6) differ++ }
  END { if (differ || rows != 10800) { printf "FAIL: %d sample rows, %d differ\n", rows, differ; exit 1 } }
' "$WORK/copy.lines" || FAILS=$((FAILS + 1))

finish
