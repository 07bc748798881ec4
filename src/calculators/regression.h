#pragma once
// The fits of the Simple Regression calculator: a straight line or a second-order polynomial
// through typed (X, Y) pairs, and the predictions they give. Pure functions in double; what
// cannot be computed comes back as NaN.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <span>

namespace qv {

struct RegressionPoint {
  double x = 0;
  double y = 0;
};

enum class RegressionModel : int16_t { Line = 0, Quadratic = 3 };

struct RegressionFit {
  RegressionModel model = RegressionModel::Line;
  bool fitted = false;  // false: the points fix no curve (all X equal; fewer than 3 distinct X for the quadratic)
  double a = NAN, b = NAN, c = 0;  // Y = a + b X (+ c X^2)
  double rSquared = NAN;           // NaN when it has no value (all Y equal on a line)
  double sxx = NAN, sxy = NAN, syy = NAN;  // the line's sums of squares about the means
  size_t n = 0;
};

RegressionFit fitRegressionLine(std::span<const RegressionPoint> points);
RegressionFit fitRegressionQuadratic(std::span<const RegressionPoint> points);
RegressionFit fitRegression(std::span<const RegressionPoint> points, RegressionModel model);

// Y at `x`; NaN without a fit.
double predictY(const RegressionFit& fit, double x);
// X at `y`: the line's inverse; for the quadratic the root with the plus sign of the square
// root (the one on the rising side when c > 0). NaN when no real X gives `y`.
double predictX(const RegressionFit& fit, double y);

}  // namespace qv
