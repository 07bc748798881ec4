#!/usr/bin/env bash
# A recorded script printed from its view window: the headings and each step's columns stay on
# one line of the page each.
source "$(dirname "$0")/lib.sh" "$@"
RECORDING="$WORK/run.KXdata"
python3 - "$RECORDING" <<'PY'
import kxdata, sys
kxdata.write(sys.argv[1], 600, [lambda k, c=c: c * 10 + (k % 13) / 4 for c in range(1, 4)])
PY
cat > "$WORK/print.events" <<EVENTS
menu 6 1
key 50
key 51
menu 6 2
menu 6 5
click 248
page ok
print $WORK/script.pdf
click 246
quit
EVENTS
run_events print "$RECORDING"
expect_status 0 "a script recorded, viewed and printed"
require_file "$WORK/script.pdf" "printed script"
if command -v pdftotext >/dev/null; then
  pdftotext -layout "$WORK/script.pdf" "$WORK/script.txt"
  python3 - "$WORK/script.txt" <<'PY' || FAILS=$((FAILS + 1))
import re, sys
lines = [l.rstrip() for l in open(sys.argv[1], encoding="utf-8") if l.strip()]
heads = [l for l in lines if "operation" in l]
if not heads or not re.search(r"step\s+operation\s+channel\s+transform\s+'a' value\s+'b' value\s+exponent", heads[0]):
    sys.exit("FAIL: the headings are not one line:\n" + "\n".join(lines))
alone = [l for l in lines if re.fullmatch(r"\s*(exponent|\S+: \S+|instantaneous)\s*", l)]
if alone:
    sys.exit("FAIL: columns wrapped onto lines of their own: %s" % alone)
print("headings and steps each on one line")
PY
fi
finish
