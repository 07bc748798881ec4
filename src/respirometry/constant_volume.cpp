#include "respirometry/constant_volume.h"

#include <cmath>

#include "respirometry/water_vapour.h"

namespace qv {

float Tminutes = 0.0f;

namespace {

constexpr double kTorrPerHectopascal = 0.750062;

}  // namespace

std::optional<std::string> chamberProblem(const ChamberDescription& c) {
  auto bad = [](float v) { return !std::isfinite(v); };
  if (bad(c.volume) || c.volume <= 0.0f) return "The chamber volume must be a number of ml greater than 0.";
  if (bad(c.minutes) || c.minutes <= 0.0f) return "The elapsed time must be a number of minutes greater than 0.";
  if (bad(c.pressure) || c.pressure <= 0.0f) return "The barometric pressure must be a number of torr greater than 0.";
  if (bad(c.celsius) || c.celsius <= -273.16f) return "The ambient temperature must be a number of \u00B0C above -273.16.";
  if (bad(c.humidity) || c.humidity < 0.0f || c.humidity > 100.0f)
    return "The initial R.H. must be a number of per cent from 0 to 100.";
  return std::nullopt;
}

double dryChamberVolume(const ChamberDescription& c) {
  if (c.humidity <= 0.0f) return c.volume;
  const double vapour = 0.01 * double(c.humidity) * goffGratchPressure(c.celsius) * kTorrPerHectopascal;
  return double(c.volume) * (double(c.pressure) - vapour) / double(c.pressure);
}

float stpFactor(const ChamberDescription& c) {
  const float dry = float(dryChamberVolume(c));
  const float atZero = dry * 273.16f / (c.celsius + 273.16f);
  const float atOneAtmosphere = atZero * (c.pressure / 760.0f);
  return atOneAtmosphere / c.minutes;
}

}  // namespace qv
