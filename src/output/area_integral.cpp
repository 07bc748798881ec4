#include "output/area_integral.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <cmath>
#include <limits>

#include "core/stats_state.h"
#include "output/stats_text.h"

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

// One pass over k = begin..end: the case is taken when its sample is finite and (with the
// subset on) its flag is 1.0. The baseline at k is base + slope x (k - begin). Written without
// branches on the data, so that a subset that keeps cases at random costs no mispredictions.
struct PassTotals {
  double sum = 0.0;
  int32_t n = 0;
  float lo = std::numeric_limits<float>::infinity(), hi = -std::numeric_limits<float>::infinity();
};

// Whether a sample is a finite number and a flag is 1.0, from their bits (no branch).
inline uint32_t finiteBit(float v) { return (std::bit_cast<uint32_t>(v) & 0x7f800000u) != 0x7f800000u; }
inline uint32_t oneBit(float f) { return std::bit_cast<uint32_t>(f) == 0x3f800000u; }
// d when taken, else +0.0.
inline double masked(double d, uint32_t taken) {
  return std::bit_cast<double>(std::bit_cast<uint64_t>(d) & (uint64_t(0) - uint64_t(taken)));
}
// v when taken, else the value that leaves a minimum (or maximum) as it is.
inline float orElse(float v, uint32_t taken, float other) {
  const uint32_t m = 0u - taken;
  return std::bit_cast<float>((std::bit_cast<uint32_t>(v) & m) | (std::bit_cast<uint32_t>(other) & ~m));
}

template <bool kSubset, bool kStore>
PassTotals takenPass(const float* x, const float* flags, int32_t begin, int32_t end, double base,
                     double slope, float* out) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  PassTotals t;
  double sum = 0.0;
  int32_t n = 0;
  float lo = t.lo, hi = t.hi;
  double i = 0.0;
  for (int32_t k = begin; k <= end; ++k, i += 1.0) {
    const float v = x[k];
    uint32_t in = finiteBit(v);
    if constexpr (kSubset) in &= oneBit(flags[k]);
    sum += masked(double(v) - (base + slope * i), in);
    n += int32_t(in);
    lo = std::min(lo, orElse(v, in, kInf));
    hi = std::max(hi, orElse(v, in, -kInf));
    if constexpr (kStore) {
      out[k] = float(sum);
    }
  }
  t.sum = sum;
  t.n = n;
  t.lo = lo;
  t.hi = hi;
  return t;
}

// The integral's pass: the sum of the values taken, their count and the sum of their offsets
// from the first case, from which the sum against any straight baseline follows; and their
// extremes. Nothing depends on the baseline, so the loop does the least a case.
struct ValueTotals {
  double sum = 0.0;
  int64_t offsets = 0;
  int32_t n = 0;
  float lo = std::numeric_limits<float>::infinity(), hi = -std::numeric_limits<float>::infinity();
};

template <bool kSubset>
ValueTotals valuePassScalar(const float* x, const float* flags, int32_t begin, int32_t end) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  ValueTotals t;
  double sum = 0.0;
  int64_t offsets = 0;
  int32_t n = 0;
  float lo = kInf, hi = -kInf;
  for (int32_t k = begin; k <= end; ++k) {
    const float v = x[k];
    uint32_t in = finiteBit(v);
    if constexpr (kSubset) in &= oneBit(flags[k]);
    sum += double(orElse(v, in, 0.0f));
    offsets += int64_t(k - begin) & (int64_t(0) - int64_t(in));
    n += int32_t(in);
    lo = std::min(lo, orElse(v, in, kInf));
    hi = std::max(hi, orElse(v, in, -kInf));
  }
  t.sum = sum;
  t.offsets = offsets;
  t.n = n;
  t.lo = lo;
  t.hi = hi;
  return t;
}

// Four cases at a time (the compiler's portable vectors, two double sums for the four lanes);
// the cases past the last four go through the scalar pass.
using V4f = float __attribute__((vector_size(16)));
using V4i = int32_t __attribute__((vector_size(16)));
using V2d = double __attribute__((vector_size(16)));

inline V4f select4(V4i mask, V4f a, V4f b) { return (V4f)(((V4i)a & mask) | ((V4i)b & ~mask)); }

