#include "transforms/transform_engine.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "respirometry/water_vapour.h"

namespace qv {

namespace {

constexpr double kFloatMax = std::numeric_limits<float>::max();

// A double result narrowed to the 32 bits of a sample; one the samples cannot hold fails.
float narrowed(double r, bool& fail) {
  if (!(std::fabs(r) <= kFloatMax)) {
    fail = true;
    return 0.0f;
  }
  return float(r);
}

bool isWhole(float e) { return std::trunc(e) == e; }

// x^e of codes 5 and 16: a negative x needs a whole exponent.
std::optional<double> powerOf(float x, float e) {
  if (x < 0 && !isWhole(e)) return std::nullopt;
  return std::pow(double(x), double(e));
}

// One pass over first..last; f(x, fail) gives the new sample.
template <class F>
bool eachCase(std::span<float> w, int32_t first, int32_t last, F f) {
  bool failedAny = false;
  for (int32_t k = first; k <= last; ++k) {
    bool fail = false;
    const float r = f(w[size_t(k)], fail);
    w[size_t(k)] = fail ? 0.0f : r;
    failedAny |= fail;
  }
  return failedAny;
}

// Codes 22..26: f(x, y, fail).
template <class F>
bool eachPair(std::span<float> w, std::span<const float> y, int32_t first, int32_t last, F f) {
  bool failedAny = false;
  for (int32_t k = first; k <= last; ++k) {
    bool fail = false;
    w[size_t(k)] = f(w[size_t(k)], y[size_t(k)], fail);
    failedAny |= fail;
  }
  return failedAny;
}

float breakpointSide(const BreakpointTable& t, int base, float x, bool& fail) {
  const float word = t[size_t(base)];
  const int type = word >= 1 && word <= 4 ? int(word) : 0;
  const float a = t[size_t(base + 1)], b = t[size_t(base + 2)], c = t[size_t(base + 3)];
  switch (type) {
    case 1: return a + b * x;
    case 2: return a + b * x + c * x * x;
    case 3:
      if (x <= 0) {
        fail = true;
        return 0.0f;
      }
      return narrowed(double(a) + double(b) * std::pow(double(x), double(c)), fail);
    case 4: return narrowed(double(a) + double(b) * std::exp(double(c) * double(x)), fail);
    default: return x;
  }
}

float polynomial(const TransformParams& p, int16_t degree, float x, bool& fail) {
  float sum = p.poly[10];
  double power = 1.0;
  for (int i = 1; i <= degree; ++i) {
    power *= double(x);
    sum = narrowed(double(sum) + double(p.poly[size_t(i)]) * power, fail);
    if (fail) return 0.0f;
  }
  return sum;
}

// Code 1: a first-order response correction; each step uses the raw sample before it.
void responseCorrection(float a, std::span<float> w, int32_t first, int32_t last) {
  if (first == 0) first = 1;  // entry 0 holds no sample and stays as it is
  if (first > last) return;
  float prev = w[size_t(first == 1 ? 1 : first - 1)];
  for (int32_t k = first; k <= last; ++k) {
    const float x = w[size_t(k)];
    w[size_t(k)] = prev + (x - prev) / a;
    prev = x;
  }
}

bool twoChannel(const TransformParams& p, std::span<float> w, std::span<const float> y, int32_t first,
                int32_t last) {
  const float a = p.a;
  const bool mul = p.multiply, div = p.divide && a != 0;
  auto scaled = [&](float r) { return mul ? r * a : div ? r / a : r; };
  switch (p.code) {
    case 22: return eachPair(w, y, first, last, [&](float x, float v, bool&) { return scaled(x + v); });
    case 23: return eachPair(w, y, first, last, [&](float x, float v, bool&) { return scaled(x - v); });
    case 24: return eachPair(w, y, first, last, [&](float x, float v, bool&) { return scaled(x * v); });
    case 25:
      return eachPair(w, y, first, last, [&](float x, float v, bool& fail) {
        if (v == 0) {
          fail = true;
          return scaled(0.0f);
        }
        return scaled(x / v);
      });
    default: {  // 26
      const double q10 = q10IsUsable(p.b) ? p.b : 1.0;
      return eachPair(w, y, first, last, [&](float x, float v, bool& fail) {
        return narrowed(double(x) * std::pow(q10, double(float((p.a - v) * 0.1f))), fail);
      });
    }
  }
}

bool conversion(const TransformParams& p, std::span<float> w, int32_t first, int32_t last) {
  const float a = p.a;
  switch (p.code) {
    case 62: return eachCase(w, first, last, [](float x, bool&) { return (x - 32.0f) * 0.555555f; });
    case 63: return eachCase(w, first, last, [](float x, bool&) { return x + 273.15f; });
    case 64:
      return eachCase(w, first, last, [](float x, bool&) { return GetSaturationWaterVaporContent(x) * 0.133322f; });
    case 65:
      return eachCase(w, first, last,
                      [](float x, bool&) { return GetSaturationWaterVaporContent(x) * 0.133322f * 7.50062f; });
    case 66: {
      const double divisor = kWaterVapourGasConstant * (double(p.temperature) + kZeroCelsiusKelvin);
      return eachCase(w, first, last, [&](float x, bool& fail) { return narrowed(double(x) * 1e6 / divisor, fail); });
    }
    case 67: return eachCase(w, first, last, [&](float x, bool&) { return x * 750.06f / p.pressure; });
    case 68: return eachCase(w, first, last, [&](float x, bool&) { return x / p.mass; });
    case 69: return eachCase(w, first, last, [&](float x, bool&) { return x * 1000.0f / p.mass; });
    default: return eachCase(w, first, last, [&](float x, bool&) { return x * a; });  // 40..61
  }
}

bool standard(const TransformParams& p, std::span<float> w, int32_t first, int32_t last) {
  const float a = p.a, b = p.b, e = p.exponent;
  switch (p.code) {
    case 2: {
      const int16_t degree = boundedPolyDegree(p.degree);
      return eachCase(w, first, last, [&](float x, bool& fail) { return polynomial(p, degree, x, fail); });
    }
    case 3:
      return eachCase(w, first, last, [](float x, bool& fail) {
        fail = x == 0;
        return fail ? 0.0f : 1.0f / x;
      });
    case 4: return eachCase(w, first, last, [](float x, bool&) { return -x; });
    case 5:
      return eachCase(w, first, last, [&](float x, bool& fail) {
        const auto pw = powerOf(x, e);
        fail = !pw;
        return fail ? 0.0f : narrowed(double(a) + double(b) * *pw, fail);
      });
    case 6: return eachCase(w, first, last, [&](float x, bool&) { return a - x; });
    case 7: return eachCase(w, first, last, [&](float x, bool&) { return x - a; });
    case 8:
      return eachCase(w, first, last, [&](float x, bool& fail) {
        fail = x == 0;
        return fail ? 0.0f : a / x;
      });
    case 9: return eachCase(w, first, last, [&](float x, bool&) { return x / a; });
    case 10:
      return eachCase(w, first, last, [](float x, bool& fail) {
        fail = !(x > 0);
        return fail ? 0.0f : std::sqrt(x);
      });
    case 11: return eachCase(w, first, last, [](float x, bool&) { return x * x; });
    case 12:
    case 13: {
      const double scale = p.code == 12 ? 1.0 : 0.43429448;
      return eachCase(w, first, last, [&](float x, bool& fail) {
        fail = !(x > 0);
        return fail ? 0.0f : float(std::log(double(x)) * scale);
      });
    }
    case 14:
      return eachCase(w, first, last, [](float x, bool& fail) {
        fail = x > 88.0f;
        return fail ? 0.0f : narrowed(std::exp(double(x)), fail);
      });
    case 15:
      return eachCase(w, first, last, [](float x, bool& fail) {
        fail = x > 37.0f;
        return fail ? 0.0f : narrowed(std::exp(double(x) * double(2.302585f)), fail);
      });
    case 16:
      return eachCase(w, first, last, [&](float x, bool& fail) {
        const auto pw = powerOf(x, e);
        fail = !pw || *pw == 0;
        return fail ? 0.0f : narrowed(double(a) / *pw, fail);
      });
    case 17: return eachCase(w, first, last, [](float x, bool&) { return std::fabs(x); });
    case 18: {
      const double q10 = q10IsUsable(b) ? b : 1.0;
      const float factor = float(std::pow(q10, double(float(a * 0.1f))));
      return eachCase(w, first, last, [&](float x, bool&) { return x * factor; });
    }
    case 20: {
      const BreakpointTable& t = *p.breakpoint;
      const float bp = t[24];
      return eachCase(w, first, last,
                      [&](float x, bool& fail) { return breakpointSide(t, x < bp ? 26 : 31, x, fail); });
    }
    default: return false;  // separators and unused codes leave the copy
  }
}

}  // namespace

int16_t boundedPolyDegree(double degree) {
  if (!(degree > 0)) return 0;
  return degree >= kMaxPolyDegree ? kMaxPolyDegree : int16_t(degree);
}

bool q10IsUsable(float q10) { return q10 > 0; }

bool isTransformCode(int16_t code) {
  return (code >= 1 && code <= 18) || code == 20 || (code >= 22 && code <= 26) || (code >= 40 && code <= 69);
}

std::optional<std::string> constantsRefusal(const TransformParams& p) {
  const auto finite = [](float v) { return std::isfinite(v); };
  const auto usesA = [&] {
    const int16_t c = p.code;
    if (c >= 22 && c <= 25) return p.multiply || p.divide;
    return c == 1 || c == 5 || (c >= 6 && c <= 9) || c == 16 || c == 18 || c == 26 || (c >= 40 && c <= 61);
  };
  if (usesA() && !finite(p.a)) return "The constant 'a' is not a number.";
  if ((p.code == 5 || p.code == 18 || p.code == 26) && !finite(p.b)) return "The constant 'b' is not a number.";
  if ((p.code == 5 || p.code == 16) && !finite(p.exponent)) return "The exponent is not a number.";
  if (p.code == 2) {
    bool all = finite(p.poly[10]);
    for (int i = 1; i <= boundedPolyDegree(p.degree); ++i) all = all && finite(p.poly[size_t(i)]);
    if (!all) return "A coefficient of the polynomial is not a number.";
  }
  return std::nullopt;
}

std::optional<std::string> parameterRefusal(const TransformParams& p) {
  if (!isTransformCode(p.code)) return "There is no transform or conversion number " + std::to_string(p.code) + ".";
  if (auto why = constantsRefusal(p)) return why;
  switch (p.code) {
    case 1:
    case 8:
    case 9:
      if (p.a == 0) return "The constant 'a' is 0, and this transform divides by it.";
      break;
    case 66:
      if (!(p.temperature > -273.15f)) return "The temperature must be above -273.15 \u00B0C.";
      break;
    case 67:
      if (!(p.pressure > 0)) return "The barometric pressure must be greater than 0.";
      break;
    case 68:
    case 69:
      if (!(p.mass > 0)) return "The mass must be greater than 0.";
      break;
    default: break;
  }
  return std::nullopt;
}

std::optional<std::string> transformRefusal(const TransformParams& p, bool haveChannelY) {
  if (auto why = parameterRefusal(p)) return why;
  if (p.code == 20 && !p.breakpoint) return "A breakpoint transform needs its equations, which only the window sets.";
  if (p.code >= 22 && p.code <= 26 && !haveChannelY) return "Channel Y does not exist in this file.";
  return std::nullopt;
}

TransformOutcome runTransform(const TransformParams& p, std::span<float> work, std::span<const float> y,
                              int32_t first, int32_t last) {
  TransformOutcome out;
  const bool needsY = p.code >= 22 && p.code <= 26;
  if (const auto why = transformRefusal(p, !needsY || y.size() >= work.size())) {
    out.refused = true;
    return out;
  }
  first = std::max(first, 0);
  last = int32_t(std::min<int64_t>(last, int64_t(work.size()) - 1));
  if (first > last) return out;
  if (needsY && p.divide && p.a == 0) out.failed = true;
  if (p.code == 1) responseCorrection(p.a, work, first, last);
  else if (needsY) out.failed |= twoChannel(p, work, y, first, last);
  else if (p.code >= 40 && p.code <= 69) out.failed |= conversion(p, work, first, last);
  else out.failed |= standard(p, work, first, last);
  return out;
}

}  // namespace qv
