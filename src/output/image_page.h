#pragma once
// The computation of the printed image of the plot: which cases it shows, the strips of the
// chosen channels, the time-of-day ticks, the marker lines and its texts. Page units: the
// strips span 832 pixels from x 5, the page is drawn at 68 %.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/warning_layout.h"

namespace qv::out {

constexpr int kPageWidth = 832;

// What the plot shows, so strips, markers, time range and axis all print the same cases.
struct ViewWords {
  int32_t nCases = 0;
  int screenWidth = 0;      // the plot's width before printing
  int page = 1;             // paged view: the page shown
  bool wholeFile = false;   // FileSHORTS word 4
  bool zoomed = false;      // word 6, with zoomLeft..zoomRight
  int32_t zoomLeft = 0, zoomRight = 0;
  bool blockOnly = false;   // "Block Only" was chosen
  int32_t beginBlock = 0, endBlock = 0;
};
struct CaseRange {
  int32_t first = 1, last = 1;
};
CaseRange printedRange(const ViewWords& v);

constexpr int kCaptionSize = 10, kLeastCaptionSize = 6;
// A strip spans bottom - height .. bottom. Its trace spans top .. bottom - 1; its captions
// (label and maximum at captionY, minimum at labelY) are captionSize points, 0 when the
// strip is too low to hold them.
struct Strip {
  int height = 0, bottom = 0, top = 0, labelY = 0;
  int captionSize = 0, captionY = 0;
};
// Equal strips of 420 / n, or, with custom heights (n >= 2), each channel's printed height
// and bottom as window 11 set them (`custom`, one per chosen channel).
struct CustomStrip {
  float height = 0, bottom = 0;
};
std::vector<Strip> stripLayout(int n, const std::vector<CustomStrip>* custom);

struct Tick {
  double x = 0;
  int label = 0;
};
struct TimeAxis {
  double step = 0;           // pixels between ticks; 0 when there are none
  bool days = false;         // "day" or "time of day"
  std::vector<Tick> ticks;   // x <= 882
};
// Ticks of n cases from `startSeconds` (seconds of the day of the first printed case).
TimeAxis timeAxis(double startSeconds, double interval, int32_t n);

// "3 days", "3 hours", "120 minutes", "120 seconds".
std::string totalTimeText(double seconds);
// The time range's two ends: " 0 min" and " 180 min".
struct RangeTexts {
  std::string start, end;
};
RangeTexts timeRangeTexts(CaseRange r, double interval);

// x of the markers inside the range (first < case <= last), left to right of the strips.
struct MarkerMark {
  int x = 0;
  int32_t code = 0;
};
std::vector<MarkerMark> markerMarks(CaseRange r, const std::vector<int32_t>& cases, const std::vector<int32_t>& codes);

// Seconds of the day of "hh:mm:ss" (0 for a text that does not hold one).
double secondsOfDay(const std::string& startTime);

// The comment's rows on the page: its own line ends kept, each line wrapped between words to
// `room` (the first row, after the heading, to `firstRoom`), at most `maxRows` rows; a comment
// that goes on past them ends its last row with "…".
std::vector<std::string> commentRows(std::string_view comment, int firstRoom, int room, int maxRows,
                                     const MeasureText& measure);

// The acquisition device of FileInfoFLOATS word 7.
std::string deviceName(float code);

}  // namespace qv::out