template <bool kSubset>
ValueTotals valuePass(const float* x, const float* flags, int32_t begin, int32_t end) {
  const int64_t count = int64_t(end) - begin + 1;
  if (count < 8) return valuePassScalar<kSubset>(x, flags, begin, end);
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const V4i exponent = {0x7f800000, 0x7f800000, 0x7f800000, 0x7f800000};
  const V4i one = {0x3f800000, 0x3f800000, 0x3f800000, 0x3f800000};
  const V4f inf = {kInf, kInf, kInf, kInf};
  const int32_t wideEnd = int32_t(int64_t(begin) + count / 4 * 4);  // exclusive
  V2d sumA = {0.0, 0.0}, sumB = {0.0, 0.0};
  V4f lo = inf, hi = -inf;
  int64_t offsets = 0, n = 0;
  // Blocks of 1024 cases keep the lanes' counts and offsets well inside 32 bits.
  for (int32_t k0 = begin; k0 < wideEnd;) {
    const int32_t blockEnd = int32_t(std::min<int64_t>(wideEnd, int64_t(k0) + 1024));
    V4i counts = {0, 0, 0, 0}, offs = {0, 0, 0, 0};
    V4i at = {0, 1, 2, 3};
    for (int32_t k = k0; k < blockEnd; k += 4, at += 4) {
      V4f v;
      std::memcpy(&v, x + k, sizeof v);
      const V4i bits = (V4i)v;
      V4i taken = (bits & exponent) != exponent;
      if constexpr (kSubset) {
        V4f f;
        std::memcpy(&f, flags + k, sizeof f);
        taken &= (V4i)f == one;
      }
      const V4f kept = (V4f)(bits & taken);
      sumA += __builtin_convertvector(__builtin_shufflevector(kept, kept, 0, 1), V2d);
      sumB += __builtin_convertvector(__builtin_shufflevector(kept, kept, 2, 3), V2d);
      counts -= taken;
      offs += at & taken;
      const V4f low = select4(taken, v, inf), high = select4(taken, v, -inf);
      lo = select4((V4i)(low < lo), low, lo);
      hi = select4((V4i)(high > hi), high, hi);
    }
    const int64_t blockCount = int64_t(counts[0]) + counts[1] + counts[2] + counts[3];
    offsets += int64_t(offs[0]) + offs[1] + offs[2] + offs[3] + blockCount * (int64_t(k0) - begin);
    n += blockCount;
    k0 = blockEnd;
  }
  ValueTotals t;
  t.sum = (sumA[0] + sumA[1]) + (sumB[0] + sumB[1]);
  t.offsets = offsets;
  t.n = int32_t(n);
  t.lo = std::min(std::min(lo[0], lo[1]), std::min(lo[2], lo[3]));
  t.hi = std::max(std::max(hi[0], hi[1]), std::max(hi[2], hi[3]));
  if (wideEnd <= end) {
    const ValueTotals tail = valuePassScalar<kSubset>(x, flags, wideEnd, end);
    t.sum += tail.sum;
    t.offsets += tail.offsets + int64_t(tail.n) * (int64_t(wideEnd) - begin);
    t.n += tail.n;
    t.lo = std::min(t.lo, tail.lo);
    t.hi = std::max(t.hi, tail.hi);
  }
  return t;
}

