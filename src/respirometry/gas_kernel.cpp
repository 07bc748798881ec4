#include "respirometry/gas_kernel.h"

#include <cmath>
#include <cstddef>

#include "calculators/water_vapour.h"

namespace qv {

float humidityDensity(float t) {
  static constexpr double c[6] = {0.0048835, 0.00033414, 9.8932e-06, 1.7366e-07, 1.9147e-09, 8.5704e-12};
  const double td = t;
  float sum = float(c[0]);
  double power = 1.0;
  for (int i = 1; i <= 5; ++i) {
    power *= td;
    sum += float(c[i] * power);
  }
  return sum;
}

namespace {

// What stays the same over a run.
struct RunConstants {
  float k, O, C, Ce, RQ, invRQ, oneMinusO, oneMinusC;
  float fT, pwAt760;
  float delta;           // washout exponent per ml/min of flow
  double typedE;         // washout of the typed flow
  bool dilution;         // incurrent water vapour reduces the dry flow
};

RunConstants constantsOf(const GasKernelSettings& s) {
  RunConstants r{};
  r.k = s.positive ? 0.01f : -0.01f;
  r.O = s.O;
  r.C = s.C;
  r.Ce = s.absorbCO2 ? 0.0f : s.C;
  r.RQ = s.RQ;
  r.invRQ = 1.0f / s.RQ;
  r.oneMinusO = 1.0f - s.O;
  r.oneMinusC = 1.0f - s.C;
  const float q = (s.flowmeterTemperature + 273.15f) / 273.15f;
  r.fT = q * 760.0f / s.realBP;
  // The analyser's pressure term at 760 torr: the pressure itself already enters through fT.
  r.pwAt760 = 946.369f / 760.0f;
  r.delta = s.sampleInterval * 0.0166667f / s.effectiveVolume;
  const float typedF = s.litres ? s.flow * 1000.0f : s.flow;
  r.typedE = std::exp(-double(r.delta * typedF));
  const int m = s.flowMode;
  const bool o2 = s.gasType == 1, co2 = s.gasType == 2;
  r.dilution = !s.dryAir && (o2 || co2) && (m == 1 || (o2 && (m == 2 || m >= 9)) || (co2 && m == 8));
  return r;
}

// The water-vapour fraction of case i, or `w` unchanged when the unit has nothing to read.
float incurrentWater(const GasKernelSettings& s, const RunConstants& r, const GasKernelInputs& in, size_t i,
                     float w) {
  const bool channel = !in.humidity.empty();
  switch (s.humidityUnits) {
    case 4: return channel ? (in.humidity[i] * 0.00012616f / 101.326f) * r.fT : w;
    case 3: return channel ? (in.humidity[i] / 101.326f) * r.fT : w;
    case 2: return channel ? humidityDensity(in.humidity[i]) * r.pwAt760 * r.fT : w;
    case 1: {
      const float T = in.temperature.empty() ? s.RHtemperature : in.temperature[i];
      const float h = 0.01f * (channel ? in.humidity[i] : s.compRH);
      return humidityDensity(T) * h * r.pwAt760 * r.fT;
    }
    default: return w;
  }
}

float vo2Term(const GasKernelSettings& s, const RunConstants& r, float x, float d, float Fd, float c) {
  const int m = s.flowMode;
  const float O = r.O, RQ = r.RQ;
  if (m == 1 || m == 6) x = x / (r.oneMinusO + d);
  if (s.useVCO2 == 0) {
    if (m == 2 || m == 5 || m == 7) x = x / (1.0f - (O - d) * (1.0f - RQ));
    else if (m == 3) x = x / r.oneMinusO;
    else if (m == 4 || m == 9) x = x / (RQ * d + r.oneMinusO);
    else if (m == 8) x = x / (1.0f - (O - (O - d) * RQ));
    else if (m == 10) x = x / (1.0f - O * (1.0f - RQ));
  } else if (s.useVCO2 == 1) {
    if (m == 2) x = (Fd * x - (O - x) * c) / (r.oneMinusO + x);
    else if (m == 4 || m == 7 || m == 9) x = (Fd * x - x * c) / r.oneMinusO;
    else if (m == 5 || m == 8 || m == 10) x = (Fd * x - c * O) / r.oneMinusO;
  } else {
    if (m == 2) x = Fd * (x - (O - x) * c) / (r.oneMinusO + x);
    else if (m == 4 || m == 7 || m == 9) x = ((O - x) * c + (x - O * c)) * Fd / r.oneMinusO;
    else if (m == 5 || m == 8 || m == 10) x = (x - c * O) * Fd / r.oneMinusO;
  }
  if (!s.absorbCO2 && (m == 1 || m == 3)) x = x * r.oneMinusC;
  if (m >= 7) x = x / r.oneMinusC;
  return x;
}

float vco2Term(const GasKernelSettings& s, const RunConstants& r, float x, float d, float Fd, float c) {
  const int m = s.flowMode;
  const float C = r.C, Ce = r.Ce, RQ = r.RQ;
  if (s.useVCO2 == 0) {
    if (m == 1) x = x / (1.0f - RQ * d);
    else if (m == 2 || m == 4 || m == 6) x = x / (1.0f - (1.0f - r.invRQ) * C);
    else if (m == 3 || m == 7) x = x / ((1.0f - d) + C / RQ);
    else if (m == 8) x = x / (1.0f + (r.invRQ + 1.0f) * C);
  } else if (s.useVCO2 == 1) {
    if (m == 1) x = (Fd * x - c * (Ce + x)) / (1.0f - (Ce + x));
    else if (m == 2 || m == 4 || m == 6 || m == 8) x = (x - Ce * c) * Fd / (1.0f - Ce);
    else if (m == 3 || m == 7) x = (Fd * x - c * (Ce + x)) / (1.0f + x);
  } else {
    if (m == 1) x = Fd * (x - c * (Ce + x)) / (1.0f - (Ce + x));
    else if (m == 2 || m == 4 || m == 6 || m == 8) x = (Ce * c + x) * Fd / (1.0f + Ce);
    else if (m == 3 || m == 7) x = Fd * (c * Ce + x) / (1.0f + x);
  }
  return x;
}

void computeRespiratory(const GasKernelSettings& s, const GasKernelInputs& in, std::span<float> out) {
  const RunConstants r = constantsOf(s);
  const size_t n = in.gas.size();
  const bool flowChannel = !in.flow.empty(), companion = !in.companion.empty();
  const bool humid = r.dilution && (s.humidityUnits != 0 || !in.temperature.empty());
  const float litreFactor = s.litres ? 1000.0f : 1.0f;
  const float companionScale = s.useVCO2 == 2 ? 0.01f : 1.0f;
  const int m = s.flowMode;
  const bool absorbEnd = !s.absorbCO2 && (m == 1 || m == 3), maskEnd = m == 6 || m == 8;
  const float endDivisor = absorbEnd ? 1.0f - (1.0f - r.invRQ) * r.C : maskEnd ? r.oneMinusC : 1.0f;
  float w = 0.0f, D = 1.0f;
  float p = r.k * (n ? in.gas[0] : 0.0f);
  for (size_t i = 0; i < n; ++i) {
    const float d = r.k * in.gas[i];
    const float F = (flowChannel ? in.flow[i] : s.flow) * litreFactor;
    if (humid) {
      w = incurrentWater(s, r, in, i, w);
      D = 1.0f - w;
    }
    float x = d;
    if (s.instantaneous) {
      // Case 1 has no recorded predecessor: entry 0 may hold anything (a lag correction
      // leaves the old case 1 there).
      if (i <= 1) p = d;
      const double e = flowChannel ? std::exp(-double(r.delta * F)) : r.typedE;
      x = float(double(d - p) / (1.0 - e) + double(p));
      p = d;
    }
    const float c = companion ? in.companion[i] * companionScale : 0.0f;
    const float Fd = F * D;
    x = s.gasType == 1 ? vo2Term(s, r, x, d, Fd, c) : vco2Term(s, r, x, d, Fd, c);
    if (absorbEnd || maskEnd) x = x / endDivisor;
    out[i] = s.useVCO2 == 0 ? F * x * s.flowcon * D : s.flowcon * x;
  }
}

void computeWaterLoss(const GasKernelSettings& s, const GasKernelInputs& in, std::span<float> out) {
  const size_t n = in.gas.size();
  const double O = s.O, C = s.C;
  const bool flowChannel = !in.flow.empty(), temperatureChannel = !in.temperature.empty();
  const float litreFactor = s.litres ? 1000.0f : 1.0f;
  const float constantSaturation = GetSaturationWaterVaporContent(s.RHtemperature);
  float W = 0.0f;
  for (size_t i = 0; i < n; ++i) {
    const float sample = in.gas[i];
    const float F = (flowChannel ? in.flow[i] : s.flow) * litreFactor;
    switch (s.humidityUnits) {
      case 1: {
        const float sat = temperatureChannel ? GetSaturationWaterVaporContent(in.temperature[i]) : constantSaturation;
        W = sat * sample * 0.01f;
        break;
      }
      case 2: W = GetSaturationWaterVaporContent(sample); break;
      case 3: W = sample * 7.498877f; break;
      case 4: W = sample / 1.057f; break;
      default: break;
    }
    const double FeH2O = double(W / s.filePressure);
    double FeO2 = s.constantFeO2, FeCO2 = 0;
    if (s.ewlCompensation == 1 || s.ewlCompensation == 2) FeO2 = O - 0.01 * double(in.ewlO2[i]);
    if (s.ewlCompensation == 1) FeCO2 = C + 0.01 * double(in.ewlCO2[i]);
    else FeCO2 = C + (O - FeO2) * double(s.RQ);
    const double fi = s.FiH2O;
    const double r = (((1.0 - O - C) - fi) * FeH2O / ((1.0 - FeO2 - FeCO2) - FeH2O) - fi) * double(F) *
                     double(s.waterFactor);
    out[i] = float(r);
  }
}

}  // namespace

void computeGasExchange(const GasKernelSettings& s, const GasKernelInputs& in, std::span<float> out) {
  if (s.gasType == 3) computeWaterLoss(s, in, out);
  else computeRespiratory(s, in, out);
}

}  // namespace qv
