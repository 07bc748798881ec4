#include "respirometry/effective_volume.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace qv {

WashoutVolumes washoutVolumes(std::span<const float> samples, int32_t first, int32_t last, float flow,
                              float intervalSeconds, std::span<float> volumes) {
  WashoutVolumes r;
  // The gas that flows through in one interval, negative so that dividing by the (negative)
  // logarithm of the fall gives a positive volume.
  const float k = float(double(flow) * -0.0166667) * intervalSeconds;
  double sum = 0.0;
  for (int32_t i = first; i < last; ++i) {
    const float a = float(double(samples[size_t(i)]) * 0.01);
    const float b = float(double(samples[size_t(i) + 1]) * 0.01);
    float v = kUnusableVolume;
    if (a > b && b > 0.0f) {
      const float q = (a - b) / a;
      const float L = float(std::log(double(1.0f - q)));
      const float volume = k / L;
      if (std::isfinite(volume) && volume > 0.0f) v = volume;
    }
    volumes[size_t(i - first)] = v;
    if (v == kUnusableVolume) {
      ++r.unusable;
    } else {
      sum += double(v);
      ++r.n;
    }
  }
  if (r.n == 0) return r;
  const double mean1 = sum / double(r.n);
  double ss = 0.0;
  float lo = 1.0E30f, hi = -1.0E30f;
  for (float v : volumes.first(size_t(last - first))) {
    if (v == kUnusableVolume) continue;
    ss += (double(v) - mean1) * (double(v) - mean1);
    lo = std::min(lo, v), hi = std::max(hi, v);
  }
  r.mean = mean1;
  r.sd = float(std::sqrt(ss / double(r.n)));
  r.min = lo, r.max = hi;
  return r;
}

WashoutDuration washoutDuration(int32_t pairs, float intervalSeconds) {
  WashoutDuration d;
  double t = double(pairs) * double(intervalSeconds);
  d.inMinutes = t > 600.0;
  if (d.inMinutes) t *= 0.0166667;
  char text[40];
  std::snprintf(text, sizeof text, " %.4g%s", t, d.inMinutes ? " min" : " sec");
  d.text = text;
  return d;
}

}  // namespace qv
