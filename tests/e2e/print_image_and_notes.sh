#!/usr/bin/env bash
# Print File Image on the example recording to PDF, then the notes list and its notes file.
# A cancelled page set-up leaves the plot working: a drag still selects a block.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"
PDF="$WORK/image.pdf"
cat > "$WORK/image.events" <<EVENTS
menu 1 15
shot 200 $WORK/options.png
click 9
click 233
click 23
page ok
print $PDF
menu 82 7
shot 6000 $WORK/notes.png
click 11
save $WORK/notes.txt
click 2
quit
EVENTS
run_events image "$EXAMPLE"
expect_status 0 "the image printed and the notes saved"
[ -s "$PDF" ] || { echo "FAIL: nothing printed"; FAILS=$((FAILS + 1)); finish; }
[ "$(wc -c < "$WORK/notes.txt")" = 292 ] || { echo "FAIL: the notes file is $(wc -c < "$WORK/notes.txt") bytes"; FAILS=$((FAILS + 1)); }
if command -v pdftotext >/dev/null; then
  pdftotext "$PDF" "$WORK/image.txt"
  for want in "Quorvelant" "respirometry-run.KXdata" "total recording time 3 hours" "unknown" "Comments:"; do
    expect_grep "$want" "$WORK/image.txt" "the page holds \"$want\""
  done
fi

cat > "$WORK/cancel.events" <<EVENTS
menu 1 15
click 9
click 233
click 23
page cancel
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
shot 1999 $WORK/toolbar.png
quit
EVENTS
run_events cancel "$EXAMPLE"
expect_status 0 "a cancelled page set-up, then a drag on the plot"
finish
