#pragma once
// Least-squares lines over the cases of a block: against elapsed time, and of one channel on
// another; the t test of a slope. Plain functions over sample spans (index = case number).
// A case whose sample is not finite (a gap) is left out of a fit, as it is of the statistics.
// A value that cannot be computed (no case, a zero sum of squares, a negative variance) is
// NaN, which every display and report shows as "**".
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

#include "stats/case_filters.h"

namespace qv {

inline constexpr float kNotComputed = std::numeric_limits<float>::quiet_NaN();

struct LineFit {
  int32_t n = 0;                      // cases used
  double meanX = 0.0, meanY = 0.0;
  double Sxx = 0.0, Syy = 0.0, Sxy = 0.0;  // centred sums
  float a = kNotComputed;             // intercept (time fit: the fitted value at the block's first case)
  float aAtZero = kNotComputed;       // time fit: the intercept at elapsed time 0
  float b = kNotComputed;             // slope
  float r2 = kNotComputed;
};

// The time step of one case in the chosen unit (0 s, 1 min, 2 h, 3 days). Minutes use the
// rounded factor 0.0166667, which the results of earlier versions were computed with.
float timeStep(float intervalSeconds, int16_t timeUnits);
const char* timeUnitName(int16_t timeUnits);

// log10 as the fits take it: ln(v) x 0.434294, stored as f32.
float fitLog10(float v);

// Whether every case begin..end of x that is not a gap (NaN) is > 0 (a log can be taken of each).
bool allPositive(std::span<const float> x, int32_t begin, int32_t end);

// y against x = case x dt over the cases begin..end that the filters keep.
LineFit fitAgainstTime(std::span<const float> y, int32_t begin, int32_t end, const CaseFilters& filters,
                       float dt);

// y on x over the cases begin..end the filters keep; the deviations and their products are
// formed in f32, as the older results were.
LineFit fitBetween(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end,
                   const CaseFilters& filters);

// Two-sided P of Student's t with df degrees of freedom (df >= 1), exact for every df.
double twoSidedStudentP(double t, int32_t df);

// The probability that the fit's slope equals `slope` (two-sided, floor 0.00001); NaN when
// it cannot be computed (fewer than 3 cases, Sxx = 0, a variance that is not positive).
float testSlope(const LineFit& fit, float slope);

}  // namespace qv
