#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "plot/scale.h"

using namespace qv::plot;

namespace {

Scale scaleOf(std::vector<float> values, int mode, Scale previous = {}) {
  values.insert(values.begin(), 0.0f);  // entry 0 holds no sample
  return scaleFor(scanExtremes(values.data(), 1, int32_t(values.size()) - 1), mode, previous);
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

}  // namespace

TEST(Scale, TableOfRangesInEveryMode) {
  struct Case {
    float lo, hi;
    int mode;
    float min, max;
    int lines;  // 0: left as it was
  } cases[] = {
      // High resolution: 5 % margins only.
      {0.3f, 0.9f, 0, 0.27f, 0.93f, 0},
      {5, 10, 0, 4.75f, 10.25f, 0},
      {0, 10, 0, -0.5f, 10.5f, 0},
      {-3, -1, 0, -3.1f, -0.9f, 0},
      {0, 1, 0, -0.05f, 1.05f, 0},
      // Normal: widened to a rounded scale.
      {0.3f, 0.9f, 2, 0.2f, 1.0f, 4},
      {5, 10, 2, 4, 11, 7},
      {0, 10, 2, -2.5f, 12.5f, 6},
      {-3, -1, 2, -4, 0, 4},
      {0, 1, 2, -0.25f, 1.25f, 6},
      // Include zero: zero taken in before rounding when the margins leave it out.
      {0.3f, 0.9f, 1, -0.25f, 1.25f, 6},
      {5, 10, 1, -2.5f, 12.5f, 6},
      {0, 10, 1, -2.5f, 12.5f, 6},
      {-3, -1, 1, -4, 1, 5},
      {0, 1, 1, -0.25f, 1.25f, 6},
  };
  for (const Case& c : cases) {
    const Scale s = scaleOf({c.lo, (c.lo + c.hi) / 2, c.hi}, c.mode, Scale{0, 1, 1, 99, 1});
    SCOPED_TRACE(testing::Message() << c.lo << ".." << c.hi << " mode " << c.mode);
    EXPECT_NEAR(s.minimumValue, c.min, 1e-5);
    EXPECT_NEAR(s.maximumValue, c.max, 1e-5);
    EXPECT_EQ(s.plotLines, c.lines ? c.lines : 99);
  }
}

TEST(Scale, IncludeZeroRangeIsTheWidenedRange) {
  // 5..10: margins 4.75..10.25, zero taken in as -1.025..11.275, then rounded.
  const Scale s = scaleOf({5, 10}, kIncludeZero);
  EXPECT_NEAR(s.range, 12.3f, 1e-4);
  EXPECT_FLOAT_EQ(s.minimumValue, -2.5f);
  EXPECT_FLOAT_EQ(s.maximumValue, 12.5f);
}

TEST(Scale, FixedLimitsKeepTheCallersLimits) {
  const Scale s = scaleOf({3, 8}, kFixedLimits, Scale{-100, 100, 0, 5, 1});
  EXPECT_EQ(s.minimumValue, -100);
  EXPECT_EQ(s.maximumValue, 100);
  EXPECT_EQ(s.range, 5);  // the data range
  EXPECT_EQ(s.plotLines, 5);
}

TEST(Scale, FlatChannelKeepsEqualLimitsExceptWithZeroIncluded) {
  for (int mode : {kHighResolution, kNormalScale}) {
    const Scale s = scaleOf({5, 5, 5}, mode);
    EXPECT_EQ(s.minimumValue, 5) << mode;
    EXPECT_EQ(s.maximumValue, 5) << mode;
    EXPECT_EQ(s.range, 0) << mode;
  }
  const Scale z = scaleOf({5, 5, 5}, kIncludeZero);  // -0.5..5.5, rounded
  EXPECT_FLOAT_EQ(z.minimumValue, -1);
  EXPECT_FLOAT_EQ(z.maximumValue, 6);
  EXPECT_EQ(z.plotLines, 7);
  // The drawing opens a flat scale to one unit so that nothing divides by zero.
  const DrawScale d = drawScale(5, 5);
  EXPECT_EQ(d.low, 5);
  EXPECT_EQ(d.high, 6);
}

TEST(Scale, NonFiniteSamplesAreIgnoredFromTheFirstOn) {
  const Scale a = scaleOf({kNaN, 2, kInf, 4, kNaN, -kInf}, kHighResolution);
  EXPECT_NEAR(a.minimumValue, 1.9f, 1e-6);
  EXPECT_NEAR(a.maximumValue, 4.1f, 1e-6);
  const Extremes e = scanExtremes(std::vector<float>{0, kNaN, 7}.data(), 1, 2);
  EXPECT_EQ(e.min, 7);
  EXPECT_EQ(e.max, 7);
  EXPECT_EQ(e.finite, 1);
}

TEST(Scale, NoFiniteSampleGivesAUnitScale) {
  for (int mode : {kHighResolution, kIncludeZero, kNormalScale}) {
    for (const std::vector<float>& values : {std::vector<float>{}, std::vector<float>{kNaN, kNaN, kInf}}) {
      const Scale s = scaleOf(values, mode, Scale{0, 1, 1, 5, 1});
      EXPECT_EQ(s.minimumValue, 0);
      EXPECT_EQ(s.maximumValue, 1);
      EXPECT_EQ(s.range, 1);
    }
  }
}

TEST(Scale, ExtremeValuesKeepTheirMarginsAndStayFinite) {
  const Scale huge = scaleOf({-3e38f, 3e38f}, kNormalScale);
  EXPECT_TRUE(std::isfinite(huge.minimumValue));
  EXPECT_TRUE(std::isfinite(huge.maximumValue));
  EXPECT_TRUE(std::isfinite(huge.range));
  const Scale big = scaleOf({0, 1e25f}, kNormalScale);
  EXPECT_FLOAT_EQ(big.maximumValue, 1.05e25f);  // no rounding beyond 1e20
  // A range too small for the table keeps its margins.
  const Scale tiny = scaleOf({1, 1 + 1e-6f}, kNormalScale);
  EXPECT_LE(tiny.minimumValue, 1);
  EXPECT_GE(tiny.maximumValue, 1 + 1e-6f);
  const Scale minute = scaleOf({0, 1e-23f}, kNormalScale);
  EXPECT_GT(minute.maximumValue, minute.minimumValue);
}

TEST(Scale, GridLabelsStepDownFromTheTop) {
  const DrawScale d{0.2, 1.0};
  EXPECT_NEAR(gridLabelValue(d, 1, 4), 0.8, 1e-9);
  EXPECT_NEAR(gridLabelValue(d, 4, 4), 0.2, 1e-9);
  EXPECT_EQ(gridLabelValue(DrawScale{-1, 1}, 2, 4), 0.0);
  EXPECT_EQ(gridLabelValue(DrawScale{-1, 1 + 1e-8}, 2, 4), 0.0);
}

TEST(Scale, ModeWordOfAChannel) {
  EXPECT_EQ(scaleModeOf(-1), kFixedLimits);
  EXPECT_EQ(scaleModeOf(1.9f), kIncludeZero);
  EXPECT_EQ(scaleModeOf(std::numeric_limits<float>::quiet_NaN()), kNormalScale);
  EXPECT_EQ(scaleModeOf(std::numeric_limits<float>::infinity()), kNormalScale);
  EXPECT_EQ(scaleModeOf(1e9f), 32767);
}
