#include "respirometry/humidity.h"

#include <cmath>

#include "respirometry/water_vapour.h"

namespace qv {

float latentHeat(int16_t mode, float surfaceCelsius) {
  return mode == 0 ? 2501.2f - 2.3787f * surfaceCelsius : 2501.2f;
}

std::optional<float> estimateFiH2O(int16_t unit, float reading, float celsius, float pressure) {
  if (!(pressure > 0.0f) || !std::isfinite(pressure)) return std::nullopt;
  float torr = 0.0f;
  switch (unit) {
    case 1: torr = reading * 0.01f * GetSaturationWaterVaporContent(celsius); break;
    case 2: torr = GetSaturationWaterVaporContent(reading); break;
    case 3: torr = reading * 7.499f; break;
    default: torr = reading / 1.057f; break;
  }
  const float fi = torr / pressure;
  if (!std::isfinite(fi)) return std::nullopt;
  return fi;
}

}  // namespace qv
