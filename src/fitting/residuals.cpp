#include "fitting/residuals.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "runtime/numtext.h"

namespace qv {

namespace {

// One case of a fit's residuals; the one place they are worked out, so the columns kept, the
// ranges and the plot agree to the bit.
struct ResidualCase {
  float x, y, predicted, residual;
};

// Reads the cases of a fit; `usable` is false when the fit has no case in the values given.
struct FitCases {
  const LineFit& fit;
  std::span<const float> y, x;
  size_t n = 0;
  bool usable = false;

  FitCases(const LineFit& f, std::span<const float> yv, std::span<const float> xv) : fit(f), y(yv), x(xv) {
    const int64_t last = std::min<int64_t>(fit.end, int64_t(y.size()) - 1);
    usable = !(fit.begin < 1 || last < fit.begin || (!fit.againstTime && int64_t(x.size()) <= last));
    if (usable) n = size_t(last - fit.begin + 1);
  }

  ResidualCase at(size_t i) const {
    const size_t k = size_t(fit.begin) + i;
    const float xv = fit.againstTime ? float(double(i) * double(fit.dt)) : x[k];
    const float yv = y[k];
    const float p = float(double(fit.b) * double(xv) + double(fit.a));
    return {xv, yv, p, float(double(yv) - double(p))};
  }
};

// Ranges and count of r, the columns left as they are.
template <class Keep>
FitResiduals residualsOf(const FitCases& c, Keep&& keep) {
  FitResiduals r;
  r.againstTime = c.fit.againstTime;
  r.begin = c.fit.begin;
  if (!c.usable) return r;
  r.cases = c.n;
  float rmin = INFINITY, xmin = INFINITY, rmax = -INFINITY, xmax = -INFINITY;
  bool any = false;
  for (size_t i = 0; i < c.n; ++i) {
    const ResidualCase v = c.at(i);
    keep(i, v);
    if (!std::isfinite(v.residual)) continue;
    any = true;
    rmin = std::min(rmin, v.residual);
    rmax = std::max(rmax, v.residual);
    xmin = std::min(xmin, v.x);
    xmax = std::max(xmax, v.x);
  }
  r.rmin = rmin, r.rmax = rmax, r.xmin = xmin, r.xmax = xmax, r.any = any;
  return r;
}

// The ranges of residualsOf, four cases at a time. Each case's values are worked out as FitCases
// does, to the bit; a smallest or largest value is the same whichever lane finds it, but for the
// sign of a zero: std::min and std::max keep the first of equals, so a zero is taken again from
// the first case holding one.
using Floats4 = float __attribute__((vector_size(16)));
using Doubles4 = double __attribute__((vector_size(32)));
using Lanes4 = int32_t __attribute__((vector_size(16)));

FitResiduals rangesOf(const FitCases& c) {
  FitResiduals r;
  r.againstTime = c.fit.againstTime;
  r.begin = c.fit.begin;
  if (!c.usable) return r;
  r.cases = c.n;
  const Floats4 up = {INFINITY, INFINITY, INFINITY, INFINITY}, down = -up;
  Floats4 rmin = up, xmin = up, rmax = down, xmax = down;
  Lanes4 any = {0, 0, 0, 0};
  const double a = double(c.fit.a), b = double(c.fit.b), dt = double(c.fit.dt);
  Doubles4 elapsed = {0.0, 1.0, 2.0, 3.0};
  size_t i = 0;
  for (; i + 4 <= c.n; i += 4, elapsed += 4.0) {
    const size_t k = size_t(c.fit.begin) + i;
    Floats4 xv, yv;
    if (c.fit.againstTime) xv = __builtin_convertvector(elapsed * dt, Floats4);
    else std::memcpy(&xv, c.x.data() + k, sizeof xv);
    std::memcpy(&yv, c.y.data() + k, sizeof yv);
    const Floats4 p = __builtin_convertvector(b * __builtin_convertvector(xv, Doubles4) + a, Floats4);
    const Floats4 res =
        __builtin_convertvector(__builtin_convertvector(yv, Doubles4) - __builtin_convertvector(p, Doubles4), Floats4);
    const Lanes4 finite = (res - res) == 0.0f;
    any |= finite;
    const Floats4 rlo = finite ? res : up, rhi = finite ? res : down, xlo = finite ? xv : up, xhi = finite ? xv : down;
    rmin = rlo < rmin ? rlo : rmin;
    rmax = rhi > rmax ? rhi : rmax;
    xmin = xlo < xmin ? xlo : xmin;
    xmax = xhi > xmax ? xhi : xmax;
  }
  float lo = INFINITY, hi = -INFINITY, xl = INFINITY, xh = -INFINITY;
  bool found = false;
  for (int lane = 0; lane < 4; ++lane) {
    found = found || any[lane] != 0;
    lo = std::min(lo, rmin[lane]), hi = std::max(hi, rmax[lane]);
    xl = std::min(xl, xmin[lane]), xh = std::max(xh, xmax[lane]);
  }
  for (; i < c.n; ++i) {
    const ResidualCase v = c.at(i);
    if (!std::isfinite(v.residual)) continue;
    found = true;
    lo = std::min(lo, v.residual), hi = std::max(hi, v.residual);
    xl = std::min(xl, v.x), xh = std::max(xh, v.x);
  }
  float* const ends[] = {&lo, &hi, &xl, &xh};
  bool zero[4], wanted = false;
  for (int e = 0; e < 4; ++e) wanted = (zero[e] = *ends[e] == 0.0f) || wanted;
  for (size_t j = 0; wanted && j < c.n; ++j) {
    const ResidualCase v = c.at(j);
    if (!std::isfinite(v.residual)) continue;
    wanted = false;
    for (int e = 0; e < 4; ++e) {
      const float value = e < 2 ? v.residual : v.x;
      if (zero[e] && value == 0.0f) *ends[e] = value, zero[e] = false;
      wanted = wanted || zero[e];
    }
  }
  r.rmin = lo, r.rmax = hi, r.xmin = xl, r.xmax = xh, r.any = found;
  return r;
}

// The dots of every case with a residual; xAt(i) and residualAt(i) give the case's X and residual.
// Each case marks the corner of its dot in a grid wide enough for the dots that begin off the
// mask; the dots are spread once at the end, whatever the count of cases.
template <class Case>
std::vector<uint8_t> maskOf(size_t n, bool againstTime, float xmin, float rmax, const ResidualScale& s, int dotSize,
                            Case&& caseAt) {
  std::vector<uint8_t> mask(size_t(kResidualMaskWidth) * kResidualMaskHeight, 0);
  if (dotSize < 1) return mask;
  const int gw = kResidualMaskWidth + dotSize - 1, gh = kResidualMaskHeight + dotSize - 1;
  std::vector<uint8_t> corners(size_t(gw) * size_t(gh), 0);
  for (size_t i = 0; i < n; ++i) {
    const auto [xv, res] = caseAt(i);
    if (!std::isfinite(res)) continue;
    const double xs = againstTime ? double(i) : double(xv) - double(xmin);
    const double col = xs * s.perUnitX, row = (double(rmax) - double(res)) * s.perUnitR;
    // A dot wholly off the mask marks nothing (and its position may not fit an int).
    if (!(std::fabs(col) < 1e6 && std::fabs(row) < 1e6)) continue;
    const int gx = int(col) + 101 - kResidualMaskLeft + dotSize - 1, gy = int(row) + 2 + dotSize - 1;
    if (gx >= 0 && gx < gw && gy >= 0 && gy < gh) corners[size_t(gy) * size_t(gw) + size_t(gx)] = 1;
  }
  for (int gy = 0; gy < gh; ++gy)
    for (int gx = 0; gx < gw; ++gx) {
      if (!corners[size_t(gy) * size_t(gw) + size_t(gx)]) continue;
      const int px = gx - (dotSize - 1), py = gy - (dotSize - 1);
      for (int dy = 0; dy < dotSize; ++dy)
        for (int dx = 0; dx < dotSize; ++dx) {
          const int cx = px + dx, cy = py + dy;
          if (cx >= 0 && cx < kResidualMaskWidth && cy >= 0 && cy < kResidualMaskHeight)
            mask[size_t(cy) * kResidualMaskWidth + size_t(cx)] = 1;
        }
    }
  return mask;
}

struct XAndResidual {
  float x, residual;
};

}  // namespace

FitResiduals fitResiduals(const LineFit& fit, std::span<const float> y, std::span<const float> x) {
  const FitCases c(fit, y, x);
  std::vector<float> xs(c.n), ys(c.n), ps(c.n), rs(c.n);
  FitResiduals r = residualsOf(c, [&](size_t i, const ResidualCase& v) {
    xs[i] = v.x;
    ys[i] = v.y;
    ps[i] = v.predicted;
    rs[i] = v.residual;
  });
  r.x = std::move(xs);
  r.y = std::move(ys);
  r.predicted = std::move(ps);
  r.residual = std::move(rs);
  return r;
}

FitResiduals residualRanges(const LineFit& fit, std::span<const float> y, std::span<const float> x) {
  return rangesOf(FitCases(fit, y, x));
}

ResidualScale residualScale(const FitResiduals& r) {
  ResidualScale s;
  if (!r.any) return s;
  // A perfect fit (every residual alike) or a single X would divide by nothing: one unit.
  const double rr = double(r.rmax) - double(r.rmin);
  s.perUnitR = 296.0 / (rr > 0.0 ? rr : 1.0);
  const double xr = r.againstTime ? double(r.cases - 1) : double(r.xmax) - double(r.xmin);
  s.perUnitX = 465.0 / (xr > 0.0 ? xr : 1.0);
  s.zeroRow = int(2.0 + double(r.rmax) * s.perUnitR);
  return s;
}

std::vector<uint8_t> residualMask(const FitResiduals& r, const ResidualScale& s, int dotSize) {
  return maskOf(r.residual.size(), r.againstTime, r.xmin, r.rmax, s, dotSize,
                [&](size_t i) { return XAndResidual{r.x[i], r.residual[i]}; });
}

std::vector<uint8_t> residualMask(const LineFit& fit, std::span<const float> y, std::span<const float> x,
                                  const FitResiduals& ranges, const ResidualScale& s, int dotSize) {
  const FitCases c(fit, y, x);
  return maskOf(c.n, ranges.againstTime, ranges.xmin, ranges.rmax, s, dotSize, [&](size_t i) {
    const ResidualCase v = c.at(i);
    return XAndResidual{v.x, v.residual};
  });
}

std::string residualsText(const FitResiduals& r, char delimiter, int digits) {
  const int keep = rt::gFBFloatMaxDigits;
  rt::gFBFloatMaxDigits = std::max(digits, 5);
  std::string s = std::string(r.againstTime ? "time" : "X  value") + delimiter + "Y value" + delimiter + "predicted" +
                  delimiter + "residual\n";
  for (size_t i = 0; i < r.residual.size(); ++i) {
    s += rt::PSstr(r.x[i]);
    s += delimiter;
    s += rt::PSstr(r.y[i]);
    s += delimiter;
    s += rt::PSstr(r.predicted[i]);
    s += delimiter;
    s += rt::PSstr(r.residual[i]);
    s += '\n';
  }
  rt::gFBFloatMaxDigits = keep;
  return s;
}

const char* predictionModelText(const LineFit& fit) {
  static const char* const kTime[] = {"linear time and Y", "linear time, log Y", "log time, linear Y",
                                      "log time and log Y"};
  static const char* const kPair[] = {"linear X and Y", "linear X, log Y", "log X, linear Y", "log X and log Y"};
  const int m = fit.model >= 0 && fit.model <= 3 ? fit.model : 0;
  return fit.againstTime ? kTime[m] : kPair[m];
}

double predictY(const LineFit& fit, double x) {
  const double y = double(fit.b) * x + double(fit.a);
  return std::isfinite(y) ? y : NAN;
}

double predictX(const LineFit& fit, double y) {
  if (!(fit.b != 0.0f) || !std::isfinite(fit.b)) return NAN;
  const double x = (y - double(fit.a)) / double(fit.b);
  return std::isfinite(x) ? x : NAN;
}

}  // namespace qv
