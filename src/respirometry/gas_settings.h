#pragma once
// The gas-exchange settings beyond those the dispatcher and start-up already know
// (respirometry/commands.h): the companion gas, the humidity correction and the water-loss
// compensation. They last for the run of the program.
#include <cstdint>

#include "respirometry/commands.h"

namespace qv {

// Companion gas: 0 constant RQ, 1 a rate channel, 2 a concentration channel.
extern int16_t UseVCO2, VCO2channel;
extern int16_t LastFlowRateChannelannelUsed;

// Humidity: unit 0 none, 1 %RH, 2 dew point, 3 kPa, 4 ug/ml; the reading's channel (123 or
// 0: the constant compRH); the sensor temperature's channel (0: RHtemperature).
extern int16_t HumidityUnits, SensorCompRHunit, WaterDataChannel, RHtemperatureChannel;
extern float flowmeterTemperature, RHFactor, latent, FiH2O;

// Water loss: 1 O2 and CO2 channels, 2 O2 channel and RQ, 3 constant FeO2.
extern int16_t EWLO2CO2compensation, EWLOxygenChannel, EWLCO2channel;
extern float constantFeO2;

// Output factor of water loss, and the last result written.
extern float VH2OUnitFactor, tempFloat;
// The output-unit item of the gas-exchange window.
extern int16_t Item1;

// The start-up values of the settings above.
void ResetGasExchangeSettings();

}  // namespace qv
