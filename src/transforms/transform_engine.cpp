#include "transforms/transform_engine.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <string>

#include "core/unit_constants.h"
#include "respirometry/water_vapour.h"
#include "runtime/parallel_runs.h"

namespace qv {

namespace {

constexpr double kFloatMax = std::numeric_limits<float>::max();
constexpr float kGap = std::numeric_limits<float>::quiet_NaN();

// Every code stores its result here: one the 32 bits of a sample cannot hold (an overflow, or
// a NaN made of numbers) fails that sample, which keeps 0 and is counted.
float stored(double r, bool& fail) {
  if (fail || !(std::fabs(r) <= kFloatMax)) {
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

// One pass over first..last; f(x, fail) gives the new sample. A gap stays a gap: the rest of
// the program reads it as no sample, so it is neither computed nor counted as a failure.
template <class F>
bool eachCase(std::span<float> w, int32_t first, int32_t last, F f) {
  bool failedAny = false;
  for (int32_t k = first; k <= last; ++k) {
    const float x = w[size_t(k)];
    if (std::isnan(x)) continue;
    bool fail = false;
    w[size_t(k)] = stored(f(x, fail), fail);
    failedAny |= fail;
  }
  return failedAny;
}

// Codes 12 and 13: scaled(ln x) of every finite sample above 0, which always fits a float
// (|ln x| < 104), so the pass needs neither the check of the result nor its branch. Every
// other sample but a gap fails: 0, below 0, and +inf (whose logarithm a float cannot hold).
template <class Scaled>
bool logarithmsIn(float* p, int32_t first, int32_t last, Scaled scaled) {
  bool failedAny = false;
  for (int32_t k = first; k <= last; ++k) {
    const float x = p[k];
    if (x > 0.0f && x <= std::numeric_limits<float>::max()) {
      p[k] = float(scaled(std::log(double(x))));
    } else if (!std::isnan(x)) {
      p[k] = 0.0f;
      failedAny = true;
    }
  }
  return failedAny;
}

// Where each sample's result stands alone and the arithmetic is most of the work (logarithms, the
// polynomial), a long range is shared between threads, a run of cases each. pass(from, to) works
// out one run and says whether a sample in it failed.
constexpr int32_t kRunOfCases = 1 << 16;
constexpr int32_t kRunsFrom = 1 << 18;

template <class Pass>
bool inRuns(int32_t first, int32_t last, const Pass& pass) {
  std::atomic<bool> failedAny{false};
  rt::forEachRunOfCases(first, last, kRunOfCases, kRunsFrom, [&](int64_t from, int64_t to) {
    if (pass(int32_t(from), int32_t(to))) failedAny = true;
  });
  return failedAny;
}

template <class Scaled>
bool logarithms(std::span<float> w, int32_t first, int32_t last, Scaled scaled) {
  return inRuns(first, last, [&](int32_t from, int32_t to) { return logarithmsIn(w.data(), from, to, scaled); });
}

// Codes 22..26: f(x, y, fail); a gap in either channel is a gap in the result.
template <class F>
bool eachPair(std::span<float> w, std::span<const float> y, int32_t first, int32_t last, F f) {
  bool failedAny = false;
  for (int32_t k = first; k <= last; ++k) {
    const float x = w[size_t(k)], v = y[size_t(k)];
    if (std::isnan(x) || std::isnan(v)) {
      w[size_t(k)] = kGap;
      continue;
    }
    bool fail = false;
    w[size_t(k)] = stored(f(x, v, fail), fail);
    failedAny |= fail;
  }
  return failedAny;
}

double breakpointSide(const BreakpointTable& t, int base, float x, bool& fail) {
  const float word = t[size_t(base)];
  const int type = word >= 1 && word <= 4 ? int(word) : 0;
  const double a = t[size_t(base + 1)], b = t[size_t(base + 2)], c = t[size_t(base + 3)];
  switch (type) {
    case 1: return a + b * x;
    case 2: return a + b * x + c * x * x;
    case 3:
      fail = x <= 0;
      return fail ? 0.0 : a + b * std::pow(double(x), c);
    case 4: return a + b * std::exp(c * x);
    default: return x;
  }
}

// Code 2 in Horner's form: a coefficient of 0 adds nothing however large x is, so 1 + 2x with
// the higher terms left 0 does not overflow through an x^9 it never needs.
double horner(const TransformParams& p, int16_t degree, double x) {
  double sum = 0.0;
  for (int i = degree; i >= 1; --i) sum = (sum + double(p.poly[size_t(i)])) * x;
  return sum + double(p.poly[10]);
}

// Eight samples side by side, two to a register: each lane sees the same operations in the
// same order as one sample alone (no contraction), so the results are the same bits.
using Double2 = double __attribute__((vector_size(16)));

bool polynomialCases(const TransformParams& p, int16_t degree, std::span<float> w, int32_t first, int32_t last) {
  bool failedAny = false;
  const auto put = [&](int64_t k, double r) {
    if (std::isnan(w[size_t(k)])) return;  // a gap stays a gap
    bool fail = false;
    w[size_t(k)] = stored(r, fail);
    failedAny |= fail;
  };
  const auto putPair = [&](int64_t k, Double2 r) {
    put(k, r[0]);
    put(k + 1, r[1]);
  };
  const auto pair = [&](int64_t k) { return Double2{double(w[size_t(k)]), double(w[size_t(k + 1)])}; };
  int64_t k = first;
  for (; k + 7 <= last; k += 8) {
    const Double2 x0 = pair(k), x1 = pair(k + 2), x2 = pair(k + 4), x3 = pair(k + 6);
    Double2 s0 = {0.0, 0.0}, s1 = s0, s2 = s0, s3 = s0;
    for (int i = degree; i >= 1; --i) {
      const double c = double(p.poly[size_t(i)]);
      s0 = (s0 + c) * x0;
      s1 = (s1 + c) * x1;
      s2 = (s2 + c) * x2;
      s3 = (s3 + c) * x3;
    }
    const double c0 = double(p.poly[10]);
    putPair(k, s0 + c0);
    putPair(k + 2, s1 + c0);
    putPair(k + 4, s2 + c0);
    putPair(k + 6, s3 + c0);
  }
  for (; k <= last; ++k) put(k, horner(p, degree, double(w[size_t(k)])));
  return failedAny;
}

// Code 1: a first-order response correction; each step uses the raw sample before it. The
// sample after a gap has no predecessor and is its own, as case 1 is.
bool responseCorrection(float a, std::span<float> w, int32_t first, int32_t last) {
  if (first == 0) first = 1;  // entry 0 holds no sample and stays as it is
  if (first > last) return false;
  float prev = w[size_t(first == 1 ? 1 : first - 1)];
  bool failedAny = false;
  for (int32_t k = first; k <= last; ++k) {
    const float x = w[size_t(k)];
    if (std::isnan(x)) {
      prev = x;
      continue;
    }
    if (std::isnan(prev)) prev = x;
    bool fail = false;
    w[size_t(k)] = stored(double(prev) + (double(x) - double(prev)) / double(a), fail);
    failedAny |= fail;
    prev = x;
  }
  return failedAny;
}

bool twoChannel(const TransformParams& p, std::span<float> w, std::span<const float> y, int32_t first,
                int32_t last) {
  const double a = p.a;
  const bool mul = p.multiply, div = p.divide && a != 0;
  auto scaled = [&](double r) { return mul ? r * a : div ? r / a : r; };
  switch (p.code) {
    case 22: return eachPair(w, y, first, last, [&](double x, double v, bool&) { return scaled(x + v); });
    case 23: return eachPair(w, y, first, last, [&](double x, double v, bool&) { return scaled(x - v); });
    case 24: return eachPair(w, y, first, last, [&](double x, double v, bool&) { return scaled(x * v); });
    case 25:
      return eachPair(w, y, first, last, [&](double x, double v, bool& fail) {
        fail = v == 0;
        return fail ? 0.0 : scaled(x / v);
      });
    default: {  // 26
      const double q10 = q10IsUsable(p.b) ? p.b : 1.0;
      return eachPair(w, y, first, last, [&](double x, float v, bool&) {
        return x * std::pow(q10, double(float((p.a - v) * 0.1f)));
      });
    }
  }
}

bool conversion(const TransformParams& p, std::span<float> w, int32_t first, int32_t last) {
  using namespace units;
  // The saturation vapour pressure is in torr.
  constexpr double kKPaPerTorr = kTorrPa / 1000.0, kTorrPerBar = kBarPa / kTorrPa;
  const double a = p.a;
  switch (p.code) {
    case 62: return eachCase(w, first, last, [](double x, bool&) { return (x - 32.0) * double(0.555555f); });
    case 63: return eachCase(w, first, last, [](double x, bool&) { return x + double(273.15f); });
    case 64:
      return eachCase(w, first, last,
                      [](float x, bool&) { return double(GetSaturationWaterVaporContent(x)) * kKPaPerTorr; });
    case 65: return eachCase(w, first, last, [](float x, bool&) { return double(GetSaturationWaterVaporContent(x)); });
    case 66: {
      const double divisor = kWaterVapourGasConstant * (double(p.temperature) + kZeroCelsiusKelvin);
      return eachCase(w, first, last, [&](double x, bool&) { return x * 1e6 / divisor; });
    }
    case 67: return eachCase(w, first, last, [&](double x, bool&) { return x * kTorrPerBar / double(p.pressure); });
    case 68: return eachCase(w, first, last, [&](double x, bool&) { return x / double(p.mass); });
    case 69: return eachCase(w, first, last, [&](double x, bool&) { return x * 1000.0 / double(p.mass); });
    default: return eachCase(w, first, last, [&](double x, bool&) { return x * a; });  // 40..61
  }
}

// Code 18's factor: kept to 32 bits where it fits, so that results are those of a float
// product; a factor past that range stays in double and fails only the samples it overflows.
double q10Factor(float deltaT, float q10Word) {
  const double q10 = q10IsUsable(q10Word) ? q10Word : 1.0;
  const double factor = std::pow(q10, double(float(deltaT * 0.1f)));
  return std::fabs(factor) <= kFloatMax ? double(float(factor)) : factor;
}

bool standard(const TransformParams& p, std::span<float> w, int32_t first, int32_t last) {
  const double a = p.a, b = p.b;
  const float e = p.exponent;
  switch (p.code) {
    case 2: {
      const int16_t degree = boundedPolyDegree(p.degree);
      return inRuns(first, last, [&](int32_t from, int32_t to) { return polynomialCases(p, degree, w, from, to); });
    }
    case 3:
      return eachCase(w, first, last, [](double x, bool& fail) {
        fail = x == 0;
        return fail ? 0.0 : 1.0 / x;
      });
    case 4: return eachCase(w, first, last, [](double x, bool&) { return -x; });
    case 5:
      return eachCase(w, first, last, [&](float x, bool& fail) {
        const auto pw = powerOf(x, e);
        fail = !pw;
        return fail ? 0.0 : a + b * *pw;
      });
    case 6: return eachCase(w, first, last, [&](double x, bool&) { return a - x; });
    case 7: return eachCase(w, first, last, [&](double x, bool&) { return x - a; });
    case 8:
      return eachCase(w, first, last, [&](double x, bool& fail) {
        fail = x == 0;
        return fail ? 0.0 : a / x;
      });
    case 9: return eachCase(w, first, last, [&](double x, bool&) { return x / a; });
    case 10:
      return eachCase(w, first, last, [](double x, bool& fail) {
        fail = !(x > 0);
        return fail ? 0.0 : std::sqrt(x);
      });
    case 11: return eachCase(w, first, last, [](double x, bool&) { return x * x; });
    case 12: return logarithms(w, first, last, [](double r) { return r; });
    case 13: return logarithms(w, first, last, [](double r) { return r * 0.43429448; });
    case 14:
      return eachCase(w, first, last, [](double x, bool& fail) {
        fail = x > 88.0;
        return fail ? 0.0 : std::exp(x);
      });
    case 15:
      return eachCase(w, first, last, [](double x, bool& fail) {
        fail = x > 37.0;
        return fail ? 0.0 : std::exp(x * double(2.302585f));
      });
    case 16:
      return eachCase(w, first, last, [&](float x, bool& fail) {
        const auto pw = powerOf(x, e);
        fail = !pw || *pw == 0;
        return fail ? 0.0 : a / *pw;
      });
    case 17: return eachCase(w, first, last, [](double x, bool&) { return std::fabs(x); });
    case 18: {
      const double factor = q10Factor(p.a, p.b);
      return eachCase(w, first, last, [&](double x, bool&) { return x * factor; });
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
  if (p.code == 1) out.failed |= responseCorrection(p.a, work, first, last);
  else if (needsY) out.failed |= twoChannel(p, work, y, first, last);
  else if (p.code >= 40 && p.code <= 69) out.failed |= conversion(p, work, first, last);
  else out.failed |= standard(p, work, first, last);
  return out;
}

}  // namespace qv
