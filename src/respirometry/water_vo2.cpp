#include "respirometry/water_vo2.h"

#include <algorithm>
#include <cmath>

#include "respirometry/water_vapour.h"

namespace qv {

namespace {

constexpr float kMgPerMlO2 = 1.4286f;
constexpr float kMmolPerMlO2 = 0.04461497f;

bool isRate(const WaterChoices& c) { return c.open || c.kind == 3; }
bool perHour(const WaterChoices& c) { return isRate(c) && (c.outputUnits == 5 || c.outputUnits == 6 || c.outputUnits == 9); }
bool energy(const WaterChoices& c) { return isRate(c) && c.outputUnits >= 7 && c.outputUnits <= 9; }

bool positive(float v) { return std::isfinite(v) && v > 0; }

float outputScale(const WaterChoices& c) {
  switch (c.outputUnits) {
    case 2: case 5: return 1000.0f;
    case 3: return kMmolPerMlO2;
    case 4: case 6: return kMmolPerMlO2 * 1000.0f;
    case 7: return isRate(c) ? c.flowcon * 1000.0f : 1.0f;
    case 8: return isRate(c) ? c.flowcon * 1000000.0f : 1.0f;
    case 9: return isRate(c) ? c.flowcon * 60.0f : 1.0f;
    default: return 1.0f;
  }
}

}  // namespace

float saturatedWaterPO2(float celsius, float pressureTorr, float gasO2Percent) {
  return (pressureTorr - GetSaturationWaterVaporContent(celsius)) * gasO2Percent * 0.01f;
}

std::optional<std::string> waterFactorProblem(const WaterFields& w, const WaterChoices& c) {
  if (!positive(w.saturation)) return "The % maximum oxygen saturation must be greater than 0.";
  if (!positive(w.net)) return std::string("The net O\u2082 ") + (c.open ? "flow" : "content") + " must be greater than 0.";
  if (!positive(w.flowOrVolume)) return std::string("The ") + (c.open ? "flow" : "volume") + " must be greater than 0.";
  if (!positive(w.pressure)) return "The B.P. must be greater than 0.";
  if (!positive(w.gasO2)) return "The gas phase %O\u2082 must be greater than 0.";
  if (!std::isfinite(w.temperature)) return "The temperature must be a number.";
  if ((c.inputUnits == 3 || c.inputUnits == 4) && !positive(w.perLitre))
    return "The O\u2082 content per litre must be greater than 0.";
  if (c.inputUnits == 2 && !positive(saturatedWaterPO2(w.temperature, w.pressure, w.gasO2)))
    return "At this temperature the water vapour leaves no O\u2082 pressure at that B.P.";
  if (c.massUnit >= 1 && c.massUnit <= 3 && !positive(c.mass)) return "The body mass must be greater than 0.";
  if (c.open && c.flowFromChannel && !positive(c.typedFlow)) return "The typed flow must be greater than 0.";
  if (energy(c) && !positive(c.flowcon)) return "The heat equivalence must be greater than 0.";
  return std::nullopt;
}

WaterFactor waterFactor(const WaterFields& w, const WaterChoices& c) {
  const float s = w.saturation * 0.01f;
  // Net O2 of the water flowing in (or held) per 1 % of full saturation.
  float F = w.net / 100.0f / s;
  if (c.massUnit == 1) F = F * 0.001f / c.mass;
  else if (c.massUnit == 2) F = F / c.mass;
  else if (c.massUnit == 3) F = F * 1000.0f / c.mass;
  F *= outputScale(c);
  WaterFactor out;
  switch (c.inputUnits) {
    case 2: {
      const float P = saturatedWaterPO2(w.temperature, w.pressure, w.gasO2);
      F *= 100.0f / P;
      out.R = P * w.saturation * 0.01f;
      break;
    }
    case 3: case 4: {
      // mg/L to per cent of full saturation: the saturated content is 103's at saturation s.
      const float saturatedMg = kMgPerMlO2 * w.perLitre / s;
      F *= 100.0f / saturatedMg;
      out.R = kMgPerMlO2 * w.perLitre;
      break;
    }
    default: out.R = w.saturation; break;
  }
  if (c.open) {
    if (c.negative) F = -F;
    if (perHour(c)) F *= 60.0f;
  }
  out.F = F;
  return out;
}

float closedRateFactor(int16_t outputUnits, float sampleInterval) {
  const bool hour = outputUnits == 5 || outputUnits == 6 || outputUnits == 9;
  return (hour ? 3600.0f : 60.0f) / sampleInterval;
}

void waterOpenPass(std::span<const float> o2, std::span<const float> flow, float typedFlow, const WaterFactor& f,
                   bool absolute, std::span<float> out) {
  const size_t n = std::min(o2.size(), out.size());
  // d = base + sign x: the reading, or the ambient level less the reading.
  const float base = absolute ? f.R : 0.0f, sign = absolute ? -1.0f : 1.0f;
  if (flow.empty()) {
    for (size_t i = 1; i < n; ++i) out[i] = (base + sign * o2[i]) * f.F;
    return;
  }
  const size_t m = std::min(n, flow.size());
  const float perTypedFlow = f.F / typedFlow;
  for (size_t i = 1; i < m; ++i) out[i] = flow[i] * (base + sign * o2[i]) * perTypedFlow;
  for (size_t i = std::max<size_t>(m, 1); i < n; ++i) out[i] = NAN;
}

void waterClosedPass(std::span<const float> o2, int16_t kind, float F, std::span<float> out) {
  const size_t n = std::min(o2.size(), out.size());
  for (size_t i = 1; i < n; ++i) out[i] = o2[i] * F;
  if (n < 2) return;
  if (kind == 3) {
    // Downwards, so each difference still sees its predecessor's content.
    for (size_t i = n - 1; i >= 2; --i) out[i] = out[i - 1] - out[i];
    out[1] = n > 2 ? out[2] : NAN;
  } else if (kind == 2) {
    // Relative to the first case that is a sample; gaps stay gaps.
    size_t first = 1;
    while (first < n && std::isnan(out[first])) ++first;
    if (first == n) return;
    const float reference = out[first];
    for (size_t i = first; i < n; ++i) out[i] = reference - out[i];
  }
}

std::string waterResultLabel(const WaterChoices& c) {
  static const char* const kRates[] = {"mL O2/min", "\u00b5L O2/min", "mmole O2/min", "\u00b5mole O2/min",
                                       "\u00b5L O2/hour", "\u00b5mole O2/hour", "milliwatts", "\u00b5watts",
                                       "Joules/hour"};
  static const char* const kAmounts[] = {"mL O2", "\u00b5L O2", "mmole O2", "\u00b5mole O2"};
  const bool rate = isRate(c);
  const int u = c.outputUnits;
  std::string label;
  if (rate) label = std::string("VO2 in ") + kRates[u >= 1 && u <= 9 ? u - 1 : 0];
  else label = kAmounts[u >= 1 && u <= 4 ? u - 1 : 0];
  if (!c.open && c.kind == 2) label += " used";
  static const char* const kMass[] = {" per mg", " per g", " per kg"};
  if (c.massUnit >= 1 && c.massUnit <= 3) label += kMass[c.massUnit - 1];
  return label;
}

}  // namespace qv
