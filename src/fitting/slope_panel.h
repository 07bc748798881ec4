#pragma once
// The statistics panel that both line fits show in the results window (window 4), and its
// slope tests: against zero, and against the slope typed in field 111.
#include <cstdint>
#include <string>

namespace qv {

// Fields of the panel.
constexpr int kTypedSlopeResult = 110, kTypedSlopeField = 111, kFieldA = 112, kFieldB = 113, kFieldR2 = 114,
              kFieldAatZero = 118;

// A number as the panel shows it ("**" when it could not be computed).
std::string fitNumber(double x);

// The clock times of the block, a (and a at t = 0 for the time fit), b, r² and n, then the
// slope tests.
void REGRESSIONSTATS(int32_t n);
// Tests the slope against 0 and shows it, then REGPROB.
void RegressionProbCalcs();
// Tests against the slope in field 111 and shows the result in field 110. A field that
// does not hold a number is refused with a message and gets its last good text back.
void REGPROB();
// The text field 111 starts with ("1").
void resetTypedSlope();

}  // namespace qv
