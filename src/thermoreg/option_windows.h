#pragma once
// The windows the cost options open: wind, the data rejection rules and the location whose
// sun cycle gives dawn and dusk.
#include <cstdint>

namespace qv {

constexpr int16_t kCostOptionsWindow = 99, kConvectionWindow = 1201, kRejectionWindow = 880, kLocationWindow = 190;

// Active-phase conductance factor (0 shows 1.4 in the options window); lasts for the run.
extern float ActivePhaseConductanceIncrease;

void SetUpConvection();
void ShowWindPrompt(int16_t on);
void SetRejectionRules();
void SetLocation();

// The next event of a modal options window, cleared from `action` and `eventID`.
struct OptionEvent {
  int kind = 0, id = 0;
};
OptionEvent nextOptionEvent();

}  // namespace qv
