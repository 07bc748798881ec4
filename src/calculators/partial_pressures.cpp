#include "calculators/partial_pressures.h"

#include "core/unit_constants.h"
#include "respirometry/water_vapour.h"

namespace qv {

const double kKPaPerTorr = units::kTorrPa / 1000.0;

double waterVapourPressure(float celsius, float saturationPercent, bool kPa) {
  double p = double(GetSaturationWaterVaporContent(celsius)) * saturationPercent * 0.01;
  if (kPa) p *= kKPaPerTorr;
  return p < 0.0 ? 0.0 : p;
}

double oxygenPressure(double ambient, double vapour, double o2Percent) {
  return (ambient - vapour) * o2Percent * 0.01;
}

}  // namespace qv
