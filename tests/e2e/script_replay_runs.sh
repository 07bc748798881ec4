#!/usr/bin/env bash
# Replays through the real windows, each on scripts written from the script file's layout:
# - a chain of three files opened by the script's own OPEN FILE step, each with its own report,
#   ended by a cancelled open panel; and with twenty files open, ended by the close chooser's
#   Cancel;
# - two BASIC STATS steps on a file with no block: two blocks for step 1, then the pause
#   button, then step 2 at once on the last block;
# - "1st Run Manual": the smoothing window asks, the typed values go into the step, and the
#   next file is smoothed alike without asking;
# - a file of another channel count: the "Problematic file" question.
source "$(dirname "$0")/lib.sh" "$@"

# make_recording PATH CHANNELS LEVEL: channel c at case k is LEVEL + c * 10 + (k mod 13) / 4.
make_recording() {
python3 - "$@" <<'PY'
import kxdata, sys
path, C, level = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
N = 600
kxdata.write(path, N, [lambda k, c=c: level + c * 10 + (k % 13) / 4 for c in range(1, C + 1)])
PY
}

# make_script PATH STEP...: one step a record from record 1, each "code" or "code:w2:w4:w5";
# the automatic-run switch on, so that the steps' words are used without asking.
make_script() {
python3 - "$@" <<'PY'
import struct, sys
out = bytearray(52 * 112 + 2)
for s, step in enumerate(sys.argv[2:], start=1):
    words = [float(x) for x in step.split(":")]
    for w, v in zip((1, 2, 4, 5), words):
        struct.pack_into(">f", out, s * 112 + w * 4, v)
struct.pack_into(">H", out, 52 * 112, 1)
open(sys.argv[1], "wb").write(out)
PY
}

# means FILE: the "Mean =" numbers of the report, one a line.
means() { grep -o "Mean = *[-0-9.]*" "$1" | grep -o "[-0-9.]*$"; }

drag() {  # drag WINDOW X0 X1
  printf 'mouse down %s 200 %s\nmouse drag %s 200 %s\nmouse up %s 200 %s\n' "$2" "$1" "$(( ($2 + $3) / 2 ))" "$1" "$3" "$1"
}

# --- The chain: [BASIC STATS, OPEN FILE] armed "Automatic, All Files" over three files.
for i in 1 2 3; do make_recording "$WORK/c$i.KXdata" 3 $((i * 100)); done
make_script "$WORK/chain.QVscript" 12 33:5
{
  printf 'menu 80 3\nsave %s\nmenu 6 4\nopen %s\nclick 246\nmenu 6 8\n' "$WORK/chain.txt" "$WORK/chain.QVscript"
  for i in 1 2 3; do
    w=$((999 + i))
    drag $w 300 600
    printf 'key 80\nkey 13\nclick 135\n'
    if [ $i -lt 3 ]; then printf 'open %s\n' "$WORK/c$((i + 1)).KXdata"; else printf 'open cancel\n'; fi
  done
  # The chain is over and the script still armed: the next file opened asks for a block.
  printf 'menu 1 1\nopen %s\nshot 4 %s\nmenu 6 12\nquit\n' "$WORK/c2.KXdata" "$WORK/again.png"
} > "$WORK/chain.events"
run_events chain "$WORK/c1.KXdata"
expect_status 0 "a chain of three files ended by a cancelled open panel"
python3 - "$WORK/chain.txt" <<'PY' || { echo "FAIL: the chain's reports"; cat "$WORK/chain.txt"; FAILS=$((FAILS + 1)); }
import re, sys
m = [float(x) for x in re.findall(r"Mean =\s*(-?[0-9.]+)", open(sys.argv[1], encoding="utf-8").read())]
# Channel 1 of file i lies between 100 i + 10 and 100 i + 13.
assert len(m) == 3, m
for i, v in enumerate(m, start=1):
    assert 100 * i + 10 <= v <= 100 * i + 13, (i, v)
PY

# --- Twenty files open: the OPEN FILE step meets the close chooser, whose Cancel ends the chain.
FILES=()
for i in $(seq -w 1 20); do cp "$WORK/c1.KXdata" "$WORK/t$i.KXdata"; FILES+=("$WORK/t$i.KXdata"); done
make_script "$WORK/open.QVscript" 33:5
cat > "$WORK/twenty.events" <<EVENTS
menu 6 4
open $WORK/open.QVscript
click 246
menu 6 8
shot 200 $WORK/chooser.png
click 26
menu 6 12
quit
EVENTS
run_events twenty "${FILES[@]}"
expect_status 0 "the close chooser's Cancel ends the chain"

