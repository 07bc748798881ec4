#!/usr/bin/env bash
# Files of 10 to 40 channels with labels of the format's full 30 characters: the printed image
# keeps every trace inside its strip (the page read back as pixels).
source "$(dirname "$0")/lib.sh" "$@"

# recording PATH CHANNELS: 400 cases; channel c a sine of c + 3 periods, labels of 30 characters.
recording() {
  python3 - "$1" "$2" <<'PY'
import kxdata, math, sys
n = int(sys.argv[2])
kxdata.write(sys.argv[1], 400, [lambda k, c=c: math.sin(k * (c + 3) * 2 * math.pi / 400) * c for c in range(1, n + 1)],
             labels=[("Oxygen chamber temperature %02d" % c)[:30] for c in range(1, n + 1)])
PY
}

command -v pdftoppm >/dev/null || echo "pdftoppm is not installed: the printed pages are not looked at"
for n in 10 20 35 40; do
  recording "$WORK/ch$n.KXdata" "$n"
  # Options: dotted lines (5) and zero lines (7) off, so the page holds frames and traces.
  printf 'menu 1 15\nclick 5\nclick 7\nclick 9\nclick 233\nclick 23\npage ok\nprint %s\nquit\n' "$WORK/ch$n.pdf" \
    > "$WORK/print$n.events"
  run_events "print$n" "$WORK/ch$n.KXdata"
  expect_status 0 "$n channels printed"
  [ -s "$WORK/ch$n.pdf" ] || { echo "FAIL: $n channels: nothing printed"; FAILS=$((FAILS + 1)); continue; }
  command -v pdftoppm >/dev/null || continue
  pdftoppm -r 150 -gray -singlefile "$WORK/ch$n.pdf" "$WORK/page$n"
  python3 - "$WORK/page$n.pgm" "$n" <<'PY' || FAILS=$((FAILS + 1))
import sys
data = open(sys.argv[1], "rb").read()
# A binary PGM: "P5", width, height, maximum, then one byte a pixel.
fields, at = [], 0
while len(fields) < 4:
    while data[at:at + 1].isspace():
        at += 1
    end = at
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[at:end])
    at = end
at += 1
w, h = int(fields[1]), int(fields[2])
n = int(sys.argv[2])
dark = [[b < 128 for b in data[at + y * w:at + (y + 1) * w]] for y in range(h)]
# The strips' left edge: the longest dark run down a column of the page's left tenth.
best = (0, 0, 0, 0)
for x in range(w // 10):
    y = 0
    while y < h:
        if dark[y][x]:
            y0 = y
            while y < h and dark[y][x]:
                y += 1
            if y - y0 > best[0]:
                best = (y - y0, x, y0, y - 1)
        y += 1
_, left, top, bottom = best
right = max(x for x in range(left, w) if dark[top][x])
span = right - left
# The frame lines across the strips: rows dark over nine tenths of the frame's width.
lines = [y for y in range(top, bottom + 1) if sum(dark[y][left:right]) > 0.9 * span]
groups = []
for y in lines:
    if groups and y - groups[-1][1] <= 1:
        groups[-1][1] = y
    else:
        groups.append([y, y])
if len(groups) != n + 1:
    sys.exit("FAIL: %d channels: %d frame lines, not %d" % (n, len(groups), n + 1))
x0, x1 = left + span // 2, left + span * 19 // 20
for k in range(n):
    y0, y1 = groups[k][1] + 1, groups[k + 1][0] - 1
    inked = [y for y in range(y0, y1 + 1) if any(dark[y][x0:x1])]
    if len(inked) < 0.6 * (y1 - y0 + 1):
        sys.exit("FAIL: %d channels: the trace of strip %d covers %d of its %d rows" % (n, k + 1, len(inked), y1 - y0 + 1))
print("%d channels: %d strips, every trace spans its own" % (n, n))
PY
done

finish
