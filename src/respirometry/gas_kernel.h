#pragma once
// The gas-exchange computation over whole channels: O2 consumption, CO2 production or
// evaporative water loss, case by case from the analyser channel, the flow, the companion gas,
// the humidity reading and its temperature.
#include <cstdint>
#include <span>

namespace qv {

struct GasKernelSettings {
  int16_t gasType = 1;   // 1 VO2, 2 VCO2, 3 EWL
  int16_t flowMode = 1;  // 1-5 chambers, 6-10 masks
  int16_t useVCO2 = 0;   // companion: 0 constant RQ, 1 rate channel, 2 concentration channel (%)
  float O = 0.2095f, C = 0.00038f;  // incurrent fractions
  float RQ = 0.85f;
  bool dryAir = true, absorbCO2 = true;
  bool positive = true;        // deflections positive-going
  bool instantaneous = false;  // washout correction
  bool litres = false;         // flow in L/min
  float flow = 100.0f;         // typed flow, used when there is no flow channel
  float sampleInterval = 1.0f, effectiveVolume = 1000.0f;  // s, ml
  float flowcon = 1.0f;         // unit factor times STP factor (VO2, VCO2)
  float waterFactor = 0.8036f;  // unit factor of water loss
  // Humidity of the incurrent air (VO2, VCO2) or of the analysed air (EWL).
  int16_t humidityUnits = 0;  // 0 none, 1 %RH, 2 dew point, 3 kPa, 4 ug/ml
  float compRH = 20.0f;       // %RH when there is no humidity channel
  float RHtemperature = 37.5f;  // sensor temperature when there is no temperature channel
  float flowmeterTemperature = 0.0f, realBP = 760.0f;
  float filePressure = 760.0f;  // torr, for the water fraction of EWL
  int16_t ewlCompensation = 3;  // 1 O2 and CO2 channels, 2 O2 channel and RQ, other constant FeO2
  float constantFeO2 = 0.2050f, FiH2O = 0.0f;
};

// Channels of cases 0..n; an empty span is a channel not used. `gas` is the analyser channel
// (for EWL the humidity reading), `humidity` the humidity channel of VO2/VCO2.
struct GasKernelInputs {
  std::span<const float> gas, flow, companion, humidity, temperature, ewlO2, ewlCO2;
};

// Writes one result per case of `gas` into `out` (same size). `out` may be any of the
// inputs: every case is read before it is written. The caller has checked the settings
// (gasRunProblem) and the span sizes.
void computeGasExchange(const GasKernelSettings& s, const GasKernelInputs& in, std::span<float> out);

// Water-vapour content (ug/ml = mg/L = g/m^3) to its pressure in kPa, the factor that water
// loss uses as 1 / 1.057 torr (0.12613 kPa) per g/m^3.
constexpr float kVapourContentToKPa = 0.12616f;

// Saturation water-vapour density (g/L) by the humidity polynomial, term by term; inline, so
// that the passes over whole channels can take several cases at a time.
inline float humidityDensity(float celsius) {
  const double t1 = celsius, t2 = t1 * t1, t3 = t2 * t1, t4 = t3 * t1, t5 = t4 * t1;
  float sum = float(0.0048835);
  sum += float(0.00033414 * t1);
  sum += float(9.8932e-06 * t2);
  sum += float(1.7366e-07 * t3);
  sum += float(1.9147e-09 * t4);
  sum += float(8.5704e-12 * t5);
  return sum;
}

}  // namespace qv
