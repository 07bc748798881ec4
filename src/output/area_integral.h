#pragma once
// Area integration over time as plain arithmetic: the range a pair of limits gives inside the
// block, the baseline the chosen mode draws from the data, the integral of a channel against
// it per time unit (honouring the cross-channel subset), the results scaling of an integral,
// and the cumulative series with its curve cut to the width of the plot.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/results_scaling.h"
#include "core/case_filters.h"

namespace qv {

// Baseline modes: the id of each baseline button. Any other value integrates against zero.
constexpr int16_t kBaselineZero = 154;
constexpr int16_t kBaselineStart = 118;
constexpr int16_t kBaselineEnd = 119;
constexpr int16_t kBaselineProportional = 120;
constexpr int16_t kBaselineUser = 121;
bool baselineFromData(int16_t mode);  // 118 to 121: a results addend cancels

// The range of a pass: first case = block start + a; last = block start + b when a right
// limit was set (b may be 0, the block's first case), else the block end. Empty when the
// first case lies past the last, or when the range reaches outside 1..cases.
struct AreaRange {
  int32_t begin = 0, end = 0;
  bool empty() const { return begin > end || begin < 1; }
};
AreaRange areaRange(int32_t blockBegin, int32_t blockEnd, int32_t a, int32_t b, bool rightSet,
                    int32_t cases);

// Seconds per unit over the sample interval: what a sum of samples is divided by. "None"
// (225, and 68 of the other windows) is 1. None when a timed unit meets an interval that is
// not a positive number.
std::optional<double> areaUnitDivisor(int16_t unit, double intervalSeconds);

// The baseline of a range: value at the first case (base) rising by slope a case.
struct AreaBaseline {
  double base = 0.0;
  double slope = 0.0;
  double at(int32_t begin, int32_t k) const { return base + slope * double(int64_t(k) - begin); }
};
AreaBaseline areaBaseline(std::span<const float> samples, const AreaRange& r, int16_t mode,
                          double userBaseline);

struct AreaIntegral {
  AreaRange range;
  double sum = 0.0;       // of (v - baseline) over the cases included
  double integral = 0.0;  // sum / the unit's divisor
  int32_t n = 0;          // cases included
  float min = 0.0f, max = 0.0f;  // of the values included
  float baseAtBegin = 0.0f, baseAtEnd = 0.0f;  // the baseline at the range's ends
  bool badInterval = false;  // a timed unit with an interval that is not a positive number
  bool valid() const { return n > 0 && !badInterval; }
};
// The subset of the filters is honoured (the interpolation filter is not, by design of this
// analysis); samples that are not finite numbers are not summed.
AreaIntegral integrateArea(std::span<const float> samples, const AreaRange& r, int16_t mode,
                           double userBaseline, int16_t unit, double intervalSeconds,
                           const CaseFilters& filters = {});

// The integral as shown and reported under a results scaling: m x I, plus a x n x interval /
// unit seconds (a x n with "None") against the zero baseline only; against a baseline taken
// from the data or typed in raw units the addend cancels.
double scaledIntegral(double integral, int32_t n, const ResultScaling& s, int16_t mode,
                      int16_t unit, double intervalSeconds);

// The cumulative sum over the range, written to out[k] for every case k of it (out indexed by
// case); only included cases add to it. n counts them.
struct CumulativeSeries {
  int32_t n = 0;
};
CumulativeSeries cumulativeArea(std::span<const float> samples, const AreaRange& r,
                                const AreaBaseline& base, const CaseFilters& filters,
                                std::span<float> out);

// The curve of the included cases of the range (those the sums took) spread over columns
// left..right, cut to the first, lowest, highest and last value of each pixel column, in case
// order: points at (column, running sum); min and max are the sum's extremes over those cases.
struct IntegralPoint {
  double x = 0.0, y = 0.0;
  int32_t kase = 0;
};
struct CumulativeCurve {
  std::vector<IntegralPoint> points;
  double min = 0.0, max = 0.0;
};
CumulativeCurve cumulativeCurve(std::span<const float> samples, std::span<const float> cumulative,
                                const AreaRange& r, int32_t n, const CaseFilters& filters, int left,
                                int right);

// The cumulative plot's vertical scale: the minimum at y bottom, the maximum at y top, a flat
// curve at mid-height.
struct CurveScale {
  double min = 0.0, max = 0.0;
  int top = 7, bottom = 0;
  double y(double v) const;
};
// The points' sums to pixel rows.
void curveToPixels(std::vector<IntegralPoint>& points, const CurveScale& scale);

}  // namespace qv
