#include "core/results_scaling.h"

#include <algorithm>
#include <cmath>

#include "runtime/numtext.h"

namespace qv {

float scalingFactorArray[kMaxChannels + 1][7] = {};
int16_t Rscale = 0;

void resetResultScaling() {
  for (int k = 1; k <= kMaxChannels; ++k) {
    scalingFactorArray[k][1] = 1.0f;
    scalingFactorArray[k][2] = 1.0f;
    scalingFactorArray[k][3] = 0.0f;
  }
}

namespace {
// The program starts with every channel unscaled, before the start-up defaults run again.
// Word 4 is the channel's Y scale mode: normal scaling.
[[maybe_unused]] const bool gScalingAtStart = (resetResultScaling(), [] {
  for (int k = 0; k <= kMaxChannels; ++k) scalingFactorArray[k][4] = 2.0f;
  return true;
}());
}  // namespace

ResultScaling scalingFromWords(float operation, float factor, float constant) {
  ResultScaling s;
  s.factor = operation != 0.0f ? double(factor) : 1.0 / double(factor);
  s.addend = constant;
  return s;
}

ResultScaling scalingFor(int channel) {
  if (Rscale != 1 || channel < 1 || channel > kMaxChannels) return {};
  const float* w = scalingFactorArray[channel];
  return scalingFromWords(w[1], w[2], w[3]);
}

namespace {

bool blank(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' ' || c == '\t'; });
}

// A typed number that survives as a finite 32-bit word.
bool wordFromText(std::string_view text, float& out) {
  double v = 0;
  if (!rt::PSvalStrict(text, v)) return false;
  const float f = float(v);
  if (!std::isfinite(f)) return false;
  out = f;
  return true;
}

}  // namespace

ScalingCheck checkScalingEntry(int channel, const ScalingEntry& entry) {
  ScalingCheck r;
  const std::string ch = "channel " + std::to_string(channel);
  float factor = 0, constant = 0;
  if (!wordFromText(entry.factor, factor)) {
    r.message = "The factor of " + ch + " is not a number.";
    return r;
  }
  if (entry.operation == 0.0f && factor == 0.0f) {
    r.message = "The results of " + ch + " cannot be divided by 0.";
    return r;
  }
  if (!blank(entry.constant) && !wordFromText(entry.constant, constant)) {
    r.message = "The constant of " + ch + " is not a number.";
    return r;
  }
  r.accepted = true;
  r.words = {entry.operation, factor, constant};
  return r;
}

ScalingCommit commitScalingEntries(std::span<const ScalingEntry> entries,
                                   std::span<const ScalingWords> before) {
  const size_t n = std::min<size_t>(entries.size(), kMaxChannels);
  ScalingWords accepted[kMaxChannels + 1];
  ScalingCommit c;
  for (size_t i = 0; i < n; ++i) {
    const int channel = int(i) + 1;
    ScalingCheck k = checkScalingEntry(channel, entries[i]);
    if (!k.accepted) {
      c.channel = channel;
      c.message = k.message;
      for (size_t ch = 1; ch < before.size() && ch <= size_t(kMaxChannels); ++ch) {
        scalingFactorArray[ch][1] = before[ch].operation;
        scalingFactorArray[ch][2] = before[ch].factor;
        scalingFactorArray[ch][3] = before[ch].constant;
      }
      return c;
    }
    accepted[channel] = k.words;
  }
  for (size_t ch = 1; ch <= n; ++ch) {
    scalingFactorArray[ch][1] = accepted[ch].operation;
    scalingFactorArray[ch][2] = accepted[ch].factor;
    scalingFactorArray[ch][3] = accepted[ch].constant;
  }
  c.accepted = true;
  return c;
}

void saveScalingWords(std::span<ScalingWords> out) {
  for (size_t ch = 1; ch < out.size() && ch <= size_t(kMaxChannels); ++ch)
    out[ch] = {scalingFactorArray[ch][1], scalingFactorArray[ch][2], scalingFactorArray[ch][3]};
}

}  // namespace qv
