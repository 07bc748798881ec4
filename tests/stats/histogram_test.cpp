#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "stats/histogram.h"

using namespace qv;

namespace {
std::vector<float> casesOf(std::vector<float> values) {
  values.insert(values.begin(), 0.0f);
  return values;
}
int32_t last(const std::vector<float>& v) { return int32_t(v.size()) - 1; }
const HistogramWindow kAll{-1e30f, 1e30f};
}  // namespace

TEST(Histogram, BinsOfARange) {
  std::vector<float> v;
  for (int i = 0; i <= 100; ++i) v.push_back(float(i));
  v = casesOf(v);
  HistogramCounts h = histogramCounts(v, 1, last(v), 0, 100, 40, kAll, false);
  ASSERT_EQ(h.bins, 40);
  EXPECT_EQ(h.counted, 101);
  EXPECT_EQ(h.counts[1], 3);   // 0, 1, 2
  EXPECT_EQ(h.counts[40], 3);  // 98 (39.2), 99 (39.6) and 100, the top of the range
  EXPECT_EQ(h.N, 101);

  // The value window leaves values out; N counts the window only in limit mode.
  HistogramCounts w = histogramCounts(v, 1, last(v), 0, 100, 40, {10, 20}, true);
  EXPECT_EQ(w.counted, 11);
  EXPECT_EQ(w.N, 11);
  EXPECT_EQ(histogramCounts(v, 1, last(v), 0, 100, 40, {10, 20}, false).N, 101);
}

