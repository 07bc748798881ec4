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

// The residuals and the predictions of the last fit (`from` 0 the slope window, 1 the
// regression; the prediction's mode 1 the slope window, 0 the regression).
void RegressionRESIDS(int32_t n, int16_t from);
void PredictRegressionValues(int16_t mode);
// The residuals of the last residuals window into a file the user names.
void SaveResiduals(int16_t fromChannels);

}  // namespace qv
