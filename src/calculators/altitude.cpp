#include "calculators/altitude.h"

#include <cmath>

#include "core/unit_constants.h"

namespace qv {

const double kTorrPerKPa = 1000.0 / units::kTorrPa;
const double kFeetPerMetre = 1.0 / units::kFootM;

double typedPressureTorr(float typed, bool kPa) {
  if (!kPa) return typed;
  if (typed == float(units::kAtmPa / 1000.0)) return units::kAtmTorr;
  return typed * kTorrPerKPa;
}

double altitudeFromPressure(double torr) {
  if (torr == units::kAtmTorr) return 0.0;
  return std::log10(torr) * -18271.0 + 52635.35;
}

double pressureFromAltitude(double metres) {
  if (metres == 0.0) return units::kAtmTorr;
  return units::kAtmTorr * std::exp(metres * -0.00012603);
}

SimulatedAltitude simulateFromAltitudes(double concentration, double simulatedMetres, double measurementMetres) {
  SimulatedAltitude s;
  s.measurementTorr = pressureFromAltitude(measurementMetres);
  s.simulatedTorr = pressureFromAltitude(simulatedMetres);
  s.concentration = s.simulatedTorr * concentration / s.measurementTorr;
  s.simulatedAltitude = simulatedMetres;
  return s;
}

SimulatedAltitude simulateFromPressures(double concentration, double simulatedTorr, double measurementTorr) {
  SimulatedAltitude s;
  s.simulatedTorr = simulatedTorr;
  s.measurementTorr = measurementTorr;
  s.concentration = concentration * simulatedTorr / measurementTorr;
  s.simulatedAltitude = altitudeFromPressure(simulatedTorr);
  return s;
}

}  // namespace qv