template <bool kStore>
PassTotals takenPass(const SubsetTest& keep, const float* x, const AreaRange& r, double base, double slope,
                     float* out) {
  if (!keep.on) return takenPass<false, kStore>(x, nullptr, r.begin, r.end, base, slope, out);
  // Past the last flag nothing is taken, but the running sum is still written there.
  const int32_t flagged = std::min(r.end, keep.last);
  PassTotals t = takenPass<true, kStore>(x, keep.flags, r.begin, flagged, base, slope, out);
  if constexpr (kStore)
    for (int32_t k = std::max(flagged + 1, r.begin); k <= r.end; ++k) out[k] = float(t.sum);
  return t;
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
  const ValueTotals t = keep.on ? valuePass<true>(samples.data(), keep.flags, r.begin, std::min(r.end, keep.last))
                                : valuePass<false>(samples.data(), nullptr, r.begin, r.end);
  // Sum of (v - base - slope x offset) over the cases taken.
  const double sum = t.sum - double(t.n) * b.base - b.slope * double(t.offsets);
  const int32_t n = t.n;
  s.sum = sum;
  s.n = n;
  if (n > 0) {
    s.min = t.lo;
    s.max = t.hi;
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
  const PassTotals t = takenPass<true>(keep, samples.data(), r, b.base, b.slope, out.data());
  c.n = t.n;
  return c;
}

double CurveScale::y(double v) const {
  const double span = max - min;
  if (!(span > 0.0) || !std::isfinite(span)) return (top + bottom) / 2.0;
  return bottom - (v - min) * (bottom - top) / span;
}

namespace {

// One column's first, lowest, highest and last case: the same pixels as every case.
struct Column {
  int x;
  int32_t first, low, high, last;
};

// The columns of the cases taken: a new column starts when the count of cases taken reaches
// the next column's edge, so the pixel is worked out once a column, not once a case. A case
// not taken holds the running sum of the case taken before it, so the extremes need no test
// of whether a case was taken; only the last case does.
template <bool kSubset>
void curveColumns(const float* x, const float* flags, const float* y, int32_t begin, int32_t end, double x0,
                  double step, std::vector<Column>& columns) {
  int64_t taken = 0, nextEdge = 0;
  int px = INT32_MIN;
  int32_t first = 0, low = 0, high = 0, last = 0;
  float lowValue = 0.0f, highValue = 0.0f;
  for (int32_t k = begin; k <= end; ++k) {
    uint32_t in = finiteBit(x[k]);
    if constexpr (kSubset) in &= oneBit(flags[k]);
    const float v = y[k];
    if (in && taken >= nextEdge) [[unlikely]] {
      if (px != INT32_MIN) columns.push_back({px, first, low, high, last});
      px = int(std::lround(x0 + step * double(taken)));
      first = low = high = k;
      lowValue = highValue = v;
      const double edge = step > 0.0 ? std::ceil((px + 0.5 - x0) / step) : 9e18;
      nextEdge = std::max<int64_t>(int64_t(std::min(edge, 9e18)), taken + 1);
    }
    low = v < lowValue ? k : low;
    lowValue = std::min(v, lowValue);
    high = v > highValue ? k : high;
    highValue = std::max(v, highValue);
    last = in ? k : last;
    taken += in;
  }
  if (px != INT32_MIN) columns.push_back({px, first, low, high, last});
}

}  // namespace

CumulativeCurve cumulativeCurve(std::span<const float> samples, std::span<const float> cumulative,
                                const AreaRange& range, int32_t n, const CaseFilters& filters, int left,
                                int right) {
  CumulativeCurve curve;
  if (range.empty() || n < 1) return curve;
  const AreaRange r = withinSamples(cumulative, withinSamples(samples, range));
  const SubsetTest keep(filters);
  const double step = n > 1 ? double(right - left) / double(n - 1) : 0.0;
  const double x0 = n > 1 ? left : (left + right) / 2.0;
  std::vector<Column> columns;
  columns.reserve(size_t(std::max(right - left, 0)) + 2);
  const float* y = cumulative.data();
  if (keep.on)
    curveColumns<true>(samples.data(), keep.flags, y, r.begin, std::min(r.end, keep.last), x0, step, columns);
  else
    curveColumns<false>(samples.data(), nullptr, y, r.begin, r.end, x0, step, columns);

  double lo = std::numeric_limits<double>::infinity(), hi = -lo;
  for (const Column& c : columns) {
    int32_t ks[4] = {c.first, c.low, c.high, c.last};
    std::sort(ks + 1, ks + 3);
    // The extremes may lie on cases after the last one taken, which hold its sum.
    for (int i = 1; i < 3; ++i) ks[i] = std::min(ks[i], c.last);
    for (int i = 0; i < 4; ++i) {
      if (i > 0 && ks[i] == ks[i - 1]) continue;
      const double v = y[ks[i]];
      curve.points.push_back({double(c.x), v, ks[i]});
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  }
  if (!curve.points.empty()) {
    curve.min = lo;
    curve.max = hi;
  }
  return curve;
}

void curveToPixels(std::vector<IntegralPoint>& points, const CurveScale& scale) {
  for (IntegralPoint& p : points) p.y = scale.y(p.y);
}

}  // namespace qv
