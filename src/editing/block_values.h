#pragma once
// Setting blocks of a channel to one value and rescaling a channel so that a block's range
// becomes a chosen one, apart from their windows.
#include <cstdint>
#include <optional>
#include <span>

namespace qv {

// Sets entries first..last (kept inside 0..nCases) to v.
void setBlockValue(std::span<float> channel, int32_t first, int32_t last, float v);

// The lowest and highest sample of first..last (kept inside 1..nCases), gaps left out; none
// when the block holds no sample.
struct ValueRange {
  float low = 0, high = 0;
};
std::optional<ValueRange> blockRange(std::span<const float> channel, int32_t first, int32_t last);

// The linear map that takes the block range [from.low, from.high] onto [lower, upper]:
// x' = lower + (x - from.low) * k. None when the range is flat or the result would not be a
// finite number.
struct BlockScale {
  double k = 1, from = 0, lower = 0;
};
std::optional<BlockScale> blockScale(ValueRange from, double upper, double lower);

// Applies the map to entries first..last (kept inside 1..nCases); gaps stay gaps.
void applyBlockScale(std::span<float> channel, int32_t first, int32_t last, BlockScale s);

}  // namespace qv
