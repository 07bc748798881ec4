#!/usr/bin/env bash
# A menu pick made while a tool window waits is served before the next record: the records
# after it belong to the window the pick opens. Picked in the scan dialog (the scan's results
# window opens with the pick already made) and in the statistics window.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/run.KXdata"
RESULTS="$WORK/results.txt"
python3 -c "import kxdata, sys; kxdata.write_two_channel_run(sys.argv[1])" "$RECORDING"

cat > "$WORK/picks.events" <<EVENTS
menu 80 3
save $RESULTS
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
# Analyze > Minimum Value, then Basic Descriptive Stats picked in its dialog; "P" reports it
menu 3 2
menu 3 1
key 80
# Integrate Block picked in the statistics window; its baseline button, "P", the close box
menu 3 6
click 118
key 80
dialog 4 4
quit
EVENTS
run_events picks "$RECORDING"
expect_status 0 "menu picks in tool windows"
require_file "$RESULTS" "results file"
expect_grep "BASIC STATS, CHANNEL 1" "$RESULTS" "the statistics reported after a pick in the scan dialog"
expect_grep "Baseline is block start" "$RESULTS" "the integration reported after a pick in the statistics window"
finish
