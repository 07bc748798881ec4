#pragma once
// The "Baseline Correction" window (window 4): its controls, which its methods read and
// change.
#include <cstdint>
#include <string>

#include "editing/baseline.h"

namespace qv {

constexpr int kBaselineWindow = 4;
// Edit fields: the cases of the automatic method, the half-width of a "Use 1 ±" pick.
constexpr int kAutoBlockField = 114, kHalfWidthField = 199;
// Buttons besides the method buttons (2..8) and the radios (12..14 ends, 15..17 pick mode).
constexpr int kSelectAgain = 9, kBaselineOK = 10, kBaselineCancel = 18, kBaselineHelp = 19;

// The typed methods' fields and their OK button in the window.
constexpr int kTypedStartField = 111, kTypedEndField = 112, kTypedOK = 11;

// The "Periodic Baseline Correction" window (5), its controls, and the cue shown under the
// plot before a pick (889).
constexpr int kPeriodicWindow = 5, kCueWindow = 889;
constexpr int kMarkerButton = 1, kPeriodPickButton = 2, kStartPickButton = 3, kIntervalOK = 4, kDefaultsBox = 15;
constexpr int kMarkerField = 111, kShiftField = 112, kIntervalField = 113;

// The methods, each ending as MethodEnd says.
MethodEnd typedBaseline(int16_t method);
MethodEnd cursorBaseline(int16_t method);
MethodEnd multiPointBaseline();
MethodEnd periodicBaseline(int16_t step, bool replaying);

// Baseline points at the markers of one character (Mac Roman), each moved by `shift` cases,
// and the chain through them subtracted; false, with the reason (in replay, the step
// refused), when fewer than two points are inside the file.
bool DoBaselineWithMarkers(const std::string& macRomanMarker, int16_t shift, int16_t step);

// The step the baseline methods write their words into while the window is open (0 none).
void setBaselineWordStep(int16_t step);


}  // namespace qv
