#pragma once
// The respirometry settings that start-up gives their defaults and that the statistics text
// and the reports read beside the respirometry tools.
#include <cstdint>

namespace qv {

// 1 O2, 2 CO2, 3 water vapour.
extern int16_t GasType;
// Barometric pressure (torr), humidity and its temperature, flow constants, salinity.
extern float realBP, compRH, RHtemperature, flowconO, flowconC, salinity;
extern int16_t FlowMode, DryAir, AbsorbCO2upstream, oH2O;
extern int16_t WaterSystem, DoConstantVolume, AbsoluteUnits, WaterUnits, MassUnit;
// The initial relative humidity (%) of a closed chamber.
extern float startRH;
// The STP factor of the closed-system conversion; 1 until the constant-volume tool sets it.
extern float STPfactor[1];

}  // namespace qv
