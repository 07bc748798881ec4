#pragma once
// The flow-configuration and humidity windows that gas exchange (and the analyser's humidity
// compensation) call.
#include <cstdint>
#include <string_view>

namespace qv {

// 0 when a configuration was accepted (FlowMode), 1 when cancelled.
int16_t FLOWSYSTEM();
// The humidity-correction chain: flag 0 the flow compensation of a configuration, 1 the
// analyser's (GasType and FlowMode 99), which keeps HumidityUnits and leaves its unit in
// SensorCompRHunit.
int16_t WaterComp(int16_t flag);
// The humidity unit (mode 0 also the evaporating surface's temperature), the RH sensor's
// temperature for %RH, and for water loss the O2/CO2 window.
int16_t RH_Temp_Calcs(std::string_view label, int16_t mode, int16_t mode2);
// Water loss: how the excurrent O2 and CO2 are known, RQ, the constant FeO2 and FiH2O.
int16_t RHVO2andVCO2();

}  // namespace qv
