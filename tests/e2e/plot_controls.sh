#!/usr/bin/env bash
# The plot window's controls on the example recording: the tool bar, the whole-file view and
# paging keys, a block dragged and shifted right and left (by key and by the tool bar) with
# automatic repeat rerunning the statistics each time, and a fixed-width block of 10 s.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"
RESULTS="$WORK/results.txt"

cat > "$WORK/controls.events" <<EVENTS
shot 1999 $WORK/toolbar.png
key 13
key 29
mouse drag 600 200 1000
shot 1000 $WORK/whole.png
key 28
key 28
key 13
shot 1000 $WORK/page.png
menu 3 29
click 2
click 3
menu 80 3
save $RESULTS
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
menu 77 1
menu 3 1
key 80
dialog 4 4
shot 1999 $WORK/toolbar-block.png
key 129
key 80
dialog 4 4
click 592
key 80
dialog 4 4
menu 77 2
type 101 10
click 111
mouse down 500 200 1000
mouse up 500 200 1000
key 80
dialog 4 4
shot 1000 $WORK/fixed.png
quit
EVENTS
run_events controls "$EXAMPLE"
expect_status 0 "tool bar, paging, shifts and a fixed-width block"
for p in toolbar whole page toolbar-block fixed; do
  [ -s "$WORK/$p.png" ] || { echo "FAIL: no picture $p"; FAILS=$((FAILS + 1)); }
done
require_file "$RESULTS" "results file"
for want in "Cases2518 to5035" "Cases5036 to7553" "N = 11"; do
  grep -q "$want" "$RESULTS" || { echo "FAIL: the results lack \"$want\""; FAILS=$((FAILS + 1)); }
done
[ "$(grep -c "Cases2518 to5035" "$RESULTS")" -ge 2 ] || { echo "FAIL: the block shifted back is not reported"; FAILS=$((FAILS + 1)); }

finish
