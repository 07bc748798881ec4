#pragma once
// The flow-configuration, humidity and equation windows that gas exchange calls; until they
// are built they keep the current settings and accept.
#include <cstdint>
#include <string_view>

namespace qv {

// 0 when a configuration was accepted (FlowMode), 1 when cancelled.
int16_t FLOWSYSTEM();
int16_t WaterComp(int16_t flag);
int16_t RH_Temp_Calcs(std::string_view label, int16_t mode, int16_t mode2);
int16_t RHVO2andVCO2();

}  // namespace qv
