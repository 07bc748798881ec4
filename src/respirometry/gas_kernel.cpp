#include "respirometry/gas_kernel.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <type_traits>
#include <utility>

#include "respirometry/water_vapour.h"

namespace qv {

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
    case 4: return channel ? (in.humidity[i] * kVapourContentToKPa / 101.326f) * r.fT : w;
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

// The chamber or mask equation of mode M with companion U, as templates so that each
// (mode, companion) pair is one branch-free loop over a chunk.
template <int m, int u>
float vo2Term(const RunConstants& r, float x, float d, float Fd, float c) {
  const float O = r.O, RQ = r.RQ;
  if (m == 1 || m == 6) x = x / (r.oneMinusO + d);
  if (u == 0) {
    if (m == 2 || m == 5 || m == 7) x = x / (1.0f - (O - d) * (1.0f - RQ));
    else if (m == 3) x = x / r.oneMinusO;
    else if (m == 4 || m == 9) x = x / (RQ * d + r.oneMinusO);
    else if (m == 8) x = x / (1.0f - (O - (O - d) * RQ));
    else if (m == 10) x = x / (1.0f - O * (1.0f - RQ));
  } else if (u == 1) {
    if (m == 2) x = (Fd * x - (O - x) * c) / (r.oneMinusO + x);
    else if (m == 4 || m == 7 || m == 9) x = (Fd * x - x * c) / r.oneMinusO;
    else if (m == 5 || m == 8 || m == 10) x = (Fd * x - c * O) / r.oneMinusO;
  } else {
    if (m == 2) x = Fd * (x - (O - x) * c) / (r.oneMinusO + x);
    else if (m == 4 || m == 7 || m == 9) x = ((O - x) * c + (x - O * c)) * Fd / r.oneMinusO;
    else if (m == 5 || m == 8 || m == 10) x = (x - c * O) * Fd / r.oneMinusO;
  }
  return x;
}

template <int m, int u>
float vco2Term(const RunConstants& r, float x, float d, float Fd, float c) {
  const float C = r.C, Ce = r.Ce, RQ = r.RQ;
  if (u == 0) {
    if (m == 1) x = x / (1.0f - RQ * d);
    else if (m == 2 || m == 4 || m == 6) x = x / (1.0f - (1.0f - r.invRQ) * C);
    else if (m == 3 || m == 7) x = x / ((1.0f - d) + C / RQ);
    else if (m == 8) x = x / (1.0f + (r.invRQ + 1.0f) * C);
  } else if (u == 1) {
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

// Cases are taken a chunk at a time: the reads, the scalar parts (humidity, washout
// exponentials) and each equation are separate loops over the chunk, so the loops without a
// carried value run on whole vectors. A short last chunk is padded with copies of its last
// case, which keeps every loop at the full, fixed length.
constexpr size_t kChunk = 256;

struct Chunk {
  float d[kChunk], F[kChunk], D[kChunk], x[kChunk], c[kChunk], pred[kChunk];
};

using TermLoop = void (*)(const RunConstants&, Chunk&);

template <int gas, int m, int u>
void termLoop(const RunConstants& r, Chunk& k) {
  for (size_t j = 0; j < kChunk; ++j) {
    const float Fd = k.F[j] * k.D[j];
    k.x[j] = gas == 1 ? vo2Term<m, u>(r, k.x[j], k.d[j], Fd, k.c[j]) : vco2Term<m, u>(r, k.x[j], k.d[j], Fd, k.c[j]);
  }
}

template <int gas, int u, int... m>
constexpr std::array<TermLoop, sizeof...(m)> modeLoops(std::integer_sequence<int, m...>) {
  return {termLoop<gas, m + 1, u>...};
}

TermLoop termLoopOf(int gas, int mode, int companion) {
  using Modes = std::make_integer_sequence<int, 10>;
  static constexpr std::array<std::array<TermLoop, 10>, 3> vo2 = {modeLoops<1, 0>(Modes{}), modeLoops<1, 1>(Modes{}),
                                                                  modeLoops<1, 2>(Modes{})};
  static constexpr std::array<std::array<TermLoop, 10>, 3> vco2 = {
      modeLoops<2, 0>(Modes{}), modeLoops<2, 1>(Modes{}), modeLoops<2, 2>(Modes{})};
  return (gas == 1 ? vo2 : vco2)[size_t(companion)][size_t(mode - 1)];
}

template <class Count>
void scaledCopy(float* __restrict to, const float* __restrict from, float factor, Count count) {
  for (size_t j = 0; j < count; ++j) to[j] = factor * from[j];
}

void padChunk(float* a, size_t len) {
  for (size_t j = len; j < kChunk; ++j) a[j] = a[len - 1];
}

void scaleChunk(float* a, float factor) {
  for (size_t j = 0; j < kChunk; ++j) a[j] = a[j] * factor;
}

void divideChunk(float* a, float divisor) {
  for (size_t j = 0; j < kChunk; ++j) a[j] = a[j] / divisor;
}

// The washout correction of the chunk starting at case `first`; `p` carries the previous
// deflection from chunk to chunk. A flow channel needs one exponential a case, which is
// scalar anyway, so that road corrects in the same loop.
void washout(const RunConstants& r, bool flowChannel, size_t first, size_t len, float& p, Chunk& k) {
  if (first == 0) p = k.d[0];  // case 1 has no recorded predecessor: entry 0 may hold anything
  if (flowChannel) {
    for (size_t j = 0; j < len; ++j) {
      const float pred = first + j == 1 ? k.d[j] : p;
      const double e = std::exp(-double(r.delta * k.F[j]));
      k.x[j] = float(double(k.d[j] - pred) / (1.0 - e) + double(pred));
      p = k.d[j];
    }
    padChunk(k.x, len);
    return;
  }
  for (size_t j = 0; j < len; ++j) {
    k.pred[j] = first + j == 1 ? k.d[j] : p;
    p = k.d[j];
  }
  for (size_t j = len; j < kChunk; ++j) k.pred[j] = k.pred[len - 1];
  const double e = r.typedE;
  for (size_t j = 0; j < kChunk; ++j) k.x[j] = float(double(k.d[j] - k.pred[j]) / (1.0 - e) + double(k.pred[j]));
}

void computeRespiratory(const GasKernelSettings& s, const GasKernelInputs& in, std::span<float> out) {
  const RunConstants r = constantsOf(s);
  const size_t n = in.gas.size();
  const bool flowChannel = !in.flow.empty(), companion = !in.companion.empty();
  const bool humid = r.dilution && (s.humidityUnits != 0 || !in.temperature.empty());
  const float litreFactor = s.litres ? 1000.0f : 1.0f;
  const float companionScale = s.useVCO2 == 2 ? 0.01f : 1.0f;
  const int m = s.flowMode;
  const bool vo2 = s.gasType == 1;
  const bool absorbEnd = !s.absorbCO2 && (m == 1 || m == 3), maskEnd = m == 6 || m == 8;
  const float endDivisor = absorbEnd ? 1.0f - (1.0f - r.invRQ) * r.C : maskEnd ? r.oneMinusC : 1.0f;
  const TermLoop term = termLoopOf(s.gasType, m, s.useVCO2);
  float w = 0.0f;
  float p = r.k * (n ? in.gas[0] : 0.0f);
  Chunk k;
  for (size_t first = 0; first < n; first += kChunk) {
    const size_t len = std::min(kChunk, n - first);
    // A whole chunk reads with loops of a known length (those become vector loops).
    const auto read = [&](auto count) {
      scaledCopy(k.d, in.gas.data() + first, r.k, count);
      if (flowChannel) scaledCopy(k.F, in.flow.data() + first, litreFactor, count);
      else std::fill(k.F, k.F + count, s.flow * litreFactor);
      if (companion) scaledCopy(k.c, in.companion.data() + first, companionScale, count);
      else std::fill(k.c, k.c + count, 0.0f);
    };
    if (len == kChunk) read(std::integral_constant<size_t, kChunk>{});
    else read(len);
    if (humid)
      for (size_t j = 0; j < len; ++j) {
        w = incurrentWater(s, r, in, first + j, w);
        k.D[j] = 1.0f - w;
      }
    else
      std::fill(k.D, k.D + len, 1.0f);
    for (float* a : {k.d, k.F, k.c, k.D}) padChunk(a, len);
    // Every input of the chunk is read: from here on `out` may be written even when it is
    // one of them.
    if (s.instantaneous) washout(r, flowChannel, first, len, p, k);
    else std::copy(k.d, k.d + kChunk, k.x);
    term(r, k);
    if (vo2 && !s.absorbCO2 && (m == 1 || m == 3)) scaleChunk(k.x, r.oneMinusC);
    if (vo2 && m >= 7) divideChunk(k.x, r.oneMinusC);
    if (absorbEnd || maskEnd) divideChunk(k.x, endDivisor);
    float* o = out.data() + first;
    if (s.useVCO2 == 0) {
      for (size_t j = 0; j < kChunk; ++j) k.x[j] = k.F[j] * k.x[j] * s.flowcon * k.D[j];
    } else {
      scaleChunk(k.x, s.flowcon);
    }
    std::copy(k.x, k.x + len, o);
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
