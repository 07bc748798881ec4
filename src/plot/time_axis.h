#pragma once
// The time axis under a plot: hour or day ticks from the file's start time of day, their
// numbers, and which ticks get a printed label.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qv::plot {

// Seconds after midnight of a "hh:mm:ss" start time (characters 1-2, 4-5, 7-8); fields
// that are not numbers count 0.
double startSeconds(std::string_view startTime);

enum class TickUnit { Hour, Day };
enum class AxisView { Paged, Zoomed, WholeFile };

struct TimeAxisInput {
  double startOfDay = 0;  // seconds after midnight at case 0
  double interval = 1;    // seconds per case
  int32_t nCases = 0;
  int screenWidth = 1;
  AxisView view = AxisView::Paged;
  int page = 1;
  int32_t zoomLeft = 0, zoomRight = 0;
};

struct Tick {
  double x = 0;       // tick position (drawn at its truncation)
  int number = 0;     // hour 1..24 or day number
  bool label = false;  // a number is printed for it
  int labelX = 0;
  std::string text;  // the printed label ("hr 24", " 1", "day  3", ...)
};

struct TimeAxis {
  TickUnit unit = TickUnit::Hour;
  double pixelsPerUnit = 0;
  int tickLength = 3;    // ticks run from the axis this far down
  int gridGap = 7;       // grid lines end this far above the axis
  bool daysOfWholeFile = false;  // day ticks squeezed into the whole-file view
  std::vector<Tick> ticks;  // from the first tick right of the left edge to the width
};

// The ticks of the axis; none when a unit is narrower than a pixel or not finite.
TimeAxis timeAxis(const TimeAxisInput& in);

}  // namespace qv::plot
