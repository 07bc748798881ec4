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

#include "core/case_filters.h"
#include "core/fit_state.h"

namespace qv {

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



}  // namespace qv
