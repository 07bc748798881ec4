#include "editing/spikes.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <vector>

namespace qv::spikes {

namespace {

// The range kept inside the span: every case scanned has both neighbours in it.
Range within(std::span<const float> x, Range r) {
  r.first = std::max(r.first, 1);
  r.last = std::min<int64_t>(r.last, int64_t(x.size()) - 2);
  return r;
}

float trimmed(float v, const TrimLimits& t) {
  float out = v;
  if (v > t.upLimit) out = t.upValue;
  if (v < t.lowLimit) out = t.lowValue;
  return out;
}

bool sameBits(float a, float b) { return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b); }

bool replaceIfSpike(std::span<float> x, int32_t i, float threshold, int direction) {
  const float p = x[size_t(i) - 1], c = x[size_t(i)], n = x[size_t(i) + 1];
  if (!isSpike(p, c, n, threshold, direction)) return false;
  x[size_t(i)] = (p + n) * 0.5f;
  return true;
}

// Cases to look at in the next pass: after a change at i, i - 1 (its right neighbour moved)
// and i itself. Changes come in ascending order, so the list stays sorted without repeats.
void noteChange(std::vector<int32_t>& next, int32_t i, int32_t first) {
  if (i - 1 >= first && (next.empty() || next.back() < i - 1)) next.push_back(i - 1);
  if (next.empty() || next.back() < i) next.push_back(i);
}

}  // namespace

Range scanRange(int32_t from, int32_t to, int32_t nCases) {
  return {std::max(from, 2), std::min(to, nCases - 1)};
}

bool isSpike(float p, float c, float n, float threshold, int direction) {
  const bool up = c > p && c > n, down = c < p && c < n;
  const bool candidate = direction == kUpOnly ? up : direction == kDownOnly ? down : (up || down);
  return candidate && std::fabs(c - p) >= threshold && std::fabs(c - n) >= threshold;
}

int32_t firstSpike(std::span<const float> x, Range r, float threshold, int direction) {
  const Range w = within(x, r);
  for (int32_t i = w.first; i <= w.last; ++i)
    if (isSpike(x[size_t(i) - 1], x[size_t(i)], x[size_t(i) + 1], threshold, direction)) return i;
  return r.last + 1;
}

int64_t spikePass(std::span<float> x, Range r, float threshold, int direction) {
  const Range w = within(x, r);
  int64_t count = 0;
  for (int32_t i = w.first; i <= w.last; ++i) count += replaceIfSpike(x, i, threshold, direction) ? 1 : 0;
  return count;
}

int64_t spikeSweep(std::span<float> x, Range r, float threshold, int direction,
                   const std::function<bool(int64_t, int64_t, size_t)>& afterPass) {
  const Range w = within(x, r);
  if (w.first > w.last) return 0;
  std::vector<int32_t> current, next;
  int64_t count = 0;
  // The first pass looks at every case; the case after a change is looked at anyway.
  for (int32_t i = w.first; i <= w.last; ++i)
    if (replaceIfSpike(x, i, threshold, direction)) {
      ++count;
      noteChange(next, i, w.first);
    }
  int64_t total = count, passes = 1;
  // A case none of whose three samples moved since it was last looked at gives the same
  // answer again: each later pass looks only at the cases listed by the pass before and at
  // the case after each change of its own, in ascending order as the full pass would.
  while (count > 0) {
    if (afterPass && !afterPass(passes, total, next.size())) break;
    current.swap(next);
    next.clear();
    count = 0;
    size_t k = 0;
    int32_t forced = 0;
    for (;;) {
      int32_t i;
      if (forced != 0) {
        i = forced;
        forced = 0;
        if (k < current.size() && current[k] == i) ++k;
      } else if (k < current.size()) {
        i = current[k++];
      } else {
        break;
      }
      if (!replaceIfSpike(x, i, threshold, direction)) continue;
      ++count;
      noteChange(next, i, w.first);
      if (i < w.last) forced = i + 1;
    }
    total += count;
    ++passes;
  }
  return total;
}

int64_t trim(std::span<float> x, int32_t first, int32_t last, const TrimLimits& t) {
  first = std::max(first, 1);
  last = std::min<int64_t>(last, int64_t(x.size()) - 1);
  int64_t count = 0;
  for (int32_t i = first; i <= last; ++i) {
    const float out = trimmed(x[size_t(i)], t);
    if (!sameBits(out, x[size_t(i)])) ++count;
    x[size_t(i)] = out;
  }
  return count;
}

bool trimWouldChange(std::span<const float> x, int32_t first, int32_t last, const TrimLimits& t) {
  first = std::max(first, 1);
  last = std::min<int64_t>(last, int64_t(x.size()) - 1);
  for (int32_t i = first; i <= last; ++i)
    if (!sameBits(trimmed(x[size_t(i)], t), x[size_t(i)])) return true;
  return false;
}

int64_t absoluteValue(std::span<float> x, int32_t first, int32_t last) {
  first = std::max(first, 1);
  last = std::min<int64_t>(last, int64_t(x.size()) - 1);
  int64_t count = 0;
  for (int32_t i = first; i <= last; ++i) {
    const uint32_t bits = std::bit_cast<uint32_t>(x[size_t(i)]);
    count += bits >> 31;
    x[size_t(i)] = std::bit_cast<float>(bits & 0x7fffffffu);
  }
  return count;
}

bool absoluteWouldChange(std::span<const float> x, int32_t first, int32_t last) {
  first = std::max(first, 1);
  last = std::min<int64_t>(last, int64_t(x.size()) - 1);
  for (int32_t i = first; i <= last; ++i)
    if (std::signbit(x[size_t(i)])) return true;
  return false;
}

}  // namespace qv::spikes
