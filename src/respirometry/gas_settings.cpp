#include "respirometry/gas_settings.h"

namespace qv {

int16_t UseVCO2 = 0, VCO2channel = 0;
int16_t LastFlowRateChannelannelUsed = 0;
int16_t HumidityUnits = 0, SensorCompRHunit = 0, WaterDataChannel = 0, RHtemperatureChannel = 0;
float flowmeterTemperature = 0.0f, RHFactor = 0.0f, latent = 0.0f, FiH2O = 0.0f;
int16_t EWLO2CO2compensation = 0, EWLOxygenChannel = 0, EWLCO2channel = 0;
// The water-loss window's own default: a replay in a fresh program has no other.
float constantFeO2 = 0.2050f;
float VH2OUnitFactor = 0.8036f, tempFloat = 0.0f;
int16_t Item1 = 1;

void ResetGasExchangeSettings() {
  UseVCO2 = VCO2channel = LastFlowRateChannelannelUsed = 0;
  HumidityUnits = SensorCompRHunit = WaterDataChannel = RHtemperatureChannel = 0;
  flowmeterTemperature = RHFactor = latent = FiH2O = 0.0f;
  EWLO2CO2compensation = EWLOxygenChannel = EWLCO2channel = 0;
  constantFeO2 = 0.2050f;
  VH2OUnitFactor = 0.8036f;
  tempFloat = 0.0f;
  Item1 = 1;
}

}  // namespace qv
