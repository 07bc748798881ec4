// The per-sample computation: each code on hand-picked samples, failures, refusals, ranges.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>
#include <vector>

#include "respirometry/water_vapour.h"
#include "transforms/transform_engine.h"
#include "transforms/transform_labels.h"

using namespace qv;

namespace {

struct OneRun {
  std::vector<float> work;
  TransformOutcome out;
};

// One sample x (at case 1 of a two-entry column) through code `p`; y beside it.
OneRun one(TransformParams p, float x, float y = 0) {
  OneRun r{{0.0f, x}, {}};
  const std::vector<float> ys{0.0f, y};
  r.out = runTransform(p, r.work, ys, 1, 1);
  return r;
}

TransformParams code(int16_t c, float a = 0, float b = 0, float e = 0) {
  TransformParams p;
  p.code = c;
  p.a = a;
  p.b = b;
  p.exponent = e;
  return p;
}

}  // namespace

TEST(TransformEngine, TableOfCodes) {
  struct Case {
    TransformParams p;
    float x, y, expected;
    bool failed;
  };
  TransformParams mulBy3 = code(25, 3);
  mulBy3.multiply = true;
  TransformParams divBy0 = code(22, 0);
  divBy0.divide = true;
  const Case cases[] = {
      {code(3), 0, 0, 0, true},
      {code(3), 4, 0, 0.25f, false},
      {code(10), 0, 0, 0, true},
      {code(10), -4, 0, 0, true},
      {code(10), 16, 0, 4, false},
      {code(14), 88, 0, 1.6516363e38f, false},
      {code(14), 88.01f, 0, 0, true},
      {code(15), 37.01f, 0, 0, true},
      {code(5, 0, 1, 2), -3, 0, 9, false},
      {code(5, 0, 1, 0.5f), -3, 0, 0, true},
      {code(5, 1, 2, 3), 2, 0, 17, false},
      {code(6, 10), 3, 0, 7, false},
      {code(7, 10), 3, 0, -7, false},
      {code(8, 2), 0, 0, 0, true},
      {code(8, 2), 4, 0, 0.5f, false},
      {code(9, 4), 2, 0, 0.5f, false},
      {code(11), -3, 0, 9, false},
      {code(12), float(M_E), 0, 1, false},
      {code(12), 0, 0, 0, true},
      {code(13), 1000, 0, 3, false},
      {code(16, 1, 0, 2), 0, 0, 0, true},
      {code(16, 8, 0, 3), 2, 0, 1, false},
      {code(17), -2.5f, 0, 2.5f, false},
      {code(18, 10, 2.4f), 5, 0, 12, false},
      {code(18, 10, 0), 5, 0, 5, false},  // Q10 0 acts as 1
      {code(22), 2, 3, 5, false},
      {code(23), 2, 3, -1, false},
      {code(24), 2, 3, 6, false},
      {code(25), 3, 2, 1.5f, false},
      {mulBy3, 5, 0, 0, true},
      {divBy0, 2, 3, 5, true},
      {code(26, 30, 2), 10, 20, 20, false},
      {code(41, 4.18605f), 2, 0, 8.3721f, false},
      {code(62), 212, 0, 99.9999f, false},
      {code(63), 36.6f, 0, 309.75f, false},
      {code(64), 20, 0, 2.33797f, false},
      {code(65), 20, 0, 17.5362f, false},
      {code(66, 20), 2, 0, 14.7832f, false},
      {code(67, 760), 2, 0, 1.9738465f, false},  // 2 bar: 2e5 Pa / 133.322368 Pa/torr / 760
      {code(68, 50), 10, 0, 0.2f, false},
      {code(69, 50), 10, 0, 200, false},
  };
  for (const Case& c : cases) {
    TransformParams p = c.p;
    p.temperature = p.pressure = p.mass = p.a;
    const OneRun r = one(p, c.x, c.y);
    SCOPED_TRACE("code " + std::to_string(p.code) + " x " + std::to_string(c.x));
    EXPECT_FALSE(r.out.refused);
    EXPECT_EQ(r.out.failed, c.failed);
    EXPECT_NEAR(r.work[1], c.expected, std::fabs(c.expected) * 2e-6 + 1e-6);
  }
  EXPECT_NEAR(one(code(15), 37).work[1], 1.0e37f, 1e32);
  EXPECT_TRUE(std::signbit(one(code(4), 0).work[1]));
}

