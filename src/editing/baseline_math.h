#pragma once
// The arithmetic of baseline correction, apart from its window: the least-squares line over
// one or two ranges of cases, the means and windows of the automatic method, and the
// subtraction of one line or of a chain of segments. A channel is its whole sample array,
// entries 0..nCases.
#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace qv {

// A baseline: value at case i is a + b * i.
struct BaselineLine {
  float a = 0;
  float b = 0;
};

// The least-squares line and its centred sums of the case numbers and values.
struct BaselineFit {
  BaselineLine line;
  double sumx2 = 0, sumxy = 0;
  int64_t count = 0;
};

// The line over the cases i of a..d with a <= i <= b or i >= c (a case counts once where the
// ranges overlap), kept inside 1..nCases. Sums and products in double, the line rounded to
// 32 bits at the end. Samples that are not finite (gaps) are left out. None over fewer than
// two cases: there is no slope then.
std::optional<BaselineFit> baselineRegression(std::span<const float> channel, int32_t a, int32_t b, int32_t c,
                                              int32_t d);

// Mean of cases first..last (kept inside 1..nCases), summed in double, gaps left out; none
// over no case.
std::optional<double> meanOfCases(std::span<const float> channel, int32_t first, int32_t last);

// Which ends of the file the automatic method uses (the radio buttons' ids).
enum BaselineEnds : int { kStartOfFile = 12, kEndOfFile = 13, kStartAndEnd = 14 };
// The ends a setting names: any value but 12 and 13 acts as 14.
inline int baselineEnds(int setting) {
  return setting == kStartOfFile || setting == kEndOfFile ? setting : int(kStartAndEnd);
}

// The automatic method's window size: at least 3, and at most nCases * 0.5 - 1 when it is
// larger than half the file.
float clampAutoBlock(float n, int32_t nCases);

// The cases the automatic method reads, for the clamped window size n: Start 1..trunc(n);
// End trunc(nCases - n)..nCases; Start & End both (any `ends` but 12 and 13).
struct AutoWindows {
  int32_t startFirst = 1, startLast = 0, endFirst = 1, endLast = 0;
};
AutoWindows autoBaselineWindows(float n, int32_t nCases);

// The automatic method's line: the mean of a window as a flat line, or the regression over
// both windows. None when a window holds no case or the regression has fewer than two.
std::optional<BaselineLine> autoBaselineLine(std::span<const float> channel, float n, int ends);

// Every entry 0..nCases loses a + b * i (formed in double, stored as 32 bits).
void subtractLine(std::span<float> channel, BaselineLine line);

// A record of the piecewise baseline table: [1] first and [2] last case of point k's window,
// [3] intercept and [4] slope of the segment that ends at point k; [0] and [5] unused.
using BaselineRecord = std::array<float, 6>;

// The chain of segments of records 2..n: segment k runs from case 1 (k = 2) or the right
// edge of window k - 1, up to one case before the right edge of window k, or to nCases
// (k = n). Ranges are kept inside 1..nCases; n < 2 changes nothing. Returns the line of the
// last segment applied (none when nothing was).
std::optional<BaselineLine> subtractPiecewise(std::span<float> channel, std::span<const BaselineRecord> table,
                                              int32_t n);

}  // namespace qv
