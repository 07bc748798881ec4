#pragma once
// Respirometry tools that the command dispatcher starts (argument 0: from the menu, not from
// a script step); their settings are in core/respirometry_settings.h.
#include <cstdint>
#include <string_view>

#include "core/respirometry_settings.h"

namespace qv {

// The "Compute Gas Exchange" window for the gas in GasType.
void GASEXCHANGE(int16_t fromScript);
void WATERVO2(int16_t fromScript);
void ANALYZER_HUMIDITY(int16_t fromScript);
void SelectHeatEquivalence(std::string_view text, int16_t left, int16_t top);
void EFFECTIVEVOLUME();
// The closed-chamber window of the constant-volume display.
void ConstantVolumeRespirometry();

}  // namespace qv
