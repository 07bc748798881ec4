#pragma once
// The thermoregulatory-costs tool and the settings start-up gives it that the preferences
// file does not keep.
#include <cstdint>

namespace qv {

void ComputeThermoregulationCosts();
// The cost options window and the windows it opens (wind, rejection rules, location).
void TregCostOptions();

extern int16_t variableConductance, SunUseAllowed, UseTorpor, ComputeDawnAndDusk;
extern float MaxAverageIntervalinDays;

}  // namespace qv
