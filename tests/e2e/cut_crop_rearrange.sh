#!/usr/bin/env bash
# A file changes shape: a block cut from every channel (its marker deleted), the file cropped,
# a channel deleted, the other two re-arranged, a derivative channel added; saved as text and
# read back, and the re-arrangement's backup file read back too.
source "$(dirname "$0")/lib.sh" "$@"

# 3 channels of 1,000 cases at 1 s from 10:00:00; channel c holds 1000 c + k at case k.
python3 - "$WORK/run.KXdata" <<'PY'
import sys, kxdata
kxdata.write(sys.argv[1], 1000, [lambda k, c=c: 1000 * c + k for c in (1, 2, 3)],
             markers=[(15, ord("B")), (30, ord("C")), (250, ord("D")), (600, ord("E"))])
PY

# 1,000 cases or fewer are shown one a pixel from the plot's left edge: case k lies at x = k.
drag() {  # first last: the mouse records of a block drag over those cases
  echo "mouse down $1 200 1000"
  echo "mouse drag $2 200 1000"
  echo "mouse up $2 200 1000"
}

{
  drag 11 20
  echo "menu 73 3"
  echo "click 2"
} > "$WORK/edit.events"
{
  drag 201 300
  echo "menu 2 30"
  echo "click 10"
  echo "shot 1000 $WORK/crop.png"
  echo "menu 73 4"
  echo "click 2"
  echo "click 233"
  echo "menu 2 32"
  echo "click 2"
  echo "click 1"
  echo "click 230"
  echo "key 13"
  echo "menu 2 14"
  echo "click 126"
  echo "click 123"
  echo "menu 1 7"
  echo "click 233"
  echo "click 2"
  echo "click 7"
  echo "save $WORK/shaped.txt"
  echo "quit"
} >> "$WORK/edit.events"
run_events edit "$WORK/run.KXdata"
expect_status 0 "cut, crop, delete, re-arrange, derivative, Save As text, quit"
require_file "$WORK/crop.png" "picture of the cropped plot"
require_file "$WORK/shaped.txt" "text file"

python3 - "$WORK/shaped.txt" "$HOME/.local/share/Quorvelant/RearrangeBackup.KXdata" <<'PY' || FAILS=$((FAILS + 1))
import struct, sys
lines = open(sys.argv[1], "rb").read().decode("mac_roman").split("\r")
fails = []
def check(what, ok):
    if not ok:
        fails.append(what)
head = [x.strip() for x in lines[0].split(",")]
check("100 cases of 3 channels: %s" % lines[0], head[0] == "100" and head[2] == "3")
check("start 10: 3:21: %s" % lines[1], '"10: 3:21"' in lines[1])
check("a deletion line in the comments: %s" % lines[2], "<del > " in lines[2] and "Channel 2" in lines[2])
labels = [l.split('"')[1].rstrip() for l in lines[3:6]]
check("labels %s" % labels, labels == ["chan 3", "chan 1", "\u2202 chan 3"])
at = 7
count = int(lines[at])
check("only marker D, at 40: %s" % lines[at:at + count + 1], count == 1 and [int(v) for v in lines[at + 1].split(",")] == [40, ord("D")])
rows = [[float(v) for v in l.split(",")[:-1]] for l in lines[at + 1 + count:at + 1 + count + 100]]
for k, r in enumerate(rows, 1):
    want = [3210 + k, 1210 + k, 0 if k == 1 else 1]
    if r != want:
        fails.append("case %d: %s, expected %s" % (k, r, want))
        break

b = open(sys.argv[2], "rb").read()
check("backup signature", b.startswith(b"-999\r"))
n, interval, chans = struct.unpack(">hfh", b[5:13])
p = 13 + 18
L = struct.unpack(">f", b[p:p + 4])[0]
p += 4 + int(L)
names = []
for c in range(chans):
    names.append(b[p + 20:p + 50].decode("mac_roman").rstrip())
    p += 50
p += 20
m = struct.unpack(">h", b[p:p + 2])[0]
p += 2 + 4 * m
firsts = [struct.unpack(">f", b[p + 4 + c * 4 * (n + 1):p + 8 + c * 4 * (n + 1)])[0] for c in range(chans)]
check("backup of 100 cases, old 1 then 3: %s %s %s" % (n, names, firsts),
      n == 100 and names == ["chan 1", "chan 3"] and firsts == [1211.0, 3211.0])
for f in fails:
    print("FAIL:", f)
sys.exit(1 if fails else 0)
PY

finish
