#!/usr/bin/env bash
# A damaged preferences file at start-up: its warning, then the recording named on the command
# line opens as it would with a good file (no chooser). A document that cannot be opened is
# named in a warning of its own before the chooser.
source "$(dirname "$0")/lib.sh" "$@"
EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"
PREFS_DIR="$XDG_CONFIG_HOME/Quorvelant"

# damaged NAME: writes the user's preferences file in one of the damaged forms.
damaged() {
  rm -rf "$PREFS_DIR" && mkdir -p "$PREFS_DIR"
  case "$1" in
    short) head -c 200 /dev/zero > "$PREFS_DIR/QVprefs.QVpr" ;;
    random) python3 -c "import random,sys; random.seed(5); sys.stdout.buffer.write(bytes(random.randrange(256) for _ in range(412)))" > "$PREFS_DIR/QVprefs.QVpr" ;;
    empty) : > "$PREFS_DIR/QVprefs.QVpr" ;;
    nan) python3 -c "import sys; sys.stdout.buffer.write(b'\x7f\xc0' * 206)" > "$PREFS_DIR/QVprefs.QVpr" ;;
    folder) mkdir -p "$PREFS_DIR/QVprefs.QVpr" ;;
  esac
}

for kind in short random empty nan folder; do
  damaged "$kind"
  printf 'click 1\nshot 1000 %s/%s.png\nquit\n' "$WORK" "$kind" > "$WORK/$kind.events"
  run_events "$kind" "$EXAMPLE"
  expect_status 0 "$kind preferences: the warning's OK, then the example's plot"
  [ -s "$WORK/$kind.png" ] || { echo "FAIL: $kind: no picture of the plot"; FAILS=$((FAILS + 1)); }
done

# A path that is not there: its warning, then the chooser, whose Quit ends the run.
rm -rf "$PREFS_DIR"
printf 'shot 1166 %s/missing.png\nclick 1\nshot 12 %s/chooser.png\nclick 5\n' "$WORK" "$WORK" > "$WORK/missing.events"
run_events missing "$WORK/not-there.KXdata"
expect_status 0 "a missing document named, then the chooser's Quit"
[ -s "$WORK/missing.png" ] || { echo "FAIL: no picture of the warning"; FAILS=$((FAILS + 1)); }

finish
