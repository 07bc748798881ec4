#!/usr/bin/env bash
# Twenty-one files on the command line: the notice that one cannot be loaded, twenty plot
# windows; then File > Open shows the close chooser, one file is closed and the new one
# takes its slot.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"
FILES=()
for i in $(seq -w 1 21); do
  cp "$EXAMPLE" "$WORK/run$i.KXdata"
  FILES+=("$WORK/run$i.KXdata")
done

cat > "$WORK/twenty.events" <<EVENTS
shot 998 $WORK/too-many.png
click 28
shot 1019 $WORK/twentieth.png
menu 1 1
shot 200 $WORK/chooser.png
click 5
click 27
open $WORK/run21.KXdata
shot 1004 $WORK/replaced.png
quit
EVENTS
run_events twenty "${FILES[@]}"
expect_status 0 "twenty files open, the twenty-first refused, then one replaced"
for p in too-many twentieth chooser replaced; do
  [ -s "$WORK/$p.png" ] || { echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); }
done

finish
