#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "output/area_integral.h"
#include "core/stats_state.h"
#include "case_samples.h"

using namespace qv;

namespace {

using statstest::channel;

AreaRange whole(const std::vector<float>& v) { return {1, int32_t(v.size()) - 1}; }

// The subset flags of a channel: 1.0 for each case kept (entry 0 the count).
std::vector<float> subsetFlags(std::initializer_list<float> flags) { return channel(flags); }

CaseFilters subsetOn(const std::vector<float>& flags) {
  CaseFilters f;
  f.useSubset = true;
  f.subset = flags;
  return f;
}

}  // namespace

TEST(AreaIntegral, BaselinesAndUnitsOnATable) {
  const std::vector<float> x = channel({1, 2, 3, 4});
  struct Case {
    int16_t mode, unit;
    double interval, user, integral;
  } cases[] = {
      {kBaselineZero, kUnitNoneArea, 0.5, 0, 10},
      {kBaselineZero, kUnitNone, 0.5, 0, 10},  // "None" of the other windows is no unit too
      {kBaselineZero, kUnitSeconds, 0.5, 0, 5},
      {kBaselineZero, kUnitMinutes, 0.5, 0, 0.0833333},
      {kBaselineZero, kUnitHours, 0.5, 0, 0.00138889},
      {kBaselineZero, kUnitDays, 0.5, 0, 5.787037e-05},
      {54, kUnitSeconds, 0.5, 0, 5},  // the start-up mode integrates against zero
      {kBaselineStart, kUnitSeconds, 0.5, 0, 3},
      {kBaselineEnd, kUnitSeconds, 0.5, 0, -3},
      {kBaselineProportional, kUnitSeconds, 0.5, 0, 0},
      {kBaselineUser, kUnitSeconds, 0.5, 2, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.mode << " " << c.unit);
    const AreaIntegral a = integrateArea(x, whole(x), c.mode, c.user, c.unit, c.interval);
    ASSERT_TRUE(a.valid());
    EXPECT_NEAR(a.integral, c.integral, std::fabs(c.integral) * 1e-5 + 1e-12);
    EXPECT_EQ(a.n, 4);
    EXPECT_EQ(a.min, 1.0f);
    EXPECT_EQ(a.max, 4.0f);
  }
}

