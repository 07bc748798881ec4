#include "stats/area_integral.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "stats/stats_state.h"
#include "stats/stats_text.h"

namespace qv {

namespace {

// Only the subset decides here; a case the subset row has no flag for is not included.
struct SubsetTest {
  bool on = false;
  const float* flags = nullptr;
  int32_t last = 0;
  explicit SubsetTest(const CaseFilters& f) : on(f.useSubset) {
    if (!on) return;
    flags = f.subset.data();
    last = f.subset.empty() ? 0 : int32_t(std::min<size_t>(f.subset.size() - 1, INT32_MAX));
  }
  bool includes(int32_t k) const { return !on || (k <= last && flags[k] == 1.0f); }
};

float sampleAt(std::span<const float> x, int32_t k) {
  return k >= 1 && size_t(k) < x.size() ? x[size_t(k)] : 0.0f;
}

// The range as far as the samples reach.
AreaRange withinSamples(std::span<const float> x, const AreaRange& r) {
  AreaRange c = r;
  const int64_t last = x.empty() ? 0 : int64_t(x.size()) - 1;
  if (c.end > last) c.end = int32_t(last);
  return c;
}

}  // namespace

bool baselineFromData(int16_t mode) { return mode >= kBaselineStart && mode <= kBaselineUser; }

AreaRange areaRange(int32_t blockBegin, int32_t blockEnd, int32_t a, int32_t b, bool rightSet,
                    int32_t cases) {
  const int64_t begin = int64_t(blockBegin) + std::max(a, 0);
  const int64_t end = rightSet ? int64_t(blockBegin) + std::max(b, 0) : int64_t(blockEnd);
  AreaRange r;
  r.begin = int32_t(std::clamp<int64_t>(begin, INT32_MIN, INT32_MAX));
  r.end = int32_t(std::clamp<int64_t>(std::min<int64_t>(end, cases), INT32_MIN, INT32_MAX));
  return r;
}

std::optional<double> areaUnitDivisor(int16_t unit, double intervalSeconds) {
  if (unitIsNone(unit)) return 1.0;
  if (!std::isfinite(intervalSeconds) || intervalSeconds <= 0.0) return std::nullopt;
  const double d = unitSeconds(unit) / intervalSeconds;
  if (!std::isfinite(d) || d <= 0.0) return std::nullopt;
  return d;
}

AreaBaseline areaBaseline(std::span<const float> samples, const AreaRange& r, int16_t mode,
                          double userBaseline) {
  AreaBaseline b;
  if (r.empty()) return b;
  const double first = sampleAt(samples, r.begin), last = sampleAt(samples, r.end);
  switch (mode) {
    case kBaselineStart: b.base = first; break;
    case kBaselineEnd: b.base = last; break;
    case kBaselineProportional:
      // A range of one case has no slope: its baseline is its value.
      b.base = first;
      b.slope = r.end > r.begin ? (last - first) / double(int64_t(r.end) - r.begin) : 0.0;
      break;
    case kBaselineUser: b.base = userBaseline; break;
    default: break;
  }
  if (!std::isfinite(b.base)) b.base = 0.0;
  if (!std::isfinite(b.slope)) b.slope = 0.0;
  return b;
}

AreaIntegral integrateArea(std::span<const float> samples, const AreaRange& range, int16_t mode,
                           double userBaseline, int16_t unit, double intervalSeconds,
                           const CaseFilters& filters) {
  AreaIntegral s;
  s.range = range;
  const std::optional<double> divisor = areaUnitDivisor(unit, intervalSeconds);
  s.badInterval = !divisor;
  if (range.empty()) return s;
  const AreaBaseline b = areaBaseline(samples, range, mode, userBaseline);
  s.baseAtBegin = float(b.base);
  s.baseAtEnd = float(b.at(range.begin, range.end));
  const AreaRange r = withinSamples(samples, range);
  const SubsetTest keep(filters);
  const float* x = samples.data();
  double sum = 0.0;
  int32_t n = 0;
  float lo = std::numeric_limits<float>::infinity(), hi = -lo;
  double base = b.base;
  for (int32_t k = r.begin; k <= r.end; ++k, base += b.slope) {
    const float v = x[k];
    if (!keep.includes(k) || !std::isfinite(v)) continue;
    sum += double(v) - base;
    ++n;
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  s.sum = sum;
  s.n = n;
  if (n > 0) {
    s.min = lo;
    s.max = hi;
  }
  if (divisor) s.integral = sum / *divisor;
  return s;
}

double scaledIntegral(double integral, int32_t n, const ResultScaling& s, int16_t mode,
                      int16_t unit, double intervalSeconds) {
  double v = s.factor * integral;
  if (!baselineFromData(mode) && s.addend != 0.0) {
    const std::optional<double> divisor = areaUnitDivisor(unit, intervalSeconds);
    v += divisor ? s.addend * double(std::max(n, 0)) / *divisor : NAN;
  }
  return v;
}

CumulativeSeries cumulativeArea(std::span<const float> samples, const AreaRange& range,
                                const AreaBaseline& b, const CaseFilters& filters,
                                std::span<float> out) {
  CumulativeSeries c;
  if (range.empty()) return c;
  AreaRange r = withinSamples(samples, range);
  if (int64_t(r.end) >= int64_t(out.size())) r.end = int32_t(int64_t(out.size()) - 1);
  const SubsetTest keep(filters);
  const float* x = samples.data();
  float* y = out.data();
  double sum = 0.0, lo = std::numeric_limits<double>::infinity(), hi = -lo;
  int32_t n = 0;
  double base = b.base;
  for (int32_t k = r.begin; k <= r.end; ++k, base += b.slope) {
    const float v = x[k];
    const bool in = keep.includes(k) && std::isfinite(v);
    if (in) sum += double(v) - base;
    y[k] = float(sum);
    if (!in) continue;
    ++n;
    lo = std::min(lo, double(y[k]));
    hi = std::max(hi, double(y[k]));
  }
  c.n = n;
  if (n > 0) {
    c.min = lo;
    c.max = hi;
  }
  return c;
}

double CurveScale::y(double v) const {
  const double span = max - min;
  if (!(span > 0.0) || !std::isfinite(span)) return (top + bottom) / 2.0;
  return bottom - (v - min) * (bottom - top) / span;
}

std::vector<CurvePoint> cumulativeCurve(std::span<const float> samples,
                                        std::span<const float> cumulative, const AreaRange& range,
                                        int32_t n, const CaseFilters& filters,
                                        const CurveScale& scale, int left, int right) {
  std::vector<CurvePoint> points;
  if (range.empty() || n < 1) return points;
  AreaRange r = withinSamples(cumulative, withinSamples(samples, range));
  const SubsetTest keep(filters);
  const double step = n > 1 ? double(right - left) / double(n - 1) : 0.0;
  const double x0 = n > 1 ? left : (left + right) / 2.0;
  // One column's first, lowest, highest and last case: the same pixels as every case.
  struct Column {
    int x = INT32_MIN;
    int32_t first = 0, low = 0, high = 0, last = 0;
  } col;
  auto flush = [&]() {
    if (col.x == INT32_MIN) return;
    int32_t ks[4] = {col.first, col.low, col.high, col.last};
    std::sort(ks + 1, ks + 3);
    for (int i = 0; i < 4; ++i) {
      if (i > 0 && ks[i] == ks[i - 1]) continue;
      points.push_back({double(col.x), scale.y(cumulative[size_t(ks[i])]), ks[i]});
    }
  };
  int32_t j = 0;
  for (int32_t k = r.begin; k <= r.end; ++k) {
    if (!keep.includes(k) || !std::isfinite(samples[size_t(k)])) continue;
    const float v = cumulative[size_t(k)];
    const int x = int(std::lround(x0 + step * double(j++)));
    if (x != col.x) {
      flush();
      col = {x, k, k, k, k};
      continue;
    }
    if (v < cumulative[size_t(col.low)]) col.low = k;
    if (v > cumulative[size_t(col.high)]) col.high = k;
    col.last = k;
  }
  flush();
  return points;
}

}  // namespace qv
