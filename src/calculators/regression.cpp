// Least-squares line and parabola of the Simple Regression calculator.
#include "calculators/regression.h"

#include <algorithm>
#include <cmath>
#include <set>

namespace qv {

namespace {

struct Means {
  double x = 0, y = 0;
};

Means meansOf(std::span<const RegressionPoint> p) {
  Means m;
  for (const RegressionPoint& q : p) m.x += q.x, m.y += q.y;
  m.x /= double(p.size()), m.y /= double(p.size());
  return m;
}

size_t distinctX(std::span<const RegressionPoint> p) {
  std::set<double> xs;
  for (const RegressionPoint& q : p) xs.insert(q.x);
  return xs.size();
}

}  // namespace

RegressionFit fitRegressionLine(std::span<const RegressionPoint> p) {
  RegressionFit f;
  f.model = RegressionModel::Line;
  f.n = p.size();
  if (p.size() < 2) return f;
  const Means m = meansOf(p);
  double sxx = 0, sxy = 0, syy = 0;
  for (const RegressionPoint& q : p) {
    const double dx = q.x - m.x, dy = q.y - m.y;
    sxx += dx * dx, sxy += dx * dy, syy += dy * dy;
  }
  f.sxx = sxx, f.sxy = sxy, f.syy = syy;
  if (!(sxx > 0) || !std::isfinite(sxx)) return f;
  f.fitted = true;
  f.b = sxy / sxx;
  f.a = m.y - f.b * m.x;
  f.c = 0;
  f.rSquared = syy > 0 ? sxy * sxy / sxx / syy : NAN;
  return f;
}

RegressionFit fitRegressionQuadratic(std::span<const RegressionPoint> p) {
  RegressionFit f;
  f.model = RegressionModel::Quadratic;
  f.n = p.size();
  if (distinctX(p) < 3) return f;
  // Normal equations in X about its mean, which keeps them well conditioned for X far from 0.
  const Means m = meansOf(p);
  double s[5] = {}, t[3] = {};
  for (const RegressionPoint& q : p) {
    const double u = q.x - m.x;
    double up = 1;
    for (int k = 0; k < 5; ++k) {
      s[k] += up;
      if (k < 3) t[k] += up * q.y;
      up *= u;
    }
  }
  double A[3][4] = {{s[0], s[1], s[2], t[0]}, {s[1], s[2], s[3], t[1]}, {s[2], s[3], s[4], t[2]}};
  for (int col = 0; col < 3; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 3; ++r)
      if (std::fabs(A[r][col]) > std::fabs(A[pivot][col])) pivot = r;
    if (!(std::fabs(A[pivot][col]) > 0)) return f;
    for (int k = 0; k < 4; ++k) std::swap(A[col][k], A[pivot][k]);
    for (int r = 0; r < 3; ++r) {
      if (r == col) continue;
      const double g = A[r][col] / A[col][col];
      for (int k = col; k < 4; ++k) A[r][k] -= g * A[col][k];
    }
  }
  const double a0 = A[0][3] / A[0][0], b0 = A[1][3] / A[1][1], c0 = A[2][3] / A[2][2];
  if (!std::isfinite(a0) || !std::isfinite(b0) || !std::isfinite(c0)) return f;
  // Back from u = X - mean to X.
  f.c = c0;
  f.b = b0 - 2 * c0 * m.x;
  f.a = a0 - b0 * m.x + c0 * m.x * m.x;
  f.fitted = true;
  double ssTot = 0, ssRes = 0;
  for (const RegressionPoint& q : p) {
    const double u = q.x - m.x, r = a0 + b0 * u + c0 * u * u - q.y;
    ssTot += (q.y - m.y) * (q.y - m.y);
    ssRes += r * r;
  }
  f.rSquared = ssTot > 0 ? std::max(0.0, 1 - ssRes / ssTot) : 1.0;
  return f;
}

RegressionFit fitRegression(std::span<const RegressionPoint> points, RegressionModel model) {
  return model == RegressionModel::Quadratic ? fitRegressionQuadratic(points) : fitRegressionLine(points);
}

double predictY(const RegressionFit& f, double x) {
  if (!f.fitted) return NAN;
  return f.a + f.b * x + (f.model == RegressionModel::Quadratic ? f.c * x * x : 0.0);
}

double predictX(const RegressionFit& f, double y) {
  if (!f.fitted) return NAN;
  if (f.model != RegressionModel::Quadratic || f.c == 0) return f.b != 0 ? (y - f.a) / f.b : NAN;
  const double disc = f.b * f.b - 4 * f.c * (f.a - y);
  if (disc < 0) return NAN;
  return (std::sqrt(disc) - f.b) / (2 * f.c);
}

}  // namespace qv