TEST(AreaIntegral, ScalingAddsTheConstantAgainstZeroOnly) {
  // At 1 s in seconds, x 2 + 10: the addend cancels against a baseline from the data or typed.
  const std::vector<float> x = channel({1, 2, 3, 4});
  const ResultScaling s{2.0, 10.0};
  struct Case {
    int16_t mode;
    double shown;
  } cases[] = {{kBaselineZero, 60}, {kBaselineStart, 12}, {kBaselineEnd, -12},
               {kBaselineProportional, 0}, {kBaselineUser, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    const AreaIntegral a = integrateArea(x, whole(x), c.mode, 2.0, kUnitSeconds, 1.0);
    EXPECT_NEAR(scaledIntegral(a.integral, a.n, s, c.mode, kUnitSeconds, 1.0), c.shown, 1e-9);
  }
  // With "None" the addend counts once a case.
  EXPECT_NEAR(scaledIntegral(10, 4, s, kBaselineZero, kUnitNoneArea, 0.5), 60, 1e-9);
}

TEST(AreaIntegral, ProportionalBaselineRunsFromEndToEnd) {
  std::vector<float> ramp{-9999.0f};
  for (int k = 0; k <= 10; ++k) ramp.push_back(float(k));
  const AreaIntegral a = integrateArea(ramp, whole(ramp), kBaselineProportional, 0, kUnitNoneArea, 1);
  EXPECT_NEAR(a.integral, 0.0, 1e-9);
  EXPECT_EQ(a.baseAtBegin, 0.0f);
  EXPECT_EQ(a.baseAtEnd, 10.0f);
}

TEST(AreaIntegral, SubsetSkipsCasesButTheBaselineStillAdvances) {
  const std::vector<float> x = channel({1, 5, 9, 4, 5});
  const std::vector<float> flags = subsetFlags({1, 1, 0, 1, 1});
  const CaseFilters f = subsetOn(flags);
  const AreaIntegral zero = integrateArea(x, whole(x), kBaselineZero, 0, kUnitNoneArea, 1, f);
  EXPECT_DOUBLE_EQ(zero.integral, 15);
  EXPECT_EQ(zero.n, 4);
  EXPECT_EQ(zero.max, 5.0f);  // the excluded 9 is not among the values summed
  const AreaIntegral prop = integrateArea(x, whole(x), kBaselineProportional, 0, kUnitNoneArea, 1, f);
  EXPECT_DOUBLE_EQ(prop.integral, 3);
  EXPECT_EQ(prop.n, 4);

  // The cumulative series adds the included cases only, and is written at every case.
  std::vector<float> out(x.size(), -1.0f);
  const AreaBaseline b = areaBaseline(x, whole(x), kBaselineProportional, 0);
  const CumulativeSeries c = cumulativeArea(x, whole(x), b, f, out);
  EXPECT_EQ(out, (std::vector<float>{-1, 0, 3, 3, 3, 3}));
  EXPECT_EQ(c.n, 4);
  const CumulativeCurve curve = cumulativeCurve(x, out, whole(x), c.n, f, 120, 415);
  EXPECT_EQ(curve.points.size(), 4u);  // the excluded case is not drawn
  EXPECT_EQ(curve.max, 3.0);
  EXPECT_EQ(curve.min, 0.0);
  // ... so the curve ends at the integral.
  EXPECT_EQ(out.back(), float(prop.integral));
}

TEST(AreaIntegral, RangesAndGuards) {
  // Limits: a right limit at the block's first case is a range of one case, not "none".
  EXPECT_EQ(areaRange(300, 600, 50, 250, true, 900).begin, 350);
  EXPECT_EQ(areaRange(300, 600, 50, 250, true, 900).end, 550);
  EXPECT_EQ(areaRange(300, 600, 0, 0, true, 900).end, 300);
  EXPECT_EQ(areaRange(300, 600, 0, 0, false, 900).end, 600);
  EXPECT_TRUE(areaRange(300, 600, 200, 100, true, 900).empty());

  const std::vector<float> x = channel({4, 7, 9});
  // One case, proportional: the baseline is the value, the integral 0.
  const AreaIntegral one = integrateArea(x, {2, 2}, kBaselineProportional, 0, kUnitSeconds, 1);
  EXPECT_TRUE(one.valid());
  EXPECT_EQ(one.integral, 0.0);
  EXPECT_EQ(one.baseAtBegin, 7.0f);
  // An empty range: nothing summed, nothing to report.
  const AreaIntegral none = integrateArea(x, {3, 2}, kBaselineZero, 0, kUnitSeconds, 1);
  EXPECT_FALSE(none.valid());
  EXPECT_EQ(none.integral, 0.0);
  // Every case filtered out.
  const std::vector<float> flags = subsetFlags({0, 0, 0});
  EXPECT_FALSE(integrateArea(x, whole(x), kBaselineZero, 0, kUnitSeconds, 1, subsetOn(flags)).valid());
  // A timed unit needs a positive, finite interval; "None" does not.
  for (double bad : {0.0, -1.0, double(NAN), double(INFINITY)}) {
    EXPECT_TRUE(integrateArea(x, whole(x), kBaselineZero, 0, kUnitMinutes, bad).badInterval);
    EXPECT_FALSE(integrateArea(x, whole(x), kBaselineZero, 0, kUnitNoneArea, bad).badInterval);
  }
}

TEST(AreaIntegral, CurveKeepsEachColumnsExtremesAndStaysFiniteWhenFlat) {
  // 1000 cases over 11 columns: at most four points a column, the true extremes kept.
  std::vector<float> x{0.0f};
  for (int k = 1; k <= 1000; ++k) x.push_back(k == 500 ? 1000.0f : k % 2 ? 1.0f : -1.0f);
  const AreaRange r = whole(x);
  std::vector<float> cum(x.size());
  const CumulativeSeries c = cumulativeArea(x, r, {}, {}, cum);
  CumulativeCurve curve = cumulativeCurve(x, cum, r, c.n, {}, 120, 130);
  curveToPixels(curve.points, {curve.min, curve.max, 7, 107});
  const std::vector<IntegralPoint>& pts = curve.points;
  EXPECT_LE(pts.size(), size_t(4 * 11));
  EXPECT_EQ(pts.front().x, 120.0);
  EXPECT_EQ(pts.back().x, 130.0);
  double top = 1e9, bottom = -1e9;
  for (const IntegralPoint& p : pts) {
    top = std::min(top, p.y);
    bottom = std::max(bottom, p.y);
  }
  EXPECT_DOUBLE_EQ(top, 7.0);
  EXPECT_DOUBLE_EQ(bottom, 107.0);
  // Every column of the eleven has its points.
  std::vector<double> xs;
  for (const IntegralPoint& p : pts)
    if (xs.empty() || xs.back() != p.x) xs.push_back(p.x);
  EXPECT_EQ(xs.size(), 11u);

  // A flat curve is drawn at mid-height; the circles of a short range at their own x.
  const std::vector<float> flat = channel({0, 0, 0, 0});
  std::vector<float> fc(flat.size());
  const CumulativeSeries fs = cumulativeArea(flat, whole(flat), {}, {}, fc);
  CumulativeCurve flatCurve = cumulativeCurve(flat, fc, whole(flat), fs.n, {}, 120, 415);
  curveToPixels(flatCurve.points, {flatCurve.min, flatCurve.max, 7, 107});
  const std::vector<IntegralPoint>& fp = flatCurve.points;
  ASSERT_EQ(fp.size(), 4u);
  for (const IntegralPoint& p : fp) EXPECT_EQ(p.y, 57.0);
  EXPECT_NEAR(fp[1].x, 120 + 295 / 3.0, 0.5);
}

TEST(AreaIntegral, LongRangesAgreeWithACaseByCaseSum) {
  // Long ranges of every length around the passes' blocks, with samples that are not numbers
  // and a subset that keeps cases at random, against the plain sum of the definition.
  std::vector<float> x{0.0f}, flags{0.0f};
  uint32_t seed = 7;
  auto next = [&] { return (seed = seed * 1664525u + 1013904223u) >> 8; };
  for (int k = 1; k <= 5000; ++k) {
    x.push_back(20.0f + float(next() % 1000) / 100.0f);
    flags.push_back(next() % 10 ? 1.0f : 0.0f);
  }
  x[77] = NAN;
  x[2100] = INFINITY;
  x[3333] = -INFINITY;
  const CaseFilters on = subsetOn(flags);
  for (int16_t mode : {kBaselineZero, kBaselineStart, kBaselineProportional}) {
    for (AreaRange r : {AreaRange{1, 5000}, AreaRange{3, 1026}, AreaRange{2, 1027}, AreaRange{5, 1028},
                        AreaRange{70, 80}, AreaRange{4000, 4006}}) {
      for (bool subset : {false, true}) {
        SCOPED_TRACE(testing::Message() << mode << " " << r.begin << ".." << r.end << " " << subset);
        const AreaBaseline b = areaBaseline(x, r, mode, 0);
        double sum = 0.0;
        int32_t n = 0;
        float lo = INFINITY, hi = -INFINITY;
        for (int32_t k = r.begin; k <= r.end; ++k) {
          if (!std::isfinite(x[size_t(k)]) || (subset && flags[size_t(k)] != 1.0f)) continue;
          sum += double(x[size_t(k)]) - b.at(r.begin, k);
          ++n;
          lo = std::min(lo, x[size_t(k)]);
          hi = std::max(hi, x[size_t(k)]);
        }
        const AreaIntegral a = integrateArea(x, r, mode, 0, kUnitNoneArea, 1, subset ? on : CaseFilters{});
        EXPECT_EQ(a.n, n);
        EXPECT_NEAR(a.integral, sum, 1e-6 * (std::fabs(sum) + 1));
        EXPECT_EQ(a.min, lo);
        EXPECT_EQ(a.max, hi);
        std::vector<float> cum(x.size());
        EXPECT_EQ(cumulativeArea(x, r, b, subset ? on : CaseFilters{}, cum).n, n);
        EXPECT_NEAR(cum[size_t(r.end)], sum, 1e-3 * (std::fabs(sum) + 1));
      }
    }
  }
}
