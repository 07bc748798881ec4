#pragma once
// Saturation water vapour at a temperature: the Goff-Gratch density that gas exchange and the
// closed-system tools call WATERCON, and the polynomial vapour pressure in torr.
#include <cstdint>

namespace qv {

// The gas constant of water vapour (J/(kg K)) and 0 degrees Celsius in kelvin: a vapour
// density in g/L (kg/m^3) times both gives its pressure in pascals.
constexpr double kWaterVapourGasConstant = 461.5;
constexpr double kZeroCelsiusKelvin = 273.15;

// Saturation water-vapour pressure (hPa) at t degrees Celsius, Goff-Gratch; touches no setting.
double goffGratchPressure(float celsius);

// Saturation water-vapour density (mg/ml, which is g/L) at t degrees Celsius, Goff-Gratch.
float saturationVapourDensity(float celsius);

// RHFactor := the saturation density at RHtemperature.
void WATERCON();

// Saturation water-vapour pressure in torr at t degrees Celsius: a fifth-degree fit of the
// density (one set of coefficients above 4 degrees, another at or below), turned into a
// pressure at that same temperature by the ideal-gas law.
float GetSaturationWaterVaporContent(float celsius);

}  // namespace qv
