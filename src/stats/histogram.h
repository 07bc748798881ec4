#pragma once
// Frequency distribution of one channel's values over a case range, the bars of the large
// histogram and a normal curve of the same mean and S.D. whose area matches the bars'. The
// case filters do not apply here: every case of the range is read.
#include <cstdint>
#include <span>
#include <vector>

namespace qv {

constexpr int kSmallHistogramBins = 21;
constexpr int kLargeHistogramStartBins = 40;
constexpr int kMinHistogramBins = 5;
constexpr int kMaxHistogramBins = 2000;

// The values counted: lower <= v <= upper.
struct HistogramWindow {
  float lower = 0.0f;
  float upper = 0.0f;
};

// The value window by the statistics' switches: the typed limit where its switch is on,
// else the block window's range. The large histogram uses the limits only in limit mode.
HistogramWindow histogramWindow(bool large, bool limitMode, bool lowerOn, bool upperOn,
                                float blockMin, float blockMax, float lowerLimit, float upperLimit);

struct HistogramCounts {
  int bins = 0;                 // bins counted into; 0 when nothing can be counted
  std::vector<int32_t> counts;  // counts[b], b = 1..bins (entry 0 unused)
  int32_t tallest = 0;          // largest count
  int32_t counted = 0;          // values that fell into a bin
  int32_t N = 0;                // finite values of the range; inside the window in limit mode
  // tallest x 100 / N, cut (the small histogram's scale label); 0 when N is 0.
  int tallestPercent() const;
};

// Counts the finite samples[begin..end] into `bins` equal steps of mi..ma: value v goes to bin
// trunc((v - mi) x bins / (ma - mi)) + 1, a value equal to ma to the last bin. A zero or
// empty range (ma <= mi), no bins or no case counts nothing.
HistogramCounts histogramCounts(std::span<const float> samples, int32_t begin, int32_t end,
                                float mi, float ma, int bins, const HistogramWindow& window,
                                bool limitMode);

// The cases of samples[begin..end] that hold a finite number (the N of the large window).
int32_t finiteCases(std::span<const float> samples, int32_t begin, int32_t end);

// A typed bin count kept within 5..2000 (text that is not a number reads 0, so 5).
int clampBinCount(double typed);
// Bins of a typed bin width over a range: trunc(range / width), at most 2000; 0 when the width
// is larger than the range or not a positive number.
int binsFromWidth(double range, double width);

// Height in pixels of a bar: trunc(full x count / tallest), at least 1 for a bin holding
// anything, 0 for an empty one.
int barHeight(int32_t count, int32_t tallest, int full);

// The large histogram's drawing: the value axis runs from x 91 (mi) to 591 (ma), bars stand
// on y 277 and are at most 270 pixels high.
struct HistogramBar {
  int left = 0;    // trunc(b x w + 91 - w)
  int height = 0;  // 0: no bar
};
struct LargeHistogramLayout {
  double barWidth = 0.0;          // 500 / bins
  std::vector<HistogramBar> bars;  // bars[b], b = 1..bins (entry 0 unused)
  double area = 0.0;              // sum of height x width of the bars drawn
  bool hasMeanLine = false;
  int meanX = 0;  // the mean on the value axis
};
LargeHistogramLayout largeHistogramLayout(const HistogramCounts& counts, double mean, float mi,
                                          float ma);

// The small histogram beside the plot (at most 21 bars): bars at a 12-pixel pitch from x 41
// in a frame 35..298 by 9..71, or in the smaller layout at a 4-pixel pitch from x 37 in a
// frame 35..122 by 6..68; a bar is at most 58 pixels high and stands on the frame's bottom.
struct SmallHistogramBar {
  int left = 0, right = 0, top = 0, bottom = 0;  // right and bottom exclusive; empty: no bar
  bool empty() const { return top >= bottom; }
};
struct SmallHistogramLayout {
  int frameLeft = 35, frameTop = 9, frameRight = 298, frameBottom = 71;
  std::vector<SmallHistogramBar> bars;  // bars[b], b = 1..bins (entry 0 unused)
  bool hasMeanLine = false;
  int meanX = 0;  // left + (mean - mi) x bins x pitch / range
  int percent = 0;  // the tallest bar's share of the values, the scale's top label
};
SmallHistogramLayout smallHistogramLayout(const HistogramCounts& counts, double mean, float mi,
                                          float ma, bool larger);

struct CurvePoint {
  int x = 0, y = 0;
};
// The normal density of the S.D. centred on meanX, sampled at x 90..590 (u = (x - meanX) x
// range / 500) and scaled so that the heights above y 277 add up to the bars' area; points
// outside y 5..276 are left out. No curve for a zero S.D., range or area.
std::vector<CurvePoint> normalCurve(int meanX, double range, double barArea, double sd);

}  // namespace qv