// Every code on a gap, on +-1e38 and on an ordinary 4 (channel Y 5, 3e38, 3e38, 2 beside
// them): a gap stays a gap and is no failure, a result past the 32 bits of a sample fails that
// sample (kept 0), the rest is the code's value. Expected values worked out by hand.
TEST(TransformEngine, GapsOverflowAndOrdinaryValuesOfEveryCode) {
  constexpr float F = std::numeric_limits<float>::infinity();  // "this sample fails"
  struct Row {
    TransformParams p;
    float big, minusBig, four;
  };
  TransformParams poly = code(2);
  poly.degree = 2;
  poly.poly[10] = 1, poly.poly[1] = 2, poly.poly[2] = 3;
  BreakpointTable lowTypes{}, highTypes{};
  lowTypes[26] = 1, lowTypes[27] = 1, lowTypes[28] = 2;   // below 0: 1 + 2x
  lowTypes[31] = 2, lowTypes[34] = 1;                     // from 0 on: x^2
  highTypes[24] = 10;
  highTypes[26] = 3, highTypes[28] = 1, highTypes[29] = 2;  // below 10: x^2, no x <= 0
  highTypes[31] = 4, highTypes[33] = 1, highTypes[34] = 1;  // from 10 on: e^x
  TransformParams bpLow = code(20), bpHigh = code(20);
  bpLow.breakpoint = lowTypes;
  bpHigh.breakpoint = highTypes;
  std::vector<Row> rows = {
      {code(1, 0.25f), 1e38f, F, 3e38f},  // after the gap 1e38 is its own predecessor
      {poly, F, F, 57},
      {code(3), 1e-38f, -1e-38f, 0.25f},
      {code(4), -1e38f, 1e38f, -4},
      {code(5, 2, 3, 2), F, F, 50},
      {code(6, 2), -1e38f, 1e38f, -2},
      {code(7, 2), 1e38f, -1e38f, 2},
      {code(8, 2), 2e-38f, -2e-38f, 0.5f},
      {code(9, 0.25f), F, F, 16},
      {code(10), 1e19f, F, 2},
      {code(11), F, F, 16},
      {code(12), 87.498234f, F, 1.3862944f},
      {code(13), 38, F, 0.60206f},
      {code(14), F, 0, 54.59815f},
      {code(15), F, 0, 10000},
      {code(16, 2, 0, 2), 0, 0, 0.125f},  // 2e-76 is 0 in 32 bits, and no failure
      {code(17), 1e38f, 1e38f, 4},
      {code(18, 20, 3), F, F, 36},
      {bpLow, F, -2e38f, 16},
      {bpHigh, F, F, 16},
      {code(22), F, 2e38f, 6},
      {code(23), -2e38f, F, 2},
      {code(24), F, F, 8},
      {code(25), 1.0f / 3, -1.0f / 3, 2},
      {code(26, 20, 3), 0, 0, 28.898696f},
      {code(62), 5.55555e37f, -5.55555e37f, -15.55554f},
      {code(63), 1e38f, -1e38f, 277.15f},
      {code(64), F, F, float(double(GetSaturationWaterVaporContent(4)) * 0.133322368)},
      {code(65), F, F, GetSaturationWaterVaporContent(4)},
      {code(66, 20), F, F, 29.566396f},
      {code(67, 760), 9.869233e37f, -9.869233e37f, 3.947693f},
      {code(68, 50), 2e36f, -2e36f, 0.08f},
      {code(69, 50), F, F, 80},
  };
  for (int16_t c = 40; c <= 61; ++c) rows.push_back({code(c, 4.186f), F, F, 16.744f});
  const std::vector<float> y{0, 5, 3e38f, 3e38f, 2};
  for (const Row& row : rows) {
    TransformParams p = row.p;
    p.temperature = p.pressure = p.mass = p.a;
    SCOPED_TRACE("code " + std::to_string(p.code));
    std::vector<float> w{0, NAN, 1e38f, -1e38f, 4};
    const TransformOutcome out = runTransform(p, w, y, 1, 4);
    EXPECT_TRUE(std::isnan(w[1]));
    const float expected[] = {row.big, row.minusBig, row.four};
    bool anyFails = false;
    for (int k = 0; k < 3; ++k) {
      const float e = expected[k], got = w[size_t(k) + 2];
      anyFails |= e == F;
      if (e == F) EXPECT_EQ(got, 0.0f) << "case " << k + 2;
      else EXPECT_NEAR(got, e, std::fabs(e) * 2e-6f) << "case " << k + 2;
    }
    EXPECT_EQ(out.failed, anyFails);
    if (p.code >= 22 && p.code <= 26) {  // a gap in channel Y
      std::vector<float> x{0, 1, 2};
      const std::vector<float> gapY{0, NAN, 1};
      EXPECT_FALSE(runTransform(p, x, gapY, 1, 1).failed);
      EXPECT_TRUE(std::isnan(x[1]));
    }
  }
}

