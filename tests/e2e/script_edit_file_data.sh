#!/usr/bin/env bash
# A recorded "EDIT FILE DATA" step replayed on another recording opens the same window there:
# the interval typed at the replay reaches the saved file, and the run goes on past the step.
source "$(dirname "$0")/lib.sh" "$@"

python3 - "$WORK/one.KXdata" "$WORK/two.KXdata" <<'PY'
import kxdata, sys
for path in sys.argv[1:]:
    kxdata.write(path, 300, [lambda k: 20 + (k % 7) / 10, lambda k: 5 + k / 100])
PY

cat > "$WORK/record.events" <<EVENTS
menu 6 1
menu 2 9
type 230 0.5
click 334
menu 6 2
menu 6 6
save $WORK/S.QVscript
quit
click 2
EVENTS
run_events record "$WORK/one.KXdata"
expect_status 0 "recording an Edit File Data step"

cat > "$WORK/replay.events" <<EVENTS
menu 6 4
open $WORK/S.QVscript
click 246
menu 6 10
shot 1000 $WORK/edit_during_replay.png
type 230 0.25
click 334
menu 1 7
click 234
save $WORK/replayed.KXdata
quit
EVENTS
run_events replay "$WORK/two.KXdata"
expect_status 0 "replaying it on another recording"
python3 - "$WORK/replayed.KXdata" <<'PY' || FAILS=$((FAILS + 1))
import struct, sys
data = open(sys.argv[1], "rb").read()
# The header: "-999" CR, then cases (16 bits) and the interval (32-bit float), big-endian.
n, interval = struct.unpack(">hf", data[5:11])
assert n == 300 and interval == 0.25, (n, interval)
PY
finish
