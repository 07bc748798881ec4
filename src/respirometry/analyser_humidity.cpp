#include "respirometry/analyser_humidity.h"

#include <bit>
#include <cmath>
#include <cstdint>
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

namespace {

// One loop for each unit and choice of channels, with no branch on the data (the choice between
// the corrected and the kept sample is made on bits), so that the compiler takes several cases
// at a time.
template <int16_t kUnit, bool kHumidityChannel, bool kTemperatureChannel>
int32_t compensatePass(const AnalyserHumiditySettings& s, const AnalyserHumidityInputs& in, std::span<float> out) {
  const size_t n = in.gas.size();
  const float sign = s.deflection ? 1.0f : -1.0f;
  const float pw = s.pw, vapourFactor = pressureFactor(s), compRH = s.compRH, RHtemperature = s.RHtemperature;
  const float* gas = in.gas.data();
  const float* humidity = in.humidity.data();
  const float* temperature = in.temperature.data();
  float* result = out.data();
  int32_t uncorrected = 0;
  for (size_t i = 1; i < n; ++i) {
    const float x = gas[i];
    const float reading = kHumidityChannel ? humidity[i] : compRH;
    const float celsius = kTemperatureChannel ? temperature[i] : RHtemperature;
    float w;
    if constexpr (kUnit == 1) w = humidityDensity(celsius) * (reading * 0.01f) * pw;
    else if constexpr (kUnit == 2) w = humidityDensity(reading) * pw;
    else if constexpr (kUnit == 3) w = reading * vapourFactor;
    else w = reading * kVapourContentToKPa * vapourFactor;
    const uint32_t usable = uint32_t(w >= 0.0f) & uint32_t(w < 1.0f);
    const float corrected = x / (1.0f + sign * w);
    const uint32_t keep = 0u - usable;
    result[i] = std::bit_cast<float>((std::bit_cast<uint32_t>(corrected) & keep) | (std::bit_cast<uint32_t>(x) & ~keep));
    uncorrected += int32_t((usable ^ 1u) & uint32_t(x == x));
  }
  return uncorrected;
}

template <int16_t kUnit>
int32_t compensateUnit(const AnalyserHumiditySettings& s, const AnalyserHumidityInputs& in, std::span<float> out) {
  const bool h = !in.humidity.empty(), t = !in.temperature.empty();
  if (h && t) return compensatePass<kUnit, true, true>(s, in, out);
  if (h) return compensatePass<kUnit, true, false>(s, in, out);
  if (t) return compensatePass<kUnit, false, true>(s, in, out);
  return compensatePass<kUnit, false, false>(s, in, out);
}

}  // namespace

int32_t compensateAnalyser(const AnalyserHumiditySettings& s, const AnalyserHumidityInputs& in,
                           std::span<float> out) {
  switch (s.unit) {
    case 1: return compensateUnit<1>(s, in, out);
    case 2: return compensateUnit<2>(s, in, out);
    case 3: return compensateUnit<3>(s, in, out);
    case 4: return compensateUnit<4>(s, in, out);
    default: break;
  }
  // No unit gives no fraction: every sample is kept, and each that is not a gap counts as uncorrected.
  int32_t uncorrected = 0;
  for (size_t i = 1; i < in.gas.size(); ++i) {
    out[i] = in.gas[i];
    uncorrected += int32_t(in.gas[i] == in.gas[i]);
  }
  return uncorrected;
}

}  // namespace qv
