#pragma once
// The found window as the analysis window shows it: which question a code asks, the limits a
// scan runs with, the statistics of the window and its caption.
#include <cstdint>
#include <span>
#include <string>

#include "stats/block_stats.h"
#include "stats/block_value_range.h"
#include "stats/interval_scan.h"

namespace qv {

// 13, 14, 19, 22 (overall slope) or 47 (22 point-to-point).
ScanKind scanKindOf(int16_t code);

// A limit whose switch is off is the block's own extreme on the scanned channel.
ScanLimits scanLimits(bool lowerOn, float lower, bool upperOn, float upper, const ValueRange& block);

// Statistics of cases first .. first + points - 1 over the values the scan counted: those the
// limits that are on keep, less the interpolated cases when they are avoided.
BlockStats scanWindowStats(std::span<const float> samples, int32_t first, int32_t points,
                           const CaseFilters& interpolation, const ScanLimits& limits);

// "Minimum for channel 1 at cases 102 to 161": the cases counted as the block window's title
// counts them.
std::string scanCaption(int16_t code, int16_t channel, int32_t first, int32_t points);
constexpr const char* kNoWindowCaption = "No window found";

}  // namespace qv
