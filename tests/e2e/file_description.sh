#!/usr/bin/env bash
# The file information window, Edit File Data and the comments window on copies of the example
# recording: the edits reach the saved file, a changed mass is asked about at Quit, and the
# comment prints under its heading.
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(cd "$(dirname "$0")/../.." && pwd)/resources/examples/respirometry-run.KXdata"
PNG_PY="$(dirname "$0")/png.py"
cp "$EXAMPLE" "$WORK/respirometry-run.KXdata"

# Run 1: information, then labels, interval and start time edited, a comment typed, Save As.
cat > "$WORK/edit.events" <<EVENTS
menu 1 13
shot 444 $WORK/info.png
dialog 4 444
menu 2 9
type 101 VO2 µmol/min at 25 °C, ∆ dry gas
type 230 0.5
type 239 07:05:00
click 334
dialog 3 3
type 1 Lid resealed at 10:05.
shot 515 $WORK/comments.png
click 2
menu 1 7
click 234
save $WORK/edited.KXdata
quit
EVENTS
run_events edit "$WORK/respirometry-run.KXdata"
expect_status 0 "edit, comment, Save As, quit"
python3 - "$WORK/edited.KXdata" "$EXAMPLE" <<'PY' || FAILS=$((FAILS + 1))
import sys
saved, example = open(sys.argv[1], "rb").read(), open(sys.argv[2], "rb").read()
label = "VO2 µmol/min at 25 °C, ∆ dry g".encode("mac_roman")
checks = {
    "label 1 (30 Mac Roman bytes)": label in saved and len(label) == 30,
    "interval 0.5": b"\x3f\x00\x00\x00" in saved,
    "start time": b"07:05:00" in saved,
    "comment": b"Lid resealed at 10:05." in saved,
    # a stretch well inside the sample arrays (the header before it is some hundred bytes)
    "arrays as the example's": example[1000:200000] in saved,
}
bad = [k for k, ok in checks.items() if not ok]
if bad:
    print("FAIL: the saved file lacks: " + ", ".join(bad))
    sys.exit(1)
PY
for shot in info comments; do
  python3 -c "import sys; sys.path.insert(0, '$(dirname "$PNG_PY")'); import png; w, h, _ = png.read('$WORK/$shot.png'); sys.exit(0 if w > 500 and h > 200 else 1)" ||
    { echo "FAIL: the $shot shot"; FAILS=$((FAILS + 1)); }
done

# Run 2: a changed mass marks the file: Quit asks.
cp "$EXAMPLE" "$WORK/mass.KXdata"
cat > "$WORK/mass.events" <<EVENTS
menu 2 9
type 234 30.1
click 334
quit
shot 67 $WORK/question.png
click 2
EVENTS
run_events mass "$WORK/mass.KXdata"
expect_status 0 "a changed mass, quit, the question answered"
[ -s "$WORK/question.png" ] || { echo "FAIL: no unsaved-changes question"; FAILS=$((FAILS + 1)); }

# Run 3: the comment printed.
cp "$EXAMPLE" "$WORK/print.KXdata"
cat > "$WORK/print.events" <<EVENTS
dialog 3 3
click 6
page ok
print $WORK/comments.pdf
click 2
quit
EVENTS
run_events print "$WORK/print.KXdata"
expect_status 0 "comments printed"
if command -v pdftotext >/dev/null; then
  pdftotext "$WORK/comments.pdf" "$WORK/comments.txt"
  expect_grep "Comments from 'print.KXdata'" "$WORK/comments.txt" "the printed heading"
  expect_grep "Chamber 1200 ml at 24.5 °C" "$WORK/comments.txt" "the printed comment"
  pdfinfo "$WORK/comments.pdf" >"$WORK/pdfinfo.txt"
  expect_grep "Title: *Comments from 'print.KXdata'" "$WORK/pdfinfo.txt" "the print job's name"
else
  echo "pdftotext is not installed: the PDF is not read"
fi

finish