// Results past 32 bits that used to be stored as infinities (or a NaN) with no failure.
TEST(TransformEngine, ResultsPastThirtyTwoBitsFailTheirSample) {
  for (float x : {1e20f, 5e19f}) EXPECT_TRUE(one(code(11), x).out.failed) << x;
  EXPECT_TRUE(one(code(9, 1e-30f), 1e10f).out.failed);
  EXPECT_TRUE(one(code(24), 1e20f, 1e20f).out.failed);
  std::vector<float> w{0, 0, 1};  // entry 0 is 0: 0 times 10^100 is 0
  EXPECT_TRUE(runTransform(code(18, 1000, 10), w, {}, 0, 2).failed);
  EXPECT_EQ(w, (std::vector<float>{0, 0, 0}));
  // 1 + 2x with the higher terms 0 is 2e35 at 1e35 though x^9 is past any range.
  TransformParams poly = code(2);
  poly.degree = 9;
  poly.poly[10] = 1, poly.poly[1] = 2;
  const OneRun r = one(poly, 1e35f);
  EXPECT_FALSE(r.out.failed);
  EXPECT_EQ(r.work[1], 2e35f);
}

// One torr (133.322368 Pa) for the vapour pressures and the barometric conversion.
TEST(TransformEngine, OneTorrForEveryPressure) {
  EXPECT_EQ(one(code(65), 20).work[1], GetSaturationWaterVaporContent(20));  // torr as computed
  TransformParams bar = code(67, 0);
  bar.pressure = float(1e5 / 133.322368);  // a pressure of 1 bar, in torr
  EXPECT_FLOAT_EQ(one(bar, 1).work[1], 1.0f);
}

TEST(TransformEngine, ZeroDivisorsAreRefusedBeforeAnySample) {
  for (TransformParams p : {code(1), code(8), code(9), code(66, -273.15f), code(67), code(68), code(69)}) {
    p.temperature = p.pressure = p.mass = p.a;
    const OneRun r = one(p, 5);
    EXPECT_TRUE(r.out.refused) << p.code;
    EXPECT_EQ(r.work[1], 5.0f) << p.code;
    EXPECT_TRUE(transformRefusal(p, true).has_value());
  }
  EXPECT_TRUE(one(code(20), 1).out.refused);  // no breakpoint table
  std::vector<float> work{0, 1, 2};
  EXPECT_TRUE(runTransform(code(22), work, {}, 0, 2).refused);  // no channel Y
}

// A replayed step or a custom record can hold any code and any bit pattern: a separator's
// code, or a constant the code uses that is no number, is refused before any sample.
TEST(TransformEngine, UnknownCodesAndConstantsThatAreNoNumberAreRefused) {
  const float nan = std::nanf(""), inf = INFINITY;
  TransformParams poly = code(2);
  poly.degree = 2;
  poly.poly[2] = nan;
  TransformParams scaledSum = code(22, nan);
  scaledSum.multiply = true;
  for (const TransformParams& p : {code(0), code(19), code(21), code(27), code(39), code(70), code(999), code(-3),
                                   code(6, nan), code(9, inf), code(5, 0, nan, 1), code(5, 0, 1, nan),
                                   code(16, 1, 0, -inf), code(41, nan), code(26, nan, 2), poly, scaledSum}) {
    const OneRun r = one(p, 5, 1);
    EXPECT_TRUE(r.out.refused) << p.code;
    EXPECT_EQ(r.work[1], 5.0f) << p.code;
  }
  // Words a code does not use may hold anything.
  TransformParams unused = code(4, nan, nan, nan);
  unused.poly[3] = nan;
  EXPECT_FALSE(one(unused, 5).out.refused);
  EXPECT_FALSE(one(code(22, nan), 5, 1).out.refused) << "a is used only to multiply or divide";
}

