#include "datafiles/resample.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qv {

double statedInterval(float interval) {
  char text[40];
  std::snprintf(text, sizeof text, "%.7g", double(interval));
  return std::strtod(text, nullptr);
}

int64_t CaseMapping::operator()(int64_t i) const {
  const double q = double(base) + double(i - first) * ratio;
  // Truncation is the floor of a non-negative position, and much cheaper in the hot loop.
  return q >= 0 ? int64_t(q + q * 1e-9) : int64_t(std::floor(q - q * 1e-9));
}

void placeSamples(const float* src, int32_t first, int32_t last, const CaseMapping& map, std::span<float> dst,
                  int64_t prev, int64_t keepThrough) {
  const int64_t end = int64_t(dst.size());
  for (int64_t i = first; i <= last; ++i) {
    const int64_t t = map(i);
    if (t < 0 || t <= keepThrough) continue;
    if (t >= end) break;
    dst[size_t(t)] = src[i];
    if (prev >= 0 && t > prev + 1) {
      const double a = dst[size_t(prev)], slope = (double(dst[size_t(t)]) - a) / double(t - prev);
      for (int64_t j = prev + 1; j < t; ++j) dst[size_t(j)] = float(a + slope * double(j - prev));
    }
    prev = std::max(prev, t);
  }
}

std::optional<int64_t> timeScaledCount(int32_t cases, float oldInterval, float newInterval) {
  const double a = statedInterval(oldInterval), b = statedInterval(newInterval);
  if (!(a > 0) || !(b > 0) || !std::isfinite(a) || !std::isfinite(b) || cases < 1) return std::nullopt;
  const double q = double(cases) * a / b;
  if (q > double(kMaxCases) * 2) return int64_t(kMaxCases) + 1;
  return CaseMapping{a / b, 0, 0}(cases);
}

TimeScaleRefusal adjustTimeScale(DataFile& f, float newInterval, SampleArray (*allocate)(int32_t)) {
  const std::optional<int64_t> count = timeScaledCount(f.nCases, f.meta.info[1], newInterval);
  if (!count) return TimeScaleRefusal::BadInterval;
  if (*count > kMaxCases) return TimeScaleRefusal::TooManyCases;
  if (*count < 1) return TimeScaleRefusal::NoCases;
  const int32_t n = int32_t(*count);
  std::vector<SampleArray> fresh(size_t(f.nChannels) + 1);
  for (auto& a : fresh)
    if (!(a = allocate(n))) return TimeScaleRefusal::NoMemory;

  const CaseMapping map{statedInterval(f.meta.info[1]) / statedInterval(newInterval), 0, 0};
  for (int c = 1; c <= f.nChannels; ++c) {
    const float* src = f.channels[size_t(c)].get();
    float* dst = fresh[size_t(c)].get();
    // Every position 0..n is written: each case's own position or a gap between two.
    // Case 0 holds no sample: the first sample stands in for it.
    dst[0] = src[1];
    placeSamples(src, 1, f.nCases, map, {dst, size_t(n) + 1}, 0);
  }
  std::fill_n(fresh[0].get(), size_t(n) + 1, 0.0f);
  for (int c = 0; c <= f.nChannels; ++c) f.channels[size_t(c)] = std::move(fresh[size_t(c)]);
  for (Marker& m : f.meta.markers) m.kase = int32_t(std::clamp<int64_t>(map(m.kase), 1, n));
  f.nCases = n;
  f.meta.info[1] = newInterval;
  return TimeScaleRefusal::None;
}

}  // namespace qv
