#!/usr/bin/env bash
# Files given on the command line open as documents handed over by the desktop: the plot
# comes up without the file-type chooser; a file that cannot be read is refused and the
# chooser follows.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"

# The example recording: its plot window exists at once (the chooser would take the shot
# record and fail on it).
printf 'shot 1000 %s/plot.png\nquit\n' "$WORK" > "$WORK/example.events"
run_events example "$EXAMPLE"
expect_status 0 "the example opened from the command line, a picture and quit"
[ -s "$WORK/plot.png" ] || { echo "FAIL: no picture of the plot"; FAILS=$((FAILS + 1)); }

# The program's own text format, five cases of one channel.
printf '5, 1, 1\r"05/14/2024","09:00:00"\r"a short run"\r0, 1, 0, 0, 0,"flow"\r500, 20, 760, 21, 0\r0\r1,\r2,\r3,\r4,\r5,\r' \
  > "$WORK/short run.KXdata"
printf 'shot 1000 %s/text.png\nquit\n' "$WORK" > "$WORK/text.events"
run_events text "$WORK/short run.KXdata"
expect_status 0 "a text data file opened from the command line"

# A damaged file: the refusal, a click on it, then the chooser, whose Quit ends the run.
printf -- '-999\r\001\002' > "$WORK/broken.KXdata"
printf 'shot 1166 %s/refusal.png\ndialog 3 1166\nshot 12 %s/chooser.png\nclick 5\n' "$WORK" "$WORK" > "$WORK/broken.events"
run_events broken "$WORK/broken.KXdata"
expect_status 0 "a damaged file refused at start-up, then the chooser's Quit"
for p in refusal chooser; do
  [ -s "$WORK/$p.png" ] || { echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); }
done

finish
