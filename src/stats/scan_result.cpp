#include "stats/scan_result.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "runtime/numtext.h"

namespace qv {

ScanKind scanKindOf(int16_t code) {
  switch (code) {
    case 13: return ScanKind::MeanMinimum;
    case 14: return ScanKind::MeanMaximum;
    case 19: return ScanKind::MostLevel;
    case 47: return ScanKind::MostVariablePoints;
    default: return ScanKind::MostVariableSlope;
  }
}

ScanLimits scanLimits(bool lowerOn, float lower, bool upperOn, float upper, const ValueRange& block) {
  ScanLimits l;
  l.lowerOn = lowerOn;
  l.upperOn = upperOn;
  l.lower = lowerOn ? lower : block.min;
  l.upper = upperOn ? upper : block.max;
  return l;
}

BlockStats scanWindowStats(std::span<const float> samples, int32_t first, int32_t points,
                           const CaseFilters& interpolation, const ScanLimits& limits) {
  constexpr float inf = std::numeric_limits<float>::infinity();
  // A switch that is off excludes nothing, on this channel or on another one shown later.
  const ValueWindow window{true, limits.lowerOn ? limits.lower : -inf, limits.upperOn ? limits.upper : inf};
  const int64_t last = int64_t(first) + (points > 0 ? points : 1) - 1;
  BlockStats s = blockStats(samples, first, int32_t(std::min<int64_t>(last, INT32_MAX)), interpolation, window);
  s.tooFewInWindow = false;
  return s;
}

std::string scanCaption(int16_t code, int16_t channel, int32_t first, int32_t points) {
  const char* word = code == 22 || code == 47 ? "Most variable"
                     : code == 19               ? "Most level"
                     : code == 13               ? "Minimum"
                                                : "Maximum";
  return std::string(word) + " for channel" + rt::PSstrLong(channel) + " at cases" + rt::PSstrLong(int64_t(first) + 1) +
         " to" + rt::PSstrLong(int64_t(first) + points);
}

}  // namespace qv
