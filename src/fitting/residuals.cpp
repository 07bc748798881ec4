#include "fitting/residuals.h"

#include <algorithm>
#include <cmath>

#include "runtime/numtext.h"

namespace qv {

FitResiduals fitResiduals(const LineFit& fit, std::span<const float> y, std::span<const float> x) {
  FitResiduals r;
  r.againstTime = fit.againstTime;
  r.begin = fit.begin;
  const int64_t last = std::min<int64_t>(fit.end, int64_t(y.size()) - 1);
  if (fit.begin < 1 || last < fit.begin || (!fit.againstTime && int64_t(x.size()) <= last)) return r;
  const size_t n = size_t(last - fit.begin + 1);
  r.x.resize(n);
  r.y.resize(n);
  r.predicted.resize(n);
  r.residual.resize(n);
  r.rmin = r.xmin = INFINITY;
  r.rmax = r.xmax = -INFINITY;
  for (size_t i = 0; i < n; ++i) {
    const int64_t k = fit.begin + int64_t(i);
    const float xv = fit.againstTime ? float(double(i) * double(fit.dt)) : x[size_t(k)];
    const float yv = y[size_t(k)];
    const float p = float(double(fit.b) * double(xv) + double(fit.a));
    const float res = float(double(yv) - double(p));
    r.x[i] = xv;
    r.y[i] = yv;
    r.predicted[i] = p;
    r.residual[i] = res;
    if (!std::isfinite(res)) continue;
    r.any = true;
    r.rmin = std::min(r.rmin, res);
    r.rmax = std::max(r.rmax, res);
    r.xmin = std::min(r.xmin, xv);
    r.xmax = std::max(r.xmax, xv);
  }
  return r;
}

ResidualScale residualScale(const FitResiduals& r) {
  ResidualScale s;
  if (!r.any) return s;
  // A perfect fit (every residual alike) or a single X would divide by nothing: one unit.
  const double rr = double(r.rmax) - double(r.rmin);
  s.perUnitR = 296.0 / (rr > 0.0 ? rr : 1.0);
  const double xr = r.againstTime ? double(r.residual.size() - 1) : double(r.xmax) - double(r.xmin);
  s.perUnitX = 465.0 / (xr > 0.0 ? xr : 1.0);
  s.zeroRow = int(2.0 + double(r.rmax) * s.perUnitR);
  return s;
}

std::vector<uint8_t> residualMask(const FitResiduals& r, const ResidualScale& s, int dotSize) {
  std::vector<uint8_t> mask(size_t(kResidualMaskWidth) * kResidualMaskHeight, 0);
  for (size_t i = 0; i < r.residual.size(); ++i) {
    const float res = r.residual[i];
    if (!std::isfinite(res)) continue;
    const double xs = r.againstTime ? double(i) : double(r.x[i]) - double(r.xmin);
    const int px = int(xs * s.perUnitX) + 101 - kResidualMaskLeft;
    const int py = int((double(r.rmax) - double(res)) * s.perUnitR) + 2;
    for (int dy = 0; dy < dotSize; ++dy)
      for (int dx = 0; dx < dotSize; ++dx) {
        const int cx = px + dx, cy = py + dy;
        if (cx >= 0 && cx < kResidualMaskWidth && cy >= 0 && cy < kResidualMaskHeight)
          mask[size_t(cy) * kResidualMaskWidth + size_t(cx)] = 1;
      }
  }
  return mask;
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
