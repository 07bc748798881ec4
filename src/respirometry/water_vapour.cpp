#include "respirometry/water_vapour.h"

#include <cmath>

#include "core/unit_constants.h"
#include "respirometry/gas_settings.h"

namespace qv {

namespace {

// The absolute temperature of the Goff-Gratch form, kept as a 32-bit value as it always was.
float goffGratchKelvin(float celsius) { return celsius + 273.16f; }

}  // namespace

double goffGratchPressure(float celsius) {
  const float x = 373.16f / goffGratchKelvin(celsius);
  const double xd = x;
  const float head = float(2.183653 * std::log(xd) - 7.90298 * (xd - 1.0) -
                           1.3816e-8 * std::pow(10.0, 11.344 * (1.0 - 1.0 / xd)));
  const float L = float(double(head) + 0.0081328 * (std::pow(10.0, -3.49149 * (xd - 1.0)) - 1.0) + 3.005695);
  return std::pow(10.0, double(L));
}

float saturationVapourDensity(float celsius) {
  return float(goffGratchPressure(celsius) * 0.216632 / double(goffGratchKelvin(celsius)));
}

void WATERCON() { RHFactor = saturationVapourDensity(RHtemperature); }

float GetSaturationWaterVaporContent(float t) {
  static constexpr double kWarm[6] = {0.0048207, 0.00033389, 1.058e-5, 1.4478e-7, 2.3182e-9, 6.7731e-12};
  static constexpr double kCold[6] = {0.0048364, 0.00033247, 9.9414e-6, 1.6383e-7, 1.5029e-9, 6.1512e-12};
  const double* c = t > 4.0f ? kWarm : kCold;
  const double td = t;
  float density = float(c[0]);
  double power = 1.0;
  for (int i = 1; i <= 5; ++i) {
    power *= td;
    density += float(c[i] * power);
  }
  return float(double(density) * kWaterVapourGasConstant * (td + kZeroCelsiusKelvin) / units::kTorrPa);
}

}  // namespace qv
