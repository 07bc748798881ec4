#!/usr/bin/env bash
# The sun-cycle calculator from the start-up chooser: a day at 51.5 degrees N, the annual plot
# and its export, then a position picked on the world map.
source "$(dirname "$0")/lib.sh" "$@"

cat > "$WORK/sun.events" <<EVENTS
menu 8 20
type 1 51.5
type 2 0
type 112 172
click 240
shot 8 $WORK/sun_day.png
click 245
shot 777 $WORK/sun_annual.png
click 1
save $WORK/sun_cycle.csv
dialog 4 777
click 230
mouse down 270 210 778
mouse up 270 210 778
shot 778 $WORK/world_map.png
shot 775 $WORK/map_panel.png
click 20
shot 8 $WORK/sun_from_map.png
click 241
click 5
EVENTS
run_events sun
expect_status 0 "sun-cycle calculator, annual plot, export and map from the chooser"
for p in sun_day sun_annual world_map map_panel sun_from_map; do
  if [ ! -s "$WORK/$p.png" ]; then echo "FAIL: no picture $p.png"; FAILS=$((FAILS + 1)); fi
done
python3 - "$WORK/sun_cycle.csv" <<'PY' || FAILS=$((FAILS + 1))
import sys
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
assert lines[-1] == "", "the export ends with a line feed"
lines = lines[:-1]
assert len(lines) == 367, f"{len(lines)} lines"
assert lines[0] == "Annual sun cycle at 51.5 degrees N; 0 degrees W", lines[0]
day = lines[173].split(",")
assert day[:3] == ["172", "June", "21"], day
for got, want in zip(day[3:], (3.713, 20.352, 16.639)):
    assert abs(float(got) - want) < 0.001, day
assert lines[366].startswith("365,December,31,"), lines[366]
PY

finish
