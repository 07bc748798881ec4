#pragma once
// An O2 or CO2 analyser that sees moist gas reads low: each sample is corrected for the
// water-vapour fraction w of the analysed gas at that case, from a humidity channel or a
// constant relative humidity.
#include <cstdint>
#include <span>

namespace qv {

struct AnalyserHumiditySettings {
  int16_t unit = 1;               // 1 %RH, 2 dew point (deg C), 3 kPa, 4 ug/ml
  float pw = 946.369f / 760.0f;   // 946.369 / the real barometric pressure (torr)
  float flowmeterTemperature = 0.0f;
  float compRH = 20.0f;           // %RH without a humidity channel
  float RHtemperature = 37.5f;    // sensor temperature without a temperature channel
  bool deflection = true;         // a deflection from an O2 baseline: x / (1 + w); else x / (1 - w)
};

// Cases 0..n of each channel; an empty humidity span is the constant compRH, an empty
// temperature span the constant RHtemperature.
struct AnalyserHumidityInputs {
  std::span<const float> gas, humidity, temperature;
};

// The water-vapour fraction of the analysed gas for one humidity reading (the dew point for
// unit 2) and sensor temperature (used by unit 1); NaN for a unit outside 1..4.
float analyserWaterFraction(const AnalyserHumiditySettings& s, float reading, float celsius);

// Writes cases 1..n of `out` (the size of `gas`; it may be `gas` itself). A case whose w is
// not a finite fraction 0 <= w < 1 keeps its sample; the count of those is returned. A gap
// in the gas channel stays a gap.
int32_t compensateAnalyser(const AnalyserHumiditySettings& s, const AnalyserHumidityInputs& in,
                           std::span<float> out);

}  // namespace qv
