#pragma once
// Regression, fitting and event tools that the command dispatcher starts.
#include <cstdint>
#include <limits>

namespace qv {

void TIMESLOPE();
void REGRESSION();
void ASYMPTOTE();
void FITPOLYNOMIAL();
// 0 time integration, 1 event counting, 2 selective integration.
void TIMEINTEGRATE(int16_t mode);

// "Time Units" (window 7): sets TimeUnits. Mode 0 (the slope window, below the plot) also
// offers "Use log(Y) " when the block's smallest value is not negative; mode 1 (other
// callers, over the plot) has no log box.
void TIMECHOICE(int16_t mode, float blockMinimum = -std::numeric_limits<float>::infinity());

// The residuals and the predictions of the last fit (`from` 0 the slope window, 1 the
// regression; the prediction's mode 1 the slope window, 0 the regression).
void RegressionRESIDS(int32_t n, int16_t from);
void PredictRegressionValues(int16_t mode);

}  // namespace qv
