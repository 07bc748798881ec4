#!/usr/bin/env bash
# A block dragged across the plot of the example recording, given on the command line, and
# pictures of the plot with its highlight and of the block window.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"

# The mouse records name window 1000: after loading, the block instructions may be in front.
cat > "$WORK/drag.events" <<EVENTS
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
shot 1000 $WORK/plot.png
shot 2 $WORK/block.png
quit
EVENTS
run_events drag "$EXAMPLE"
expect_status 0 "a drag, two pictures and quit"
[ -s "$WORK/plot.png" ] || { echo "FAIL: no picture of the plot"; FAILS=$((FAILS + 1)); }
[ -s "$WORK/block.png" ] || { echo "FAIL: no picture of the block window"; FAILS=$((FAILS + 1)); }

finish
