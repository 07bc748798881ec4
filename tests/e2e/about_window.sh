#!/usr/bin/env bash
# The About window from the start-up chooser, its picture, and Quit from the chooser.
source "$(dirname "$0")/lib.sh" "$@"

printf 'menu 254 1\nshot 33 %s/about.png\nclick 22\nquit\n' "$WORK" > "$WORK/about.events"
run_events about
expect_status 0 "About from the chooser, then Quit"
if [ ! -s "$WORK/about.png" ]; then echo "FAIL: no picture of the About window"; FAILS=$((FAILS + 1)); fi

finish
