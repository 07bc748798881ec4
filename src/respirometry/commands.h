#pragma once
// Respirometry tools that the command dispatcher starts (argument 0: from the menu, not from
// a script step), and the respirometry settings that start-up gives their defaults.
#include <cstdint>
#include <string_view>

namespace qv {

// The "Compute Gas Exchange" window for the gas in GasType.
void GASEXCHANGE(int16_t fromScript);
void WATERVO2(int16_t fromScript);
void ANALYZER_HUMIDITY(int16_t fromScript);
void SelectHeatEquivalence(std::string_view text, int16_t left, int16_t top);
void EFFECTIVEVOLUME();
// The closed-chamber window of the constant-volume display.
void ConstantVolumeRespirometry();

// 1 O2, 2 CO2, 3 water vapour.
extern int16_t GasType;
// Barometric pressure (torr), humidity and its temperature, flow constants, salinity.
extern float realBP, compRH, RHtemperature, flowconO, flowconC, salinity;
extern int16_t FlowMode, DryAir, AbsorbCO2upstream, oH2O;
extern int16_t WaterSystem, DoConstantVolume, AbsoluteUnits, WaterUnits, MassUnit;
extern int32_t startRH;
// The STP factor of the closed-system conversion; 1 until the constant-volume tool sets it.
extern float STPfactor[1];

}  // namespace qv
