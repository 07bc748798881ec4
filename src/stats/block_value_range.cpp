#include "stats/block_value_range.h"

#include <algorithm>
#include <cmath>

namespace qv {

ValueRange blockValueRange(std::span<const float> samples, int32_t begin, int32_t end) {
  ValueRange r;
  begin = std::max(begin, int32_t(1));
  const int64_t last = std::min<int64_t>(end, int64_t(samples.size()) - 1);
  for (int64_t k = begin; k <= last; ++k) {
    const float v = samples[size_t(k)];
    // A gap is no sample: seeding the range with it would make every comparison false.
    if (!std::isfinite(v)) continue;
    if (!r.valid) {
      r = {true, v, v};
      continue;
    }
    r.min = v < r.min ? v : r.min;
    r.max = v > r.max ? v : r.max;
  }
  return r;
}

}  // namespace qv
