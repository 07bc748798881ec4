#!/usr/bin/env bash
# Correct Lag Time with the best-fit search: channel 1 is channel 2 delayed by 37 s. A block is
# dragged, the search against channel 2 fills in the lag, the shift is accepted, and the file
# saved as text holds channel 1 equal to channel 2 up to case N - 37 and 0 after it.
source "$(dirname "$0")/lib.sh" "$@"

RECORDING="$WORK/delayed.KXdata"
N=900
python3 - "$RECORDING" "$N" <<'PY'
import kxdata, math, sys
N, C = int(sys.argv[2]), 2
def f(k):
    return 20.95 + 0.01 * (math.sin(k * 0.37) + 0.6 * math.sin(k * 0.053) + 0.3 * math.cos(k * 1.91))
def value(c, k):
    return f(k - 37) if c == 1 else f(k)
kxdata.write(sys.argv[1], N, [lambda k, c=c: value(c, k) for c in range(1, C + 1)],
             labels=["O2 analyser %d" % c for c in range(1, C + 1)])
PY

cat > "$WORK/lag.events" <<EVENTS
mouse down 1000 200 1000
mouse up 1000 200 1000
key 27
mouse down 300 200 1000
mouse drag 450 200 1000
mouse up 600 200 1000
menu 2 12
shot 4 $WORK/lag_window.png
click 5
shot 40 $WORK/setup.png
click 1
shot 10 $WORK/chooser.png
click 2
click 41
shot 4 $WORK/found.png
click 1
shot 1000 $WORK/lag.png
menu 1 7
click 233
click 2
click 7
save $WORK/lag.txt
quit
EVENTS
run_events lag "$RECORDING"
expect_status 0 "block, best-fit lag, accept, Save As text, quit"
for p in lag_window setup chooser found lag; do
  [ -s "$WORK/$p.png" ] || { echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); }
done

tr '\r' '\n' < "$WORK/lag.txt" > "$WORK/lag.lines"
awk -F', *' -v n="$N" '
  /,$/ && NF == 3 {
    rows++
    if (rows <= n - 37 && $1 != $2) differ++
    if (rows > n - 37 && $1 + 0 != 0) notzero++
  }
  END { if (differ || notzero || rows != n) { printf "FAIL: %d rows, %d differ, %d tail cases not 0\n", rows, differ, notzero; exit 1 } }
' "$WORK/lag.lines" || FAILS=$((FAILS + 1))
expect_grep "Lag correction =  *37 sec" "$WORK/lag.lines" "the log line in the saved comments"

finish
