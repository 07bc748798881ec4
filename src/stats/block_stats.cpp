#include "stats/block_stats.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace qv {

namespace {

template <class Keep>
void twoPasses(const float* x, BlockStats& s, Keep keep) {
  double sum = 0.0;
  int32_t n = 0;
  for (int32_t k = s.begin; k <= s.end; ++k) {
    const float v = x[k];
    if (keep(k, v)) {
      sum += double(v);
      ++n;
    }
  }
  s.n = n;
  s.sum = sum;
  if (n == 0) return;
  const double mean = sum / double(n);
  double squares = 0.0;
  float lo = std::numeric_limits<float>::infinity();
  float hi = -std::numeric_limits<float>::infinity();
  float last = 0.0f;
  for (int32_t k = s.begin; k <= s.end; ++k) {
    const float v = x[k];
    if (keep(k, v)) {
      const double d = double(v) - mean;
      squares += d * d;
      hi = v > hi ? v : hi;
      lo = v < lo ? v : lo;
      last = v;
    }
  }
  s.mean = mean;
  s.sd = float(std::sqrt(squares / double(n)));
  s.min = lo;
  s.max = hi;
  s.lastValue = last;
}

}  // namespace

BlockStats blockStats(std::span<const float> samples, int32_t begin, int32_t end,
                      const CaseFilters& filters, const ValueWindow& window) {
  BlockStats s;
  s.begin = std::max(begin, int32_t(1));
  int64_t last = samples.empty() ? 0 : int64_t(samples.size()) - 1;
  last = std::min<int64_t>(last, filters.lastCase());
  s.end = int32_t(std::min<int64_t>(end, last));
  if (s.begin > s.end) return s;

  // A sample that is not a finite number (a gap in the recording, a failed conversion) is
  // no case: counted in n it would turn the mean, S.D. and total into "**" beside a range
  // that still looks sound.
  const float* x = samples.data();
  const float lower = window.lower, upper = window.upper;
  if (!filters.active() && !window.on)
    twoPasses(x, s, [](int32_t, float v) { return std::isfinite(v); });
  else if (!window.on)
    twoPasses(x, s, [&](int32_t k, float v) { return std::isfinite(v) && filters.includes(k); });
  else
    twoPasses(x, s, [&](int32_t k, float v) {
      return std::isfinite(v) && lower <= v && v <= upper && filters.includes(k);
    });
  s.tooFewInWindow = window.on && s.n < 3;
  return s;
}

}  // namespace qv
