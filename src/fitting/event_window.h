#pragma once
// What the time integration and event counting window shares with its details file.
#include <cstdint>

namespace qv {

// The limits of fields 101 and 103 last used, offered when the window opens again (0: none).
extern float LastPosSelectiveLimit;
extern float LastNegSelectiveLimit;

// Menu 137: the rate unit of the details file's sums, item 1 at start.
constexpr int16_t kRateMenu = 137;
void RateUnitPopup();

// "Save Details...": the timed events of channel ch over first..last to a file the user
// names. lower and upper are the event triggers; minimumSeconds applies when useMinimum is
// set; item is the rate unit chosen in menu 137.
void SaveEventCountDetails(float lower, float upper, int32_t first, int32_t last, bool useMinimum,
                           float minimumSeconds, int item);

}  // namespace qv
