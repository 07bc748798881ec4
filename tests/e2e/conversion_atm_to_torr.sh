#!/usr/bin/env bash
# Atm -> Torr on channel 1 of the example recording through the Transformations and
# Conversions window, then saved as text: channel 1 must be the recording's channel 1 x 760.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(cd "$(dirname "$0")/../.." && pwd)/resources/examples/respirometry-run.KXdata"
cp "$EXAMPLE" "$WORK/run.KXdata"

cat > "$WORK/plain.events" <<EVENTS
menu 1 7
click 233
click 2
click 7
save $WORK/plain.txt
quit
EVENTS
run_events plain "$WORK/run.KXdata"
expect_status 0 "the recording saved as text"

cat > "$WORK/convert.events" <<EVENTS
menu 2 22
click 136
popup 146 14
click 156
shot 4 $WORK/conversion.png
click 159
menu 1 7
click 233
click 2
click 7
save $WORK/torr.txt
quit
EVENTS
run_events convert "$WORK/run.KXdata"
expect_status 0 "atm to torr, saved as text"
[ -s "$WORK/conversion.png" ] || { echo "FAIL: no picture of the window"; FAILS=$((FAILS + 1)); }

python3 - "$WORK/plain.txt" "$WORK/torr.txt" <<'PY' || FAILS=$((FAILS + 1))
import sys

def lines(path):
    return open(path, encoding="latin-1").read().replace("\r", "\n").split("\n")

def decimals(cell):
    return len(cell.split(".")[1]) if "." in cell else 0

plain, torr = lines(sys.argv[1]), lines(sys.argv[2])
assert len(plain) == len(torr), "the two files differ in length"
checked = 0
for n, (p, t) in enumerate(zip(plain, torr)):
    if not p.endswith(","):  # data rows end with a comma; the header and markers do not
        if n == 2 and t.startswith(p[:-1]):  # the comments gain the conversion's log line
            continue
        if p != t:
            print(f"FAIL: line {n + 1} changed: {t!r}")
            sys.exit(1)
        continue
    pc, tc = p.split(","), t.split(",")
    if pc[1:] != tc[1:]:
        print(f"FAIL: line {n + 1}: another channel changed")
        sys.exit(1)
    a, b = pc[0].strip(), tc[0].strip()
    # Each side is rounded to the digits the text format writes.
    tolerance = 760 * 0.5 * 10 ** -decimals(a) + 0.5 * 10 ** -decimals(b)
    if abs(float(b) - float(a) * 760) > tolerance * 1.01:
        print(f"FAIL: line {n + 1}: {b} is not {a} x 760")
        sys.exit(1)
    checked += 1
if checked < 1000:
    print(f"FAIL: only {checked} rows compared")
    sys.exit(1)
PY

finish
