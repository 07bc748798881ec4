#pragma once
// The periodicity test: for k = 1..K, the regression of Y(t + lag + k step) on Y(t) over a
// block, with its r², slope, point count and centred sums. Plain functions over a channel's
// samples (index = case number); a pair holding a gap (NaN) is left out.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

struct LagRegression {
  float interval = 0.0f;  // (k step + lag) dt, seconds
  int32_t n = 0;          // pairs used
  double Sxx = 0.0, Syy = 0.0, Sxy = 0.0;
  float r2 = 0.0f;        // NaN when either sum of squares is 0 (no r² to show)
  float slope = 0.0f;     // NaN likewise
};

// A lag or step as typed: below 1 or not a number is 1; large values stop at 2^31 - 1.
int32_t lagOrStep(double typed);

// The largest K the block begin..end allows so that every regression keeps at least three
// points: (end - begin - lag - 2) div step; 0 or less means none.
int64_t periodicityLimit(int32_t begin, int32_t end, int32_t lag, int32_t step);

// The K regressions, by the direct loop or, when K is large, through an FFT correlation of
// the block centred by its mean (a block holding a gap always takes the direct loop).
std::vector<LagRegression> periodicityRegressions(std::span<const float> y, int32_t begin, int32_t end,
                                                  int32_t lag, int32_t step, int32_t K, float dt);
// The two methods on their own (the benchmarks and tests compare them).
std::vector<LagRegression> periodicityDirect(std::span<const float> y, int32_t begin, int32_t end, int32_t lag,
                                             int32_t step, int32_t K, float dt);
std::vector<LagRegression> periodicityByFft(std::span<const float> y, int32_t begin, int32_t end, int32_t lag,
                                            int32_t step, int32_t K, float dt);

// The largest r² (0 when none has one).
float maximumR2(const std::vector<LagRegression>& r);
// The regression named as the period: the last whose r² scaled to the maximum (r² x 50 / max)
// reaches 49.999, so among equal maxima the later wins; -1 when none has an r².
int32_t bestRegression(const std::vector<LagRegression>& r);
// Bar height in chart pixels: r² x 50 / max, negative for a negative slope; 0 without r².
float barHeight(const LagRegression& r, float maxR2);

// The other peaks: indices k (0-based) with 1 <= k <= K - 2 whose r² exceeds both neighbours'
// and the threshold and stays below the maximum. A threshold of 0, 1 or more is taken as 0.01.
float peakThreshold(double typed);
std::vector<int32_t> otherPeaks(const std::vector<LagRegression>& r, float threshold, float maxR2);

// An interval as the chart and the peak list write it: value and unit, seconds below 600,
// minutes below 7200, hours below 86,400, else days (`hoursName`: " hr" or " hours").
std::string intervalText(double seconds, const char* hoursName);
// The period message's interval: for K > 200 whole words with a plural ("second", "minute",
// "hour", "day"), for K up to 200 " sec" below 600 s.
std::string periodText(double seconds, int32_t K);
// Regressions between labelled ticks: 25 for K 50 and 100, 50 for 200, else K/10, at least 1.
int32_t tickEvery(int32_t K);

// The delimited export: header lines and one row per regression (an empty r² cell for a
// regression without one). `digits` as the sample exports write numbers.
struct PeriodicityExport {
  std::string fileName, label;
  int32_t begin = 0, end = 0, K = 0;
  char separator = ',';
  int digits = 5;
};
std::string periodicityExportText(const PeriodicityExport& e, const std::vector<LagRegression>& r);

}  // namespace qv
