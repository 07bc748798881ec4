#include "calculators/simple_math.h"

#include <cmath>

namespace qv {

namespace {

MathOutcome newX(double x) {
  MathOutcome o;
  o.setsX = true;
  o.x = float(x);
  o.error = !std::isfinite(o.x);
  return o;
}

MathOutcome newY(double y, bool wide = false) {
  MathOutcome o;
  o.setsY = true;
  o.yWide = wide;
  o.y = wide ? y : double(float(y));
  o.error = !std::isfinite(o.y);
  return o;
}

MathOutcome mathError() {
  MathOutcome o;
  o.error = true;
  return o;
}

bool wholeNumber(float y) { return std::isfinite(y) && std::trunc(y) == y; }

MathOutcome power(float x, float y) {
  if (x < 0.0f && !wholeNumber(y)) return mathError();
  return newX(std::pow(x, y));
}

MathOutcome divide(float x, float y) {
  if (y == 0.0f) return mathError();
  return newX(x / y);
}

double degrees(float x) { return double(x) * kCalcPi / 180.0; }

}  // namespace

MathOutcome simpleMathButton(int16_t id, float x, float y) {
  const double X = x;
  switch (id) {
    case 1: return newX(x + y);
    case 2: return newX(x - y);
    case 3: return newX(x * y);
    case 4: return divide(x, y);
    case 5: return newX(1.0f / x);
    case 6: {
      MathOutcome o = newY(kCalcPi);
      o.yIsPi = true;
      return o;
    }
    case 7: return x < 0.0f ? mathError() : newX(std::log(x));
    case 8: return newX(std::exp(x));
    case 9: return x < 0.0f ? mathError() : newX(std::log(x) / float(kCalcLn10));
    case 10: return newX(std::pow(10.0f, x));
    case 11: return x < 0.0f ? mathError() : newX(std::sqrt(x));
    case 22: return newX(x * x);
    case 12: return power(x, y);
    case 13: return newX(X * 0.1);
    case 14: return newX(x * 10.0f);
    case 15: return newX(x / 60.0f);
    case 16: return newX(x * 60.0f);
    case 17: return newX(x / 24.0f);
    case 18: return newX(x * 24.0f);
    case 19: return newX(x / 760.0f);
    case 20: return newX(X / 101.325);
    case 21: return newX(X / 273.1);
    case 23: return newX(X + 273.1);
    case 24: return newX(y);
    case 25: return newY(x);
    case 51: return newY(std::sin(degrees(x)), true);
    case 52: return newY(std::cos(degrees(x)), true);
    case 53: return newY(std::tan(degrees(x)), true);
    case 31: return newY(2.0f * float(kCalcPi) * x);
    case 32: return newY(float(kCalcPi) * x * x);
    case 33: return newY(y * float(kCalcPi) * x * x);
    case 34: return newY(4.0f * float(kCalcPi) * x * x);
    case 35: return newY(x * x * x * 4.188789086135801f);
    default: return {};
  }
}

MathOutcome HandleMathOperation(int16_t op, float x, float y) {
  switch (op) {
    case 1: return newX(x + y);
    case 2: return newX(x - y);
    case 3: return newX(x * y);
    case 4: return divide(x, y);
    case 5: return power(x, y);
    default: return {};
  }
}

}  // namespace qv
