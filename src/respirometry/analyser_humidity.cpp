#include "respirometry/analyser_humidity.h"

#include <cmath>
#include <limits>

#include "respirometry/gas_kernel.h"

namespace qv {

namespace {

// Vapour pressure readings: the fraction of the real pressure, with the flow meter's
// temperature term of gas exchange. The pressure comes from pw so that a replayed step, which
// keeps only pw, gives the same fraction.
float pressureFactor(const AnalyserHumiditySettings& s) {
  const float q = (s.flowmeterTemperature + 273.15f) / 273.15f;
  return q * (s.pw * (760.0f / 946.369f)) / 101.326f;
}

}  // namespace

float analyserWaterFraction(const AnalyserHumiditySettings& s, float reading, float celsius) {
  switch (s.unit) {
    case 1: return humidityDensity(celsius) * (reading * 0.01f) * s.pw;
    case 2: return humidityDensity(reading) * s.pw;
    case 3: return reading * pressureFactor(s);
    case 4: return reading * kVapourContentToKPa * pressureFactor(s);
    default: return std::numeric_limits<float>::quiet_NaN();
  }
}

int32_t compensateAnalyser(const AnalyserHumiditySettings& s, const AnalyserHumidityInputs& in,
                           std::span<float> out) {
  const size_t n = in.gas.size();
  const bool humidityChannel = !in.humidity.empty(), temperatureChannel = !in.temperature.empty();
  const float sign = s.deflection ? 1.0f : -1.0f;
  int32_t uncorrected = 0;
  for (size_t i = 1; i < n; ++i) {
    const float x = in.gas[i];
    const float reading = humidityChannel ? in.humidity[i] : s.compRH;
    const float celsius = temperatureChannel ? in.temperature[i] : s.RHtemperature;
    const float w = analyserWaterFraction(s, reading, celsius);
    if (!(w >= 0.0f && w < 1.0f)) {
      out[i] = x;
      if (!std::isnan(x)) ++uncorrected;
      continue;
    }
    out[i] = x / (1.0f + sign * w);
  }
  return uncorrected;
}

}  // namespace qv
