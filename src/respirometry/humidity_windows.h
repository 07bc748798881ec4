#pragma once
// The calculator window of the incurrent water-vapour fraction; the other humidity windows
// (WaterComp, RH_Temp_Calcs, RHVO2andVCO2) are declared in stand_ins.h.
#include <cstdint>

namespace qv {

// Window 105: FiH2O from an incurrent reading in HumidityUnits; sets FiH2O on "Calculate...".
int16_t EstimateFiH2O();

}  // namespace qv