# --- Two BASIC STATS steps on a file with no block.
make_recording "$WORK/e.KXdata" 3 0
make_script "$WORK/two.QVscript" 12 12
{
  printf 'menu 80 3\nsave %s\nmenu 6 4\nopen %s\nclick 246\nmenu 6 10\n' "$WORK/two.txt" "$WORK/two.QVscript"
  printf 'shot 4 %s\n' "$WORK/request.png"
  drag 1000 300 450
  printf 'key 80\nkey 13\n'
  drag 1000 500 800
  printf 'key 80\nkey 13\nshot 1000 %s\nclick 135\n' "$WORK/paused.png"
  # Step 2 runs at once on the last block: its statistics window, no pause button.
  printf 'shot 1000 %s\nkey 80\nkey 13\nquit\n' "$WORK/step2.png"
} > "$WORK/two.events"
run_events two "$WORK/e.KXdata"
expect_status 0 "two BASIC STATS steps, two blocks for the first"
m=($(means "$WORK/two.txt"))
if [ ${#m[@]} -ne 3 ] || [ "${m[0]}" = "${m[1]}" ] || [ "${m[1]}" != "${m[2]}" ]; then
  echo "FAIL: expected block A, block B, then block B again: ${m[*]}"; cat "$WORK/two.txt"; FAILS=$((FAILS + 1))
fi
# The pause button's place, top right of the plot window: a light button while step 1 waits,
# the plot's background while step 2 runs.
python3 - "$(dirname "$0")/png.py" "$WORK" <<'PY' || FAILS=$((FAILS + 1))
import importlib.util, sys
spec = importlib.util.spec_from_file_location("png", sys.argv[1])
png = importlib.util.module_from_spec(spec); spec.loader.exec_module(png)
def light(name):
    w, h, rows = png.read("%s/%s.png" % (sys.argv[2], name))
    return sum(1 for y in range(37, 52) for x in range(w - 150, w - 14) if min(rows[y][x]) > 235)
paused, running = light("paused"), light("step2")
if paused < 1000 or running > 0:
    print("FAIL: pause button pixels %d while waiting, %d in step 2" % (paused, running)); sys.exit(1)
PY

# --- "1st Run Manual": smoothing asks on the first file only.
make_recording "$WORK/m1.KXdata" 3 0
make_recording "$WORK/m2.KXdata" 3 0
make_script "$WORK/smooth.QVscript" 6:0:1:1
cat > "$WORK/manual.events" <<EVENTS
menu 6 4
open $WORK/smooth.QVscript
click 246
menu 6 9
shot 4 $WORK/smoothing.png
click 13
type 101 4
click 1
menu 1 7
click 234
save $WORK/M1.KXdata
menu 6 6
save $WORK/typed.QVscript
menu 1 1
open $WORK/m2.KXdata
menu 1 7
click 234
save $WORK/M2.KXdata
quit
EVENTS
run_events manual "$WORK/m1.KXdata"
expect_status 0 "1st Run Manual, then the next file without asking"
python3 - "$WORK/typed.QVscript" <<'PY' || { echo "FAIL: the typed values are not in the step"; FAILS=$((FAILS + 1)); }
import struct, sys
b = open(sys.argv[1], "rb").read()
w = struct.unpack_from(">8f", b, 112)
assert (w[1], w[4], w[5]) == (6.0, 3.0, 4.0), w
PY
cmp -s "$WORK/M1.KXdata" "$WORK/M2.KXdata" || { echo "FAIL: the second file was not smoothed alike"; FAILS=$((FAILS + 1)); }
# Channel 1 (10 to 13 before) lies close to its mean once smoothed; channel 2, just after it,
# is found by its first samples.
python3 - "$WORK/M1.KXdata" <<'PY' || { echo "FAIL: the first file was not smoothed"; FAILS=$((FAILS + 1)); }
import struct, sys
b = open(sys.argv[1], "rb").read()
at = b.find(struct.pack(">3f", 20.25, 20.5, 20.75))
v = struct.unpack_from(">600f", b, at - 4 - 2400)[20:580]
assert at > 0 and max(v) - min(v) < 1.0, (at, min(v), max(v))
PY

# --- Another channel count: "Problematic file"; Cancel Script runs no step.
make_recording "$WORK/four.KXdata" 4 0
make_script "$WORK/chan.QVscript" 1:2
cat > "$WORK/warning.events" <<EVENTS
menu 6 4
open $WORK/chan.QVscript
click 246
menu 6 8
menu 1 1
open $WORK/four.KXdata
shot 25 $WORK/warning.png
click 1
quit
EVENTS
run_events warning "$WORK/m1.KXdata"
expect_status 0 "the channel-count question, cancelled"

for p in again chooser request paused step2 smoothing warning; do
  [ -s "$WORK/$p.png" ] || { echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); }
done
finish
