# Helpers of the end-to-end runs: the program on an event file, offscreen.
# Usage in a test: source lib.sh "$@"  (arguments: program, work folder)
set -u
QV="$1"
WORK="$2"
rm -rf "$WORK" && mkdir -p "$WORK"
export QT_QPA_PLATFORM=offscreen
export HOME="$WORK/home"          # the user's preferences and data folders are the test's own
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"
mkdir -p "$HOME"
FAILS=0
# The runs' python snippets import png (pictures) and kxdata (recordings) from here.
export PYTHONPATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)${PYTHONPATH:+:$PYTHONPATH}"

# run_events NAME [program arguments...]: runs the program on $WORK/NAME.events, keeps its
# status in $STATUS and its standard error in $WORK/NAME.err
run_events() {
  local name="$1"; shift
  QV_EVENTS="$WORK/$name.events" timeout 60 "$QV" "$@" >"$WORK/$name.out" 2>"$WORK/$name.err"
  STATUS=$?
}

expect_status() {
  if [ "$STATUS" -ne "$1" ]; then
    echo "FAIL: $2: status $STATUS, expected $1"; cat "$WORK"/*.err; FAILS=$((FAILS + 1))
  fi
}

expect_grep() {  # pattern file what
  if ! grep -q -- "$1" "$2"; then echo "FAIL: $3: '$1' not in $2"; cat "$2"; FAILS=$((FAILS + 1)); fi
}

# require_file FILE WHAT: without FILE (or with it empty) the run fails and ends here.
require_file() {
  [ -s "$1" ] || { echo "FAIL: no $2"; FAILS=$((FAILS + 1)); finish; }
}

finish() {
  [ "$FAILS" -eq 0 ] && echo "all passed"
  exit "$FAILS"
}
