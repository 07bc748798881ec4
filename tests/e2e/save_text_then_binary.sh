#!/usr/bin/env bash
# The example recording saved as text with Save As, that text file opened by the program and
# saved as binary with "Standard Kestrix Format"; the second binary file must read back as
# the recording but for what the text format does not keep (the datafiles test
# SavedExampleOfTheProgram.TheEndToEndRunsFile names those and checks it).
source "$(dirname "$0")/lib.sh" "$@"

EXAMPLE="$(cd "$(dirname "$0")/../.." && pwd)/resources/examples/respirometry-run.KXdata"
TESTS="$(cd "$(dirname "$QV")/../tests" && pwd)"
cp "$EXAMPLE" "$WORK/respirometry-run.KXdata"

# Save As: "Select format...", "Kestrix Text Format", "Selection OK", then the panel.
cat > "$WORK/text.events" <<EVENTS
menu 1 7
click 233
click 2
click 7
save $WORK/run-text.txt
quit
EVENTS
run_events text "$WORK/respirometry-run.KXdata"
expect_status 0 "Save As text, then quit"
expect_grep "^ 10800, 1, 5" "$WORK/run-text.txt" "the text file's first line"
cmp -s "$EXAMPLE" "$WORK/respirometry-run.KXdata" || { echo "FAIL: the recording was changed"; FAILS=$((FAILS + 1)); }

# The text file opened and saved with "Standard Kestrix Format".
cat > "$WORK/binary.events" <<EVENTS
menu 1 7
click 234
save $WORK/run-again.KXdata
quit
EVENTS
run_events binary "$WORK/run-text.txt"
expect_status 0 "Save As binary from the text file, then quit"

if [ -s "$WORK/run-again.KXdata" ]; then
  QV_E2E_SAVED_BINARY="$WORK/run-again.KXdata" "$TESTS/test_datafiles" \
    --gtest_filter=SavedExampleOfTheProgram.TheEndToEndRunsFile \
    >"$WORK/compare.out" 2>&1 || { echo "FAIL: the second binary file is not the recording"; cat "$WORK/compare.out"; FAILS=$((FAILS + 1)); }
  grep -q "SKIPPED" "$WORK/compare.out" && { echo "FAIL: the comparison did not run"; FAILS=$((FAILS + 1)); }
else
  echo "FAIL: no second binary file"; FAILS=$((FAILS + 1))
fi

finish
