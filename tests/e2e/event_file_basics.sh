#!/usr/bin/env bash
# Event files drive the real program and always end by themselves.
source "$(dirname "$0")/lib.sh" "$@"

printf 'quit\n' > "$WORK/quit.events"
run_events quit
expect_status 0 "a quit record ends the program normally"

printf '# a click that no window can take\nclick 99\n' > "$WORK/click.events"
run_events click
expect_status 3 "scripted input that cannot be done"
expect_grep "control 99" "$WORK/click.err" "the message names the record"

printf 'quit\nmenu 3\n' > "$WORK/bad.events"
run_events bad
expect_status 2 "a malformed line"
expect_grep "line 2" "$WORK/bad.err" "the message names the line"

printf '\n' > "$WORK/empty.events"
run_events empty
expect_status 3 "an event file that runs out"
expect_grep "ran out" "$WORK/empty.err" "the message says so"

finish
