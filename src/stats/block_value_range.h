#pragma once
// The block's own value range, which the value window of the descriptive statistics and the
// histograms start from.
#include <cstdint>
#include <span>

namespace qv {

// Smallest and largest sample of samples[begin..end], every case read (no filter): the value
// range of the block as the block window shows it. Gaps and infinities neither seed nor move
// it; not valid when the range holds no finite sample.
struct ValueRange {
  bool valid = false;
  float min = 0.0f, max = 0.0f;
};
ValueRange blockValueRange(std::span<const float> samples, int32_t begin, int32_t end);

}  // namespace qv
