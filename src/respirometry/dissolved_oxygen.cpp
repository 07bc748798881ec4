#include "respirometry/dissolved_oxygen.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

// Milligrams in a millilitre of O2 at STP.
constexpr float kMgPerMlO2 = 1.4286f;

}  // namespace

float dissolvedO2Fraction(float saturationPercent, float pressureTorr, float gasO2Percent) {
  const float s = std::min(1.0f, saturationPercent * 0.01f);
  return s * (pressureTorr / 760.0f) * gasO2Percent / 20.95f;
}

O2Content O2CONTENT(float celsius, float volumeMl, float solutes, float fraction, bool inMg) {
  const float exponent = float(2.028544 - 0.037973 * double(celsius) - 0.4826 * 0.020751 * double(solutes));
  float c = float((std::exp(double(exponent)) + 2.793274) * double(fraction));
  if (inMg) c *= kMgPerMlO2;
  return {c, volumeMl * c * 0.001f};
}

}  // namespace qv
