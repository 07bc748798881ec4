// The per-sample computation: each code on hand-picked samples, failures, refusals, ranges.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

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
      {code(67, 760), 2, 0, 1.97384f, false},
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
