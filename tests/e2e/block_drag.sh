#!/usr/bin/env bash
# A block dragged across the plot of the example recording, given on the command line: the
# block's first and last case are those under the two ends of the drag, as the statistics
# report of the block gives them; pictures of the plot with its highlight and of the block
# window.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"
RESULTS="$WORK/results.txt"
FROM=300 TO=600

# The mouse records name window 1000: after loading, the block instructions may be in front.
cat > "$WORK/drag.events" <<EVENTS
menu 80 3
save $RESULTS
mouse down $FROM 200 1000
mouse drag 450 200 1000
mouse up $TO 200 1000
shot 1000 $WORK/plot.png
shot 2 $WORK/block.png
menu 3 1
key 80
dialog 4 4
quit
EVENTS
run_events drag "$EXAMPLE"
expect_status 0 "a drag, two pictures, the block's statistics and quit"
require_file "$WORK/plot.png" "picture of the plot"
[ -s "$WORK/block.png" ] || { echo "FAIL: no picture of the block window"; FAILS=$((FAILS + 1)); }
require_file "$RESULTS" "results file"

# The whole recording fits the plot's width (the width of its picture, from the PNG header), so
# pixel x stands for case trunc(x * cases / width); the case count is the i16 after "-999\r".
read -r -a w <<<"$(od -An -tu1 -j16 -N4 "$WORK/plot.png")"
WIDTH=$(((w[0] << 24) | (w[1] << 16) | (w[2] << 8) | w[3]))
read -r -a c <<<"$(od -An -tu1 -j5 -N2 "$EXAMPLE")"
CASES=$(((c[0] << 8) | c[1]))
read -r FIRST LAST <<<"$(awk -v n="$CASES" -v w="$WIDTH" -v a="$FROM" -v b="$TO" \
  'BEGIN { k = n / w; printf "%d %d\n", int(a * k), int(b * k) }')"
if [ "$CASES" -le "$WIDTH" ] || [ "$LAST" -le "$FIRST" ]; then
  echo "FAIL: $CASES cases on $WIDTH pixels is not the whole-file view this test drags in"; FAILS=$((FAILS + 1))
fi
# The report numbers cases from 1 where the block counts from 0.
expect_grep "Cases$((FIRST + 1)) to$((LAST + 1)) (total$((LAST - FIRST + 1)))" "$RESULTS" \
  "the block from case $FIRST to $LAST"

finish
