#pragma once
// Regression, fitting and event tools that the command dispatcher starts.
#include <cstdint>

namespace qv {

void TIMESLOPE();
void REGRESSION();
void ASYMPTOTE();
void FITPOLYNOMIAL();
// 0 time integration, 1 event counting, 2 selective integration.
void TIMEINTEGRATE(int16_t mode);

}  // namespace qv
