#pragma once
// What the two trace renderers draw, as plain points and segments: the anti-aliased
// polyline (every case, or per pixel column its first, lowest, highest and last case when
// the cases outnumber the half-pixels), the integer lines with one min/max bar per column,
// the histogram bars, and the widths and colours of the strokes.
#include <cstdint>
#include <vector>

#include "plot/scale.h"

namespace qv::plot {

struct PointD {
  double x = 0, y = 0;
};
struct Segment {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A case range of one channel placed on the window: case first + k - 1 (k from 1) at
// x = x0 + k * pixelsPerCase, y = baseY - value * yScale. Non-finite samples are passed
// over. With clip, values above clipValue are taken as clipValue and y is held between
// clipTop and clipBottom; without it y is still held inside a few screens of the window
// so that every pixel converts safely.
struct TraceInput {
  const float* samples = nullptr;  // indexed by case
  int32_t first = 1, last = 0;
  double x0 = 0, pixelsPerCase = 1;
  double baseY = 0, yScale = 1;
  bool clip = false;
  double clipValue = 0;
  double clipTop = 0, clipBottom = 0;
};

// One pixel column's cases: first and last finite case, where its extremes first are, and
// how many finite cases it holds.
struct Column {
  int32_t first = -1, last = -1, lo = -1, hi = -1;
  int64_t finite = 0;
  bool empty() const { return first < 0; }
};

// The pixel columns of a trace input scanned once. While one lives, the renderers take its
// columns for the same samples, range and placing instead of reading the samples again, and
// the scale can take the range's extremes from them: a long trace is read once a redraw.
// Only ranges of more cases than half-pixels are scanned (the others are drawn case by case).
class ColumnReuse {
 public:
  explicit ColumnReuse(const TraceInput& in);
  ~ColumnReuse();
  ColumnReuse(const ColumnReuse&) = delete;
  ColumnReuse& operator=(const ColumnReuse&) = delete;
  bool covers(const TraceInput& in) const;
  const std::vector<Column>& columns() const { return columns_; }
  // The extremes of cases first..last of samples as scanExtremes gives them; false when the
  // columns are not of exactly those.
  bool extremesOf(const float* samples, int32_t first, int32_t last, Extremes& e) const;

 private:
  TraceInput in_;
  std::vector<Column> columns_;
  bool scanned_ = false;
  const ColumnReuse* previous_ = nullptr;
};

// Limit of |y| and |x| for a point that leaves the window far behind.
constexpr double kFarPixel = 30000;

double traceY(const TraceInput& in, float v);

// The anti-aliased renderer's points, written over `out`. True when the cases were
// gathered by pixel column (more than two cases a pixel).
bool polylinePoints(const TraceInput& in, std::vector<PointD>& out);

// The integer renderer: the points of one line through every case when a column holds
// fewer than 2 cases (line = true), else vertical min/max bars with the joins that keep
// steps connected. `columnWidth` is the window width used when the range has no width.
struct IntegerTrace {
  bool line = false;
  std::vector<Segment> segments;  // bars and joins, or the line's consecutive points as segments
  int lastColumnLow = 0;          // lower end (largest y) of the last bar
};
void integerTrace(const TraceInput& in, int columnWidth, IntegerTrace& out);

// Histogram bars: one per case, or per pixel column when more than 2 cases share it, each
// from `start` to the value farthest from zero. The bar's pen is `width` pixels wide.
struct HistogramBars {
  int start = 0;
  int width = 1;
  std::vector<Segment> bars;
};
// scaleLow..scaleHigh is the vertical scale: the bars start at the zero line when zero is
// on it, at clipBottom when it is all positive and at clipTop + 1 when all negative.
void histogramBars(const TraceInput& in, double scaleLow, double scaleHigh, HistogramBars& out);

// Stroke width of a data trace by the count less one of its cases.
double traceLineWidth(int64_t n, bool isBlock);

struct ColorF {
  double r = 0, g = 0, b = 0;
  bool operator==(const ColorF&) const = default;
};
// Colour of a line code (0 white, 1 yellow or pale blue when light, 2 dark green, 4 blue,
// 6 red, 20 grey, 21 the block colour given); any other code black.
ColorF lineCodeColor(int code, bool light, ColorF blockColor);

// The x ranges [5k, 5k + 2) of a dashed line: the polyline cut to them.
void dashByColumns(const std::vector<PointD>& in, std::vector<std::vector<PointD>>& pieces);

}  // namespace qv::plot