TEST(Histogram, FewerValuesThanBinsUseTheBinsChosen) {
  std::vector<float> v = casesOf({1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
  HistogramCounts h = histogramCounts(v, 1, last(v), 1, 10, 40, kAll, false);
  ASSERT_EQ(h.bins, 40);
  EXPECT_EQ(h.counts[1], 1);
  EXPECT_EQ(h.counts[40], 1);  // 10, at the right end of the value axis
  EXPECT_EQ(h.counts[5], 1);   // 2: trunc(1 x 40 / 9) + 1
  EXPECT_EQ(h.tallest, 1);
  EXPECT_EQ(h.tallestPercent(), 10);
}

TEST(Histogram, NonFiniteSamplesAreNoValues) {
  const float nan = std::nanf("");
  std::vector<float> v = casesOf({1, nan, 2, INFINITY, 3, -INFINITY, 4});
  // The window open to infinity must not let the infinite samples in either.
  const HistogramWindow open{-INFINITY, INFINITY};
  for (bool limitMode : {false, true}) {
    HistogramCounts h = histogramCounts(v, 1, last(v), 1, 4, 4, open, limitMode);
    EXPECT_EQ(h.N, 4) << limitMode;
    EXPECT_EQ(h.counted, 4) << limitMode;
    EXPECT_EQ(h.tallestPercent(), 25) << limitMode;
  }
  EXPECT_EQ(finiteCases(v, 1, last(v)), 4);
  EXPECT_EQ(finiteCases(v, 0, 1000), 4);
}

TEST(Histogram, NothingToCountIsNoFault) {
  std::vector<float> equal = casesOf({3, 3, 3});
  std::vector<float> some = casesOf({1, 2, 3});
  const HistogramCounts cases[] = {
      histogramCounts(equal, 1, 3, 3, 3, 40, kAll, false),                  // zero range
      histogramCounts(some, 1, 3, 1, 3, binsFromWidth(2.0, 5.0), kAll, false),  // zero bins
      histogramCounts(some, 3, 1, 1, 3, 40, kAll, false),                   // zero cases
      histogramCounts({}, 1, 3, 1, 3, 40, kAll, false),                     // no data
      histogramCounts(some, 1, 3, 1, std::nanf(""), 40, kAll, false),       // no range at all
  };
  for (const HistogramCounts& h : cases) {
    EXPECT_EQ(h.counted, 0);
    EXPECT_EQ(h.tallest, 0);
    LargeHistogramLayout l = largeHistogramLayout(h, 2.0, 1.0f, 1.0f);
    EXPECT_EQ(l.area, 0.0);
    EXPECT_FALSE(l.hasMeanLine);
  }
  EXPECT_EQ(histogramCounts(some, 3, 1, 1, 3, 40, kAll, false).tallestPercent(), 0);
}

TEST(Histogram, TypedBinsAndWidths) {
  EXPECT_EQ(clampBinCount(3000), 2000);
  EXPECT_EQ(clampBinCount(2), 5);
  EXPECT_EQ(clampBinCount(std::nan("")), 5);
  EXPECT_EQ(clampBinCount(57.9), 57);
  EXPECT_EQ(binsFromWidth(100, 2.5), 40);
  EXPECT_EQ(binsFromWidth(100, 0.001), 2000);
  EXPECT_EQ(binsFromWidth(100, 0), 0);
  EXPECT_EQ(binsFromWidth(1, 5), 0);
  EXPECT_EQ(binsFromWidth(0, 1), 0);
}

TEST(Histogram, WindowFollowsTheLimitSwitches) {
  auto w = histogramWindow(true, false, true, true, 0, 10, 2, 8);
  EXPECT_EQ(w.lower, 0.0f);
  EXPECT_EQ(w.upper, 10.0f);
  w = histogramWindow(true, true, true, false, 0, 10, 2, 8);
  EXPECT_EQ(w.lower, 2.0f);
  EXPECT_EQ(w.upper, 10.0f);
  w = histogramWindow(false, false, false, true, 0, 10, 2, 8);  // small: by the switches alone
  EXPECT_EQ(w.lower, 0.0f);
  EXPECT_EQ(w.upper, 8.0f);
}

TEST(Histogram, BarsAndTheNormalCurveShareTheirArea) {
  // A bell of values around 50 with S.D. 10.
  std::vector<float> v;
  double sum = 0, squares = 0;
  for (int i = 1; i < 4000; ++i) {
    // Inverse of the normal distribution by bisection, at evenly spread probabilities.
    double p = i / 4000.0, lo = -8, hi = 8;
    for (int k = 0; k < 60; ++k) {
      double mid = (lo + hi) / 2;
      (0.5 * std::erfc(-mid / std::sqrt(2.0)) < p ? lo : hi) = mid;
    }
    v.push_back(float(50 + 10 * lo));
    sum += v.back();
  }
  const double mean = sum / double(v.size());
  for (float x : v) squares += (x - mean) * (x - mean);
  const double sd = std::sqrt(squares / double(v.size()));
  const auto [mn, mx] = std::minmax_element(v.begin(), v.end());
  const float mi = *mn, ma = *mx;
  v = casesOf(v);

  HistogramCounts h = histogramCounts(v, 1, last(v), mi, ma, 40, kAll, false);
  LargeHistogramLayout l = largeHistogramLayout(h, mean, mi, ma);
  ASSERT_TRUE(l.hasMeanLine);
  EXPECT_NEAR(l.meanX, 91 + (mean - mi) * 500 / (ma - mi), 0.5);
  EXPECT_EQ(l.bars[1].left, 91);
  EXPECT_EQ(l.bars[40].left, int(591 - l.barWidth));
  EXPECT_EQ(l.bars[20].height == 270 || l.bars[21].height == 270, true);

  std::vector<CurvePoint> curve = normalCurve(l.meanX, ma - mi, l.area, sd);
  ASSERT_EQ(curve.size(), 501u);  // no column of this bell leaves the frame
  double curveArea = 0;
  int peakY = 1000, firstTop = 0, lastTop = 0;
  for (const CurvePoint& p : curve) {
    curveArea += 277 - p.y;
    if (p.y < peakY) peakY = p.y, firstTop = p.x;
    if (p.y == peakY) lastTop = p.x;
  }
  // Each column is cut to a whole pixel: at most one pixel per column apart.
  EXPECT_NEAR(curveArea, l.area, 501);
  EXPECT_NEAR(curveArea / l.area, 1.0, 0.06);
  EXPECT_NEAR((firstTop + lastTop) / 2.0, l.meanX, 1);  // the top of the curve is on the mean

  EXPECT_TRUE(normalCurve(l.meanX, ma - mi, l.area, 0.0).empty());  // zero S.D.: no curve
  EXPECT_TRUE(normalCurve(l.meanX, 0.0, l.area, sd).empty());
  EXPECT_TRUE(normalCurve(l.meanX, ma - mi, 0.0, sd).empty());
}

TEST(Histogram, BarHeights) {
  EXPECT_EQ(barHeight(0, 10, 270), 0);
  EXPECT_EQ(barHeight(1, 1000, 270), 1);  // a bin holding anything shows
  EXPECT_EQ(barHeight(10, 10, 58), 58);
  EXPECT_EQ(barHeight(5, 0, 58), 0);
}
