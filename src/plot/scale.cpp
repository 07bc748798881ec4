#include "plot/scale.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "plot/float_lanes.h"

namespace qv::plot {

int16_t scaleModeOf(float word) {
  return int16_t(std::isfinite(word) ? std::clamp(std::trunc(word), -32768.0f, 32767.0f) : float(kNormalScale));
}

namespace {

bool finite(float v) { return std::fabs(v) <= FLT_MAX; }

// A float from a double that may lie beyond the float range.
float toFloat(double v) { return float(std::clamp(v, -double(FLT_MAX), double(FLT_MAX))); }

struct Row {
  int16_t lines;
  float length;  // scale length in units of P / 10
};

// Indexed by trunc(S), 1..10.
constexpr Row kRows[11] = {{0, 0},   {6, 1.5f}, {4, 2},  {4, 4},  {5, 5},  {5, 5},
                           {6, 6},   {7, 7},    {4, 8},  {5, 10}, {6, 12}};

}  // namespace

Extremes scanExtremes(const float* samples, int32_t first, int32_t last) {
  using namespace lanes;
  Extremes e;
  if (!samples || last < first) return e;
  float mn = e.min, mx = e.max;
  int64_t count = 0;
  int32_t k = first;
  if (int64_t(last) - first >= 15) {
    const F4 big = splat(FLT_MAX);
    F4 lmn = splat(mn), lmx = splat(mx);
    I4 finiteLanes = splat(0);
    // Lanes count to at most a quarter of the cases; they are added up in 64 bits.
    for (; k <= last - 3; k += 4) {
      const F4 v = load(samples + k);
      const I4 above = v >= -big, below = v <= big;
      lmn = select((v < lmn) & above, v, lmn);
      lmx = select((v > lmx) & below, v, lmx);
      finiteLanes -= above & below;
    }
    for (int l = 0; l < 4; ++l) {
      mn = std::min(mn, lmn[l]);
      mx = std::max(mx, lmx[l]);
      count += finiteLanes[l];
    }
  }
  for (; k <= last; ++k) {
    const float v = samples[k];
    if (!finite(v)) continue;
    ++count;
    if (v > mx) mx = v;
    if (v < mn) mn = v;
  }
  // Case by case the first of equal extremes stays; only a zero can tell which lane held it.
  const auto firstZero = [&](float z) {
    for (int32_t i = first; i <= last; ++i)
      if (samples[i] == 0.0f) return samples[i];
    return z;
  };
  if (mn == 0.0f) mn = firstZero(mn);
  if (mx == 0.0f) mx = firstZero(mx);
  e.min = mn;
  e.max = mx;
  e.finite = count;
  return e;
}

RoundedScale roundScale(float minimumValue, float maximumValue, float r) {
  RoundedScale out;
  if (!(r > 0) || !finite(r)) return out;
  double P = 1e-21;
  for (int k = -21; k <= 38 && P < r; ++k) P = std::pow(10.0, k + 1);
  double S = 10.0 * r / P;
  // A range below the table's smallest step has no row: the caller keeps its margins.
  if (!(S >= 1)) return out;
  for (int guard = 0; guard < 400; ++guard) {
    const int t = std::clamp(int(std::trunc(S)), 1, 10);
    const Row& row = kRows[t];
    const float T = float(row.length * P / 10.0);
    const float g = float(double(T) / row.lines);
    const float bottom = std::floor(minimumValue / g) * g;
    const float top = bottom + T;
    out.span = float(S);
    if (top >= maximumValue) {
      out.bottom = bottom;
      out.top = top;
      out.lines = row.lines;
      out.ok = finite(bottom) && finite(top);
      return out;
    }
    S += S < 1.5 ? 0.5 : 1.0;
    if (S > 10) {
      P *= 10;
      S /= 10;
    }
  }
  return out;
}

Scale scaleFor(const Extremes& e, int mode, const Scale& previous) {
  Scale s = previous;
  if (e.finite == 0) {
    // Nothing to scale by: a plain unit scale rather than the sentinels of the scan.
    if (mode != kFixedLimits) {
      s.minimumValue = 0;
      s.maximumValue = 1;
    }
    s.range = mode == kFixedLimits ? toFloat(double(s.maximumValue) - s.minimumValue) : 1.0f;
    return s;
  }
  // Single precision as the scale is kept; sums that leave the float range are held at
  // its edge rather than turned into infinities.
  const float r0 = toFloat(double(e.max) - e.min);
  s.range = r0;
  if (mode == kFixedLimits) return s;

  const float m = 0.05f * r0;
  float hi = toFloat(double(e.max) + m), lo = toFloat(double(e.min) - m);
  if (mode == kIncludeZero && !(lo < 0 && hi > 0)) {
    if (hi >= 0) {
      lo = -hi / 10;
      hi = toFloat(1.1 * double(hi));
    } else {
      hi = -lo / 10;
      lo = toFloat(1.1 * double(lo));
    }
    s.range = toFloat(double(hi) - lo);
  }
  s.maximumValue = hi;
  s.minimumValue = lo;

  if (e.max > 1e20f || e.min < -1e20f || s.range == 0 || (mode != kIncludeZero && mode != kNormalScale)) return s;
  const RoundedScale rs = roundScale(s.minimumValue, s.maximumValue, s.range);
  if (rs.span > 0) s.span = rs.span;
  if (!rs.ok) return s;
  s.minimumValue = rs.bottom;
  s.maximumValue = rs.top;
  s.plotLines = rs.lines;
  return s;
}

DrawScale drawScale(float minimumValue, float maximumValue) {
  DrawScale d;
  const double lo = minimumValue, hi = maximumValue;
  if (!finite(minimumValue)) return d;
  d.low = lo;
  d.high = (finite(maximumValue) && hi > lo) ? hi : lo + 1;
  if (!(d.high > d.low)) d.high = d.low + std::max(1.0, std::fabs(d.low) * 1e-6);
  return d;
}

double gridLabelValue(const DrawScale& s, int i, int lines) {
  const double v = s.high - i * s.range() / std::max(lines, 1);
  return std::fabs(v) < 1e-7 ? 0.0 : v;
}

}  // namespace qv::plot
