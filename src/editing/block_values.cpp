#include "editing/block_values.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {

struct Bounds {
  int64_t first, last;
};
Bounds inside(std::span<const float> channel, int64_t first, int64_t last, int64_t lowest) {
  return {std::max(first, lowest), std::min<int64_t>(last, int64_t(channel.size()) - 1)};
}

}  // namespace

void setBlockValue(std::span<float> channel, int32_t first, int32_t last, float v) {
  const Bounds b = inside(channel, first, last, 0);
  for (int64_t i = b.first; i <= b.last; ++i) channel[size_t(i)] = v;
}

std::optional<ValueRange> blockRange(std::span<const float> channel, int32_t first, int32_t last) {
  const Bounds b = inside(channel, first, last, 1);
  std::optional<ValueRange> r;
  for (int64_t i = b.first; i <= b.last; ++i) {
    const float x = channel[size_t(i)];
    if (!std::isfinite(x)) continue;
    if (!r) r = ValueRange{x, x};
    r->low = std::min(r->low, x);
    r->high = std::max(r->high, x);
  }
  return r;
}

std::optional<BlockScale> blockScale(ValueRange from, double upper, double lower) {
  const double width = double(from.high) - double(from.low);
  if (!(width > 0) || !std::isfinite(upper) || !std::isfinite(lower)) return std::nullopt;
  const double k = (upper - lower) / width;
  if (!std::isfinite(k)) return std::nullopt;
  return BlockScale{k, from.low, lower};
}

void applyBlockScale(std::span<float> channel, int32_t first, int32_t last, BlockScale s) {
  const Bounds b = inside(channel, first, last, 1);
  for (int64_t i = b.first; i <= b.last; ++i) {
    float& x = channel[size_t(i)];
    if (std::isfinite(x)) x = float(s.lower + (double(x) - s.from) * s.k);
  }
}

}  // namespace qv