TEST(TransformEngine, ResponseCorrectionStartsFromTheSampleBeforeTheRange) {
  const std::vector<float> x{5, 1, 3, 7, 15};
  std::vector<float> whole = x;
  runTransform(code(1, 2), whole, {}, 0, 4);
  EXPECT_EQ(whole, (std::vector<float>{5, 1, 2, 5, 11}));
  std::vector<float> block = x;
  runTransform(code(1, 2), block, {}, 3, 4);
  EXPECT_EQ(block, (std::vector<float>{5, 1, 3, 5, 11}));
}

TEST(TransformEngine, PolynomialBreakpointAndRange) {
  TransformParams poly = code(2);
  poly.degree = 2;
  poly.poly[10] = 1;
  poly.poly[1] = 2;
  poly.poly[2] = 3;
  EXPECT_EQ(one(poly, 2).work[1], 17.0f);
  poly.degree = 0;
  EXPECT_EQ(one(poly, 2).work[1], 1.0f);
  poly.degree = 50;  // acts as 9
  poly.poly.fill(1);
  EXPECT_EQ(one(poly, 1).work[1], 10.0f);

  TransformParams bp = code(20);
  BreakpointTable t{};
  t[24] = 1;
  t[26] = 1, t[27] = 0, t[28] = 2;
  t[31] = 4, t[32] = 1, t[33] = 1, t[34] = 0;
  bp.breakpoint = t;
  EXPECT_EQ(one(bp, 0.5f).work[1], 1.0f);
  EXPECT_EQ(one(bp, 2).work[1], 2.0f);
  t[26] = 3;  // power below the breakpoint fails at 0 and below
  bp.breakpoint = t;
  EXPECT_TRUE(one(bp, 0).out.failed);

  std::vector<float> w{1, 2, 3, 4, 5};
  runTransform(code(7, 10), w, {}, 2, 3);
  EXPECT_EQ(w, (std::vector<float>{1, 2, -7, -6, 5}));
  runTransform(code(7, 10), w, {}, 4, 3);  // empty range
  EXPECT_EQ(w[4], 5.0f);
}

// Samples go through the polynomial several at a time: every one, wherever it falls in a group
// and in the range, gets the bits of Horner's form taken on it alone, gaps stay and overflows fail.
TEST(TransformEngine, APolynomialOverARangeGivesEachSampleItsOwnResult) {
  TransformParams poly = code(2);
  poly.degree = 9;
  for (int i = 1; i <= 10; ++i) poly.poly[size_t(i)] = 0.1f * float(i) - 0.37f;
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  std::vector<float> x(40);
  for (size_t k = 0; k < x.size(); ++k) x[k] = 0.73f * float(k) - 9.1f;
  x[5] = nan, x[12] = 1e30f, x[13] = -inf, x[22] = nan, x[37] = 3e5f;
  for (const auto& [first, last] : {std::pair{0, 39}, std::pair{3, 36}, std::pair{7, 8}, std::pair{11, 11}}) {
    std::vector<float> w = x;
    const TransformOutcome out = runTransform(poly, w, {}, first, last);
    int failures = 0;
    for (int k = 0; k < 40; ++k) {
      if (k < first || k > last || std::isnan(x[size_t(k)])) {
        // Untouched: the same bits, a gap included.
        EXPECT_EQ(std::bit_cast<uint32_t>(w[size_t(k)]), std::bit_cast<uint32_t>(x[size_t(k)])) << k;
        continue;
      }
      double sum = 0.0;
      for (int i = 9; i >= 1; --i) sum = (sum + double(poly.poly[size_t(i)])) * double(x[size_t(k)]);
      sum += double(poly.poly[10]);
      const bool fits = std::fabs(sum) <= double(std::numeric_limits<float>::max());
      failures += !fits;
      EXPECT_EQ(w[size_t(k)], fits ? float(sum) : 0.0f) << k;
    }
    EXPECT_EQ(out.failed, failures > 0) << first << ".." << last;
  }
}

