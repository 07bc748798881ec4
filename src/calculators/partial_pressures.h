#pragma once
// Water-vapour and oxygen partial pressures of humid air, in torr or kPa.
namespace qv {

// Pascals of a torr over a thousand: kPa = torr x kKPaPerTorr.
extern const double kKPaPerTorr;

// The saturation vapour pressure at t degrees C times the relative saturation (per cent), in
// torr or kPa; never below 0.
double waterVapourPressure(float celsius, float saturationPercent, bool kPa);
// The O2 partial pressure of the dry part of air at `ambient` holding `vapour` (both in the
// same unit), whose dry gas holds `o2Percent`; in that unit.
double oxygenPressure(double ambient, double vapour, double o2Percent);

}  // namespace qv
