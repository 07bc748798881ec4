#!/usr/bin/env bash
# A Sable ExpeData file made by hand from the layout opened from the command line, pictured,
# and saved again as Sable with Save As: the saved file must be the same bytes. Then a BCD
# file made by hand opened and saved as own text: its samples must be the BCD values.
source "$(dirname "$0")/lib.sh" "$@"

python3 - "$WORK" <<'PY'
import struct, sys
work = sys.argv[1]
le = lambda *v: struct.pack('<%df' % len(v), *v)
pad = lambda s, n: s.encode('ascii').ljust(n, b' ')
def record(label, transform, s2, s3):
    return (pad(label, 24) + pad('', 48) + pad(transform, 32) + pad('', 32) + struct.pack('<ii', 0, 0)
            + le(0, s2, s3) + le(*([0.0] * 28)))
b = le(1003.0) + struct.pack('<I', 0x3F8CCCCC) + le(2, 3, 1)
for row in ((0.5, 0.25), (20.5, 1.5), (20.75, 1.25), (21.0, 1.0)):
    b += le(*row)
b += le(*([10.0] * 18)) + le(5, 14, 2024, 10, 0, 3) + pad('', 240)
b += struct.pack('<III', 2, 65000001, 66000003) + pad('', 8)
b += record('O2', 'Linear Transform', 0.5, 2.0) + record('CO2', '', 0.0, 1.0)
open(work + '/chamber.RIVozar', 'wb').write(b)

def bcd(v):  # a whole number below a million
    if v == 0:
        return bytes(4)
    d = str(v)
    e = len(d) - 1
    d = d.ljust(6, '0')
    return bytes([e] + [int(d[i]) << 4 | int(d[i + 1]) for i in (0, 2, 4)])
c = b'-99\r' + bcd(100) + bcd(2) + bcd(3) + pad('03-01-2024', 10) + pad('09:15:00', 8) + bcd(0)
for ch in (1, 2, 3):
    c += b''.join(bcd(w) for w in range(2, 7)) + pad('chan %d' % ch, 30)
c += b''.join(bcd(v) for v in (120, 70, 750, 25, 3)) + bcd(0)
for ch in (1, 2, 3):
    c += b''.join(bcd(ch * 1000 + k) for k in range(101))
open(work + '/old.dat', 'wb').write(c)
PY

# Save As: the channels, "SABLE ExpeData Binary Format", "Selection OK", then the panel.
cat > "$WORK/sable.events" <<EVENTS
shot 1000 $WORK/sable.png
menu 1 7
click 233
click 8
click 7
save $WORK/again.RIVozar
quit
EVENTS
run_events sable "$WORK/chamber.RIVozar"
expect_status 0 "open a Sable file, save it as Sable, quit"
cmp "$WORK/chamber.RIVozar" "$WORK/again.RIVozar" || { echo "FAIL: the saved Sable file differs"; FAILS=$((FAILS + 1)); }
[ -s "$WORK/sable.png" ] || { echo "FAIL: no picture of the plot window"; FAILS=$((FAILS + 1)); }

cat > "$WORK/bcd.events" <<EVENTS
menu 1 7
click 233
click 2
click 7
save $WORK/old.txt
quit
EVENTS
run_events bcd "$WORK/old.dat"
expect_status 0 "open a BCD file, save it as text, quit"
expect_grep "1050, 2050, 3050" "$WORK/old.txt" "case 50 of the three channels"
expect_grep "1100, 2100, 3100" "$WORK/old.txt" "the last case"

finish
