#!/usr/bin/env bash
# With no file argument the program comes up with the file-type chooser after the splash,
# without waiting for the animation; the chooser's Quit ends it.
source "$(dirname "$0")/lib.sh" "$@"

printf 'shot 12 %s/chooser.png\nclick 7\nshot 1300 %s/help.png\nclick 5\n' "$WORK" "$WORK" > "$WORK/chooser.events"
run_events chooser
expect_status 0 "the chooser's Quit"
for p in chooser help; do
  if [ ! -s "$WORK/$p.png" ]; then echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); fi
done

# The menu's Quit acts as the chooser's Quit button.
printf 'quit\n' > "$WORK/quit.events"
run_events quit
expect_status 0 "Quit from the menu while the chooser waits"

finish
