#pragma once
// The level a block approaches when its distance to that level decays exponentially: the A
// that makes ln|A - v| most nearly a straight line against the case number (the largest r²).
// Trials are made in double; a gap is left out of every trial.
#include <cstdint>
#include <functional>
#include <span>

#include "core/curve_fit_state.h"

namespace qv {

// A block at most this long keeps its residuals for the residual plot.
inline constexpr int32_t kMostAsymptoteResiduals = 200000;
// How far beyond the block's extreme an asymptote may lie, in block ranges. A block that is
// no exponential approach (a straight line, a step) would widen the search without end.
inline constexpr double kFarthestAsymptote = 100.0;

// r² and line of one trial A over the block.
struct AsymptoteTrial {
  double r2 = -1.0;  // -1: the trial cannot be computed (A on a sample, too few cases)
  double a = 0.0, b = 0.0;
  int32_t n = 0;
};
AsymptoteTrial asymptoteTrial(std::span<const float> v, int32_t begin, int32_t end, double A);

// The search over the block begin..end of v with `iterations` (clamped to 6..50) bracketing
// steps, starting just beyond the block's range lo..hi (the block's extremes) on the side the
// block moves towards (rising: last sample above the first).
// `step`, when given, hears each bracketing step: its number and the best A and r² so far.
using AsymptoteStep = std::function<void(int iteration, double A, double r2)>;
AsymptoteFit searchAsymptote(std::span<const float> v, int32_t begin, int32_t end, float lo, float hi,
                             int iterations, const AsymptoteStep& step = {});

// The rate constant per time unit and the time for a fraction of the remaining change, from a
// line's slope per case: k = (seconds per unit / seconds per case) x b; the rate is 1 - e^k and
// the time |ln(1 - p) / k|.
struct AsymptoteRate {
  double k = 0.0, rate = 0.0, time = 0.0;
};
AsymptoteRate asymptoteRate(double bPerCase, double secondsPerCase, int16_t timeUnits, float lnRemaining);
// Seconds in a unit (0 s, 1 min, 2 h, 3 days), and the suffixes of the rate and of the time.
double secondsPerUnit(int16_t timeUnits);
const char* rateSuffix(int16_t timeUnits);
const char* durationSuffix(int16_t timeUnits);

// ln(1 - p) of the change popup's items 1..11 (1 % .. 99 %); item 6 (50 %) for anything else.
float lnRemainingOf(int item);

}  // namespace qv
