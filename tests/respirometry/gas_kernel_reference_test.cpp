// The gas-exchange kernel against a plain case-by-case reference: every mode, companion and
// humidity road over a few thousand varied cases must give the same bits.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "respirometry/gas_kernel.h"

using namespace qv;

namespace {

// The straightforward computation: every choice made again at every case.

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
    case 4: return channel ? (in.humidity[i] * 0.12616f / 101.326f) * r.fT : w;
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

void referenceRespiratory(const GasKernelSettings& s, const GasKernelInputs& in, std::span<float> out) {
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


std::vector<float> series(size_t n, float base, float spread, uint32_t seed) {
  std::vector<float> v(n);
  for (float& f : v) {
    seed = seed * 1664525u + 1013904223u;
    f = base + spread * float(seed >> 8) * (1.0f / 16777216.0f);
  }
  return v;
}

struct Channels {
  std::vector<float> gas, flow, companion, humidity, temperature;
  GasKernelInputs inputs(bool flowChannel, bool companionChannel, bool humidityChannel, bool temperatureChannel) const {
    GasKernelInputs in;
    in.gas = gas;
    if (flowChannel) in.flow = flow;
    if (companionChannel) in.companion = companion;
    if (humidityChannel) in.humidity = humidity;
    if (temperatureChannel) in.temperature = temperature;
    return in;
  }
};

// 3,001 cases (not a whole number of any chunk), with flat stretches so that a flow repeats.
Channels channels(int gasType, int useVCO2) {
  const size_t n = 3001;
  Channels c;
  c.gas = series(n, gasType == 1 ? 0.2f : 0.1f, 1.5f, 11);
  c.flow = series(n, 80.0f, 400.0f, 23);
  for (size_t i = 500; i < 700; ++i) c.flow[i] = 250.0f;
  c.companion = useVCO2 == 2 ? series(n, gasType == 1 ? 0.3f : 19.0f, 1.0f, 37) : series(n, 0.5f, 2.0f, 37);
  c.humidity = series(n, 5.0f, 60.0f, 41);
  c.temperature = series(n, 10.0f, 25.0f, 53);
  return c;
}

void expectSameBits(const std::vector<float>& want, const std::vector<float>& got) {
  ASSERT_EQ(want.size(), got.size());
  size_t differ = 0, first = 0;
  for (size_t i = 0; i < want.size(); ++i)
    if (std::bit_cast<uint32_t>(want[i]) != std::bit_cast<uint32_t>(got[i]) && differ++ == 0) first = i;
  EXPECT_EQ(differ, 0u) << "first at case " << first << ": " << want[first] << " against " << got[first];
}

}  // namespace

TEST(GasKernelReference, EveryModeAndCompanionBitForBit) {
  for (int gasType : {1, 2})
    for (int useVCO2 : {0, 1, 2})
      for (int mode = 1; mode <= 10; ++mode)
        for (int variant = 0; variant < 4; ++variant) {
          SCOPED_TRACE(testing::Message() << "gas " << gasType << " companion " << useVCO2 << " mode " << mode
                                          << " variant " << variant);
          GasKernelSettings s;
          s.gasType = int16_t(gasType);
          s.flowMode = int16_t(mode);
          s.useVCO2 = int16_t(useVCO2);
          s.flowcon = 0.9993f;
          s.instantaneous = variant & 1;
          s.absorbCO2 = variant < 2;
          s.positive = variant != 2;
          s.litres = variant == 3;
          s.flow = variant == 3 ? 0.35f : 350.0f;
          s.dryAir = variant != 1;
          s.humidityUnits = int16_t(variant == 1 ? 1 : 0);
          const Channels c = channels(gasType, useVCO2);
          const bool flowChannel = variant != 2;
          const GasKernelInputs in = c.inputs(flowChannel, useVCO2 != 0, variant == 1, variant == 1);
          std::vector<float> want(c.gas.size()), got(c.gas.size());
          referenceRespiratory(s, in, want);
          computeGasExchange(s, in, got);
          expectSameBits(want, got);
        }
}

TEST(GasKernelReference, HumidityUnitsBitForBit) {
  for (int gasType : {1, 2})
    for (int units = 0; units <= 4; ++units)
      for (int channel = 0; channel < 4; ++channel) {
        SCOPED_TRACE(testing::Message() << "gas " << gasType << " units " << units << " channels " << channel);
        GasKernelSettings s;
        s.gasType = int16_t(gasType);
        s.flowMode = 1;
        s.dryAir = false;
        s.humidityUnits = int16_t(units);
        s.realBP = 600.0f;
        s.flowmeterTemperature = 21.0f;
        s.instantaneous = channel == 3;
        const Channels c = channels(gasType, 0);
        const GasKernelInputs in = c.inputs(true, false, channel & 1, channel & 2);
        std::vector<float> want(c.gas.size()), got(c.gas.size());
        referenceRespiratory(s, in, want);
        computeGasExchange(s, in, got);
        expectSameBits(want, got);
      }
}

TEST(GasKernelReference, ResultOverwritesItsOwnInput) {
  GasKernelSettings s;
  s.instantaneous = true;
  const Channels c = channels(1, 0);
  std::vector<float> want(c.gas.size()), inPlace = c.gas;
  referenceRespiratory(s, c.inputs(true, false, false, false), want);
  GasKernelInputs in = c.inputs(true, false, false, false);
  in.gas = inPlace;
  computeGasExchange(s, in, inPlace);
  expectSameBits(want, inPlace);
}
