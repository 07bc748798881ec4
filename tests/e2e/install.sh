#!/usr/bin/env bash
# The program installed into a fresh prefix and started from another folder: it opens the example
# recording and uses the pictures, sounds and help pages of its own installation, not the source
# tree's. A copy of the program without its data says so and draws without them.
source "$(dirname "$0")/lib.sh" "$@"

SRC="$(cd "$(dirname "$0")/../.." && pwd)"
PREFIX="$WORK/prefix"
if ! cmake --install "${QV_BUILD_DIR:?the build folder}" --prefix "$PREFIX" >"$WORK/install.log" 2>&1; then
  echo "FAIL: cmake --install"; cat "$WORK/install.log"; exit 1
fi
DATA="$PREFIX/share/quorvelant"
for f in bin/quorvelant share/applications/quorvelant.desktop share/icons/hicolor/scalable/apps/quorvelant.svg \
  share/mime/packages/quorvelant.xml; do
  [ -s "$PREFIX/$f" ] || { echo "FAIL: $f not installed"; FAILS=$((FAILS + 1)); }
done
diff -r "$SRC/resources" "$DATA" >"$WORK/resources.diff" ||
  { echo "FAIL: the installed resources differ from ours"; head "$WORK/resources.diff"; FAILS=$((FAILS + 1)); }
expect_grep '^Exec=quorvelant %F$' "$PREFIX/share/applications/quorvelant.desktop" "the desktop entry"
expect_grep '^MimeType=application/x-quorvelant-binary;application/x-quorvelant-text;$' \
  "$PREFIX/share/applications/quorvelant.desktop" "the desktop entry's file types"
if command -v update-mime-database >/dev/null; then
  # The desktop's type database, rebuilt by the install, knows both formats of ours.
  for t in binary text; do
    expect_grep "^application/x-quorvelant-$t\$" "$PREFIX/share/mime/types" "the type database"
  done
fi

# Another folder, no source tree in sight; the recording by its installed path.
SOURCE_PROGRAM="$QV"
QV="$PREFIX/bin/quorvelant"
mkdir -p "$WORK/elsewhere" && cd "$WORK/elsewhere"
printf 'shot 1000 %s/plot.png\nquit\n' "$WORK" > "$WORK/example.events"
run_events example "$DATA/examples/respirometry-run.KXdata"
expect_status 0 "the installed program on the example recording"
[ -s "$WORK/plot.png" ] || { echo "FAIL: no picture of the plot"; FAILS=$((FAILS + 1)); }
if grep -q "no resource folder" "$WORK/example.err"; then
  echo "FAIL: the installed program misses its resources"; cat "$WORK/example.err"; FAILS=$((FAILS + 1))
fi

# Pictures and help pages: the chooser's file-type pictures and its help page are the same as the
# build's program shows, and differ from what a copy of the program without its data shows.
chooser_run() {  # NAME PROGRAM
  printf 'shot 12 %s/%s-chooser.png\nclick 7\nshot 1300 %s/%s-help.png\nclick 5\n' "$WORK" "$1" "$WORK" "$1" \
    >"$WORK/$1.events"
  QV="$2" run_events "$1"
  expect_status 0 "the chooser of the $1 program"
}
chooser_run installed "$PREFIX/bin/quorvelant"
chooser_run build "$SOURCE_PROGRAM"
mkdir -p "$WORK/lone/bin" && cp "$PREFIX/bin/quorvelant" "$WORK/lone/bin/"
chooser_run lone "$WORK/lone/bin/quorvelant"
expect_grep "no resource folder" "$WORK/lone.err" "a program without its data says so"
for p in chooser help; do
  cmp -s "$WORK/installed-$p.png" "$WORK/build-$p.png" ||
    { echo "FAIL: the installed program's $p differs from the build's"; FAILS=$((FAILS + 1)); }
  if cmp -s "$WORK/installed-$p.png" "$WORK/lone-$p.png"; then
    echo "FAIL: the $p picture does not show whether the resources were found"; FAILS=$((FAILS + 1))
  fi
done

finish
