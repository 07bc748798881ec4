#!/usr/bin/env bash
# The preferences window and the colour dialog on the example recording: what Store writes,
# that Done writes nothing, the dark scheme reaching the plot, and a picked data-line colour.
source "$(dirname "$0")/lib.sh" "$@"
EXAMPLE="$(dirname "$0")/../../resources/examples/respirometry-run.KXdata"

# run_in HOME_NAME EVENTS_NAME: a run with a fresh configuration folder of its own.
run_in() {
  export XDG_CONFIG_HOME="$WORK/$1/.config"
  mkdir -p "$XDG_CONFIG_HOME"
  run_events "$2" "$EXAMPLE"
}

# pixels PNG: "x y r g b" for every pixel (8-bit RGB or RGBA, not interlaced).
pixels() {
  python3 - "$1" <<'PY'
import struct, sys, zlib
data = open(sys.argv[1], "rb").read()
pos, idat, w, h, ctype = 8, b"", 0, 0, 0
while pos < len(data):
    n, kind = struct.unpack(">I4s", data[pos:pos + 8])
    body = data[pos + 8:pos + 8 + n]
    if kind == b"IHDR":
        w, h, depth, ctype = struct.unpack(">IIBB", body[:10])
    elif kind == b"IDAT":
        idat += body
    pos += 12 + n
raw = zlib.decompress(idat)
bpp = 4 if ctype == 6 else 3
stride = w * bpp
prev = bytearray(stride)
out = sys.stdout
i = 0
for y in range(h):
    f = raw[i]; line = bytearray(raw[i + 1:i + 1 + stride]); i += 1 + stride
    for x in range(stride):
        a = line[x - bpp] if x >= bpp else 0
        b = prev[x]
        c = prev[x - bpp] if x >= bpp else 0
        if f == 1: line[x] = (line[x] + a) & 255
        elif f == 2: line[x] = (line[x] + b) & 255
        elif f == 3: line[x] = (line[x] + (a + b) // 2) & 255
        elif f == 4:
            p = a + b - c; pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            line[x] = (line[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
    prev = line
    for x in range(w):
        out.write("%d %d %d %d %d\n" % (x, y, line[x * bpp], line[x * bpp + 1], line[x * bpp + 2]))
PY
}

cat > "$WORK/store.events" <<EVENTS
menu 2 37
click 332
click 333
quit
EVENTS
run_in home1 store
expect_status 0 "Store Preferences from the window"
REC1="$WORK/home1/.config/Quorvelant/QVprefs.QVpr"

cat > "$WORK/pages.events" <<EVENTS
menu 2 37
shot 6 $WORK/page1.png
click 163
popup 500 4
shot 6 $WORK/page4.png
click 9
click 332
popup 500 1
click 335
click 41
shot 9 $WORK/colors.png
click 134
click 333
shot 1000 $WORK/dark.png
quit
EVENTS
run_in home2 pages
expect_status 0 "pages, Lag, Store, the dark scheme"
REC2="$WORK/home2/.config/Quorvelant/QVprefs.QVpr"

for f in "$REC1" "$REC2"; do
  [ "$(stat -c %s "$f" 2>/dev/null)" = 412 ] || { echo "FAIL: $f is not a 412-byte record"; FAILS=$((FAILS + 1)); }
done
DIFF=$(cmp -l "$REC1" "$REC2" | awk '{printf "%d:%s:%s ", $1 - 1, $2, $3}')
# cmp prints octal bytes: offset 45 goes from 0 to 1 (Lag), offset 53 from 074 (60) to 031 (25).
[ "$DIFF" = "45:0:1 53:74:31 " ] || { echo "FAIL: the records differ at '$DIFF'"; FAILS=$((FAILS + 1)); }

for p in page1 page4 colors dark; do
  [ -s "$WORK/$p.png" ] || { echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); }
done
BACK=$(pixels "$WORK/dark.png" | awk '$1 == 640 && $2 == 60 {print $3, $4, $5}')
[ "$BACK" = "23 23 23" ] || { echo "FAIL: the plot background is '$BACK', not the dark 23 23 23"; FAILS=$((FAILS + 1)); }

printf 'menu 2 37\nclick 333\nquit\n' > "$WORK/done.events"
run_in home3 done
expect_status 0 "Done alone"
[ ! -e "$WORK/home3/.config/Quorvelant/QVprefs.QVpr" ] || { echo "FAIL: Done wrote a record"; FAILS=$((FAILS + 1)); }

cat > "$WORK/blue.events" <<EVENTS
menu 4 15
click 123
color 0 0 65535
click 134
shot 1000 $WORK/blue.png
quit
EVENTS
run_in home4 blue
expect_status 0 "a blue data line"
COUNTS=$(pixels "$WORK/blue.png" | awk '$3 == 0 && $4 == 0 && $5 == 255 {b++} $3 == 216 && $4 == 0 && $5 == 0 {r++} END {print b + 0, r + 0}')
set -- $COUNTS
[ "$1" -gt 0 ] || { echo "FAIL: no pixel of the blue trace"; FAILS=$((FAILS + 1)); }
[ "$2" -eq 0 ] || { echo "FAIL: $2 pixels keep the old red trace"; FAILS=$((FAILS + 1)); }

finish