// Logarithms over awkward samples: each gets the bits of std::log taken on it alone (scaled for
// log10), gaps stay, and 0, negatives and infinities fail to 0.
TEST(TransformEngine, LogarithmsOverARangeKeepTheirBitsAndFailures) {
  const float nan = std::numeric_limits<float>::quiet_NaN(), inf = std::numeric_limits<float>::infinity();
  const std::vector<float> x = {0.0f,  1.0f,  -0.0f, nan,     1e-45f, 1e-38f, 3.4e38f, inf, -inf, -2.0f,
                                0.75f, 1e20f, 1e-3f, 2.7183f, 7.0f,   -nan,   65536.0f};
  for (const int16_t c : {int16_t(12), int16_t(13)}) {
    const double scale = c == 12 ? 1.0 : 0.43429448;
    std::vector<float> w = x;
    const TransformOutcome out = runTransform(code(c), w, {}, 1, int32_t(x.size()) - 1);
    EXPECT_TRUE(out.failed);
    EXPECT_EQ(w[0], 0.0f);  // outside the range
    for (size_t k = 1; k < x.size(); ++k) {
      if (std::isnan(x[k])) {
        EXPECT_TRUE(std::isnan(w[k])) << k;
        continue;
      }
      const bool fits = x[k] > 0 && std::isfinite(x[k]);
      const float want = fits ? float(std::log(double(x[k])) * scale) : 0.0f;
      EXPECT_EQ(std::bit_cast<uint32_t>(w[k]), std::bit_cast<uint32_t>(want)) << c << " at " << k;
    }
  }
  std::vector<float> fine = {0.0f, 0.5f, 2.0f, nan};
  EXPECT_FALSE(runTransform(code(12), fine, {}, 1, 3).failed);
}

// A long range is shared between threads a run at a time: every sample still gets its own bits,
// the cases outside the range are untouched, and one failure in the last run is reported. The
// logarithm and the polynomial (eight samples at a time, runs starting anywhere in a group).
TEST(TransformEngine, LongRangesMatchTheShortPass) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const int32_t n = 700001, first = 3, last = n - 5;
  std::vector<float> x(size_t(n) + 1);
  uint32_t seed = 7;
  for (float& v : x) {
    seed = seed * 1664525u + 1013904223u;
    v = float(seed >> 8) * (1.0f / 65536.0f) + 1e-3f;
  }
  for (int32_t k = 100; k <= n; k += 65536) x[size_t(k)] = nan;
  TransformParams poly = code(2);
  poly.degree = 9;
  for (int i = 1; i <= 10; ++i) poly.poly[size_t(i)] = 0.1f * float(i) - 0.37f;
  const auto polynomial = [&](float v) {
    double sum = 0.0;
    for (int i = 9; i >= 1; --i) sum = (sum + double(poly.poly[size_t(i)])) * double(v);
    return float(sum + double(poly.poly[10]));
  };
  struct Case {
    TransformParams params;
    float failing;  // a sample the transform fails on
    std::function<float(float)> want;
  };
  const Case cases[] = {{code(12), -1.0f, [](float v) { return float(std::log(double(v))); }},
                        {poly, 1e30f, polynomial}};
  for (const Case& c : cases)
    for (const bool withFailure : {false, true}) {
      std::vector<float> w = x;
      if (withFailure) w[size_t(last - 1)] = c.failing;
      const TransformOutcome out = runTransform(c.params, w, {}, first, last);
      EXPECT_EQ(out.failed, withFailure) << c.params.code;
      for (int32_t k = 0; k <= n; ++k) {
        const bool inside = k >= first && k <= last;
        float want = x[size_t(k)];
        if (inside && !std::isnan(want)) want = c.want(want);
        if (withFailure && k == last - 1) want = 0.0f;
        if (std::isnan(want)) EXPECT_TRUE(std::isnan(w[size_t(k)])) << k;
        else ASSERT_EQ(std::bit_cast<uint32_t>(w[size_t(k)]), std::bit_cast<uint32_t>(want)) << c.params.code << " at " << k;
      }
    }
}

TEST(TransformLabels, ConversionUnitsAndMass) {
  EXPECT_EQ(fixTransformLabel(41, "heat cal", "cal", "joules"), "heat joules");
  EXPECT_EQ(fixTransformLabel(41, "cal per min", "cal", "joules"), "joules per min");
  EXPECT_EQ(fixTransformLabel(41, "watts", "cal", "joules"), "watts");
  EXPECT_EQ(fixTransformLabel(17, "cal", "cal", "joules"), "cal");
  const std::string padded = std::string("VO2 ml/min") + std::string(20, ' ');
  EXPECT_EQ(fixTransformLabel(68, padded, "", ""), "VO2 ml/min /g");
  EXPECT_EQ(fixTransformLabel(69, "VO2", "", ""), "VO2/Kg");
  EXPECT_EQ(fixTransformLabel(68, std::string(30, 'x'), "", ""), std::string(30, 'x'));
  EXPECT_EQ(transformTypeName(20), "breakpoint (invalid) ");
  EXPECT_EQ(transformTypeName(19), "");
}
