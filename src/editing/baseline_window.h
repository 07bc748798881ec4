#pragma once
// The "Baseline Correction" window (window 4): its controls, which its methods read and
// change.
#include <cstdint>

namespace qv {

constexpr int kBaselineWindow = 4;
// Edit fields: the cases of the automatic method, the half-width of a "Use 1 ±" pick.
constexpr int kAutoBlockField = 114, kHalfWidthField = 199;
// Buttons besides the method buttons (2..8) and the radios (12..14 ends, 15..17 pick mode).
constexpr int kSelectAgain = 9, kBaselineOK = 10, kBaselineCancel = 18, kBaselineHelp = 19;

// The step the baseline methods write their words into while the window is open (0 none).
void setBaselineWordStep(int16_t step);

// Whether this build has a baseline method (the others show a notice).
bool baselineMethodBuilt(int16_t method);

}  // namespace qv
