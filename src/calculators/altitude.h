#pragma once
// One standard-atmosphere relation between altitude above sea level and mean barometric
// pressure, and the gas concentration that reproduces at one altitude the partial pressure of
// another.
namespace qv {

// Torr in a kilopascal and feet in a metre.
extern const double kTorrPerKPa;
extern const double kFeetPerMetre;

// A typed pressure in torr: kilopascals are converted, and the standard atmosphere typed in
// either unit is exactly 760.
double typedPressureTorr(float typed, bool kPa);
// Altitude in metres at a pressure in torr (0 at exactly 760; not finite at 0 or less).
double altitudeFromPressure(double torr);
// Mean pressure in torr at an altitude in metres (exactly 760 at 0).
double pressureFromAltitude(double metres);

struct SimulatedAltitude {
  double simulatedTorr = 0, measurementTorr = 0;
  double concentration = 0;   // per cent, to give at the measurement altitude
  double simulatedAltitude = 0;  // metres (from pressures)
};

// From the two altitudes: both pressures, then the concentration.
SimulatedAltitude simulateFromAltitudes(double concentration, double simulatedMetres, double measurementMetres);
// From the two pressures as typed: the concentration and the simulated altitude.
SimulatedAltitude simulateFromPressures(double concentration, double simulatedTorr, double measurementTorr);

}  // namespace qv
