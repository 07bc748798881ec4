#include "core/respirometry_settings.h"

namespace qv {

int16_t GasType = 1;
float realBP = 760.0f, compRH = 20.0f, RHtemperature = 37.5f, flowconO = 20.1f, flowconC = 25.0f, salinity = 2.0f;
int16_t FlowMode = 1, DryAir = 1, AbsorbCO2upstream = 1, oH2O = 1;
int16_t WaterSystem = 0, DoConstantVolume = 0, AbsoluteUnits = 0, WaterUnits = 0, MassUnit = 0;
float startRH = 0.0f;
float STPfactor[1] = {1.0f};

}  // namespace qv
