// The periodicity test's regressions, their best and peaks, and its export.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

#include "core/fit_state.h"
#include "rhythm/periodicity.h"

namespace qv {
namespace {

// y at case i (entry 0 is case 0, outside any block used here): two harmonics of `period` and
// noise from a linear congruential generator.
std::vector<float> noisyWave(int n, double period, double noise) {
  std::vector<float> y(size_t(n) + 1);
  uint64_t u = 1;
  for (int i = 0; i <= n; ++i) {
    u = (1103515245ull * u + 12345ull) % (1ull << 31);
    const double th = 2 * std::numbers::pi * i / period;
    y[size_t(i)] = float(std::sin(th) + 0.6 * std::sin(2 * th) + noise * (double(u) / double(1ull << 31) - 0.5));
  }
  return y;
}

TEST(Periodicity, NamesThePeriodOfANoisyWaveWithItsOwnSums) {
  const auto y = noisyWave(45, 12, 4);
  const auto r = periodicityRegressions(y, 1, 40, 1, 1, 20, 1.0f);
  ASSERT_EQ(r.size(), 20u);
  const int32_t best = bestRegression(r);
  ASSERT_EQ(best, 10);
  EXPECT_FLOAT_EQ(r[10].interval, 12.0f);
  EXPECT_NEAR(r[10].r2, 0.38080, 5e-6);
  EXPECT_NEAR(r[10].slope, 0.49530, 5e-6);
  EXPECT_EQ(r[10].n, 28);
  LineFit fit;
  fit.n = r[10].n, fit.Sxx = r[10].Sxx, fit.Syy = r[10].Syy, fit.Sxy = r[10].Sxy, fit.b = r[10].slope;
  fit.r2 = r[10].r2;
  EXPECT_NEAR(testSlope(fit, 0.0f), 0.000469, 5e-7);
  EXPECT_NEAR(r[0].r2, 0.0682395, 1e-7);
  EXPECT_NEAR(r[19].r2, 0.0874211, 1e-7);

  const auto peaks = otherPeaks(r, peakThreshold(0.01), maximumR2(r));
  std::vector<float> at;
  for (int32_t k : peaks) at.push_back(r[size_t(k)].interval);
  EXPECT_EQ(at, (std::vector<float>{7, 14, 18, 20}));
  EXPECT_NEAR(r[5].r2, 0.16253, 5e-6);
  EXPECT_NEAR(r[12].r2, 0.18738, 5e-6);
  EXPECT_NEAR(r[16].r2, 0.13162, 5e-6);
  EXPECT_NEAR(r[18].r2, 0.23408, 5e-6);
}

TEST(Periodicity, ThresholdsOutsideZeroToOneAreOneHundredth) {
  for (double t : {0.0, 1.0, 3.0, -2.0, std::nan("")}) EXPECT_FLOAT_EQ(peakThreshold(t), 0.01f) << t;
  EXPECT_FLOAT_EQ(peakThreshold(0.2), 0.2f);
}

TEST(Periodicity, KeepsThreePointsInTheLastRegression) {
  // 40 cases, lag 1, step 1: the last regression allowed is 36, with 3 pairs.
  EXPECT_EQ(periodicityLimit(1, 40, 1, 1), 36);
  EXPECT_EQ(periodicityLimit(1, 40, 1, 2), 18);
  EXPECT_EQ(periodicityLimit(1, 40, 38, 1), 0);
  EXPECT_EQ(periodicityLimit(1, 40, 40000, 1), 0);
  const auto y = noisyWave(45, 12, 4);
  const auto r = periodicityDirect(y, 1, 40, 1, 1, 36, 1.0f);
  EXPECT_EQ(r.back().n, 3);
}

TEST(Periodicity, LagAndStepBelowOneOrNotANumberAreOne) {
  EXPECT_EQ(lagOrStep(-5), 1);
  EXPECT_EQ(lagOrStep(0), 1);
  EXPECT_EQ(lagOrStep(std::nan("")), 1);
  EXPECT_EQ(lagOrStep(3.7), 3);
  EXPECT_EQ(lagOrStep(40000), 40000);
  EXPECT_EQ(lagOrStep(1e12), std::numeric_limits<int32_t>::max());
}

TEST(Periodicity, EqualMaximaNameTheLaterInterval) {
  std::vector<float> y(301);
  for (int i = 0; i <= 300; ++i) {
    const double th = 2 * std::numbers::pi * i / 20;
    y[size_t(i)] = float(std::sin(th) + 0.6 * std::sin(2 * th));
  }
  const auto r = periodicityRegressions(y, 1, 300, 1, 1, 50, 1.0f);
  EXPECT_NEAR(r[18].r2, 1.0f, 1e-6);
  EXPECT_NEAR(r[38].r2, 1.0f, 1e-6);
  EXPECT_EQ(r[size_t(bestRegression(r))].interval, 40.0f);
  EXPECT_NEAR(r[8].r2, 0.2211, 5e-5);
}

TEST(Periodicity, AFlatStretchHasNoRSquared) {
  std::vector<float> y(101, 2.5f);
  const auto flat = periodicityRegressions(y, 1, 100, 1, 1, 20, 1.0f);
  for (const auto& x : flat) EXPECT_TRUE(std::isnan(x.r2));
  EXPECT_EQ(bestRegression(flat), -1);
  EXPECT_TRUE(otherPeaks(flat, 0.01f, maximumR2(flat)).empty());
  // Flat at the start only: a regression whose x cases all lie in the flat stretch has none.
  for (int i = 51; i <= 100; ++i) y[size_t(i)] = float(i % 7);
  for (auto method : {periodicityDirect, periodicityByFft}) {
    const auto part = method(y, 1, 100, 1, 1, 60, 1.0f);
    for (size_t k = 0; k < part.size(); ++k) EXPECT_EQ(std::isnan(part[k].r2), k >= 48) << k;
  }
}

TEST(Periodicity, TheTransformAgreesWithTheDirectLoop) {
  // Offset and long: the centring keeps the digits.
  auto y = noisyWave(5000, 37, 1);
  for (auto& v : y) v += 1000.0f;
  const auto a = periodicityDirect(y, 11, 4990, 3, 2, 1500, 0.5f);
  const auto b = periodicityByFft(y, 11, 4990, 3, 2, 1500, 0.5f);
  ASSERT_EQ(a.size(), b.size());
  for (size_t k = 0; k < a.size(); ++k) {
    EXPECT_EQ(a[k].n, b[k].n);
    EXPECT_NEAR(a[k].r2, b[k].r2, 1e-6) << k;
    EXPECT_FLOAT_EQ(a[k].interval, b[k].interval);
  }
}

TEST(Periodicity, GapsAreLeftOutOfThePairs) {
  auto y = noisyWave(60, 12, 1);
  y[20] = std::numeric_limits<float>::quiet_NaN();
  const auto r = periodicityRegressions(y, 1, 59, 1, 1, 40, 1.0f);
  // Offset 2: 57 pairs, of which two hold case 20.
  EXPECT_EQ(r[0].n, 55);
  for (const auto& x : r) EXPECT_TRUE(std::isfinite(x.r2));
}

TEST(Periodicity, TextsOfIntervalsAndTicks) {
  EXPECT_EQ(intervalText(12, " hr"), "12 sec");
  EXPECT_EQ(intervalText(600, " hr"), "10 min");
  EXPECT_EQ(intervalText(7200, " hours"), "2 hours");
  EXPECT_EQ(intervalText(172800, " hr"), "2 days");
  EXPECT_EQ(periodText(12, 20), "12 sec");
  EXPECT_EQ(periodText(12, 300), "12 seconds");
  EXPECT_EQ(periodText(60 * 60, 300), "60 minutes");
  EXPECT_EQ(periodText(3600 * 3, 20), "3 hours");
  EXPECT_EQ(periodText(86400, 20), "1 day");
  for (auto [K, every] : std::vector<std::pair<int, int>>{{50, 25}, {100, 25}, {200, 50}, {20, 2}, {5, 1}, {1, 1}})
    EXPECT_EQ(tickEvery(K), every) << K;
}

TEST(Periodicity, ExportWritesEveryIntervalAndLeavesMissingCellsEmpty) {
  const auto y = noisyWave(45, 12, 4);
  auto r = periodicityRegressions(y, 1, 40, 1, 1, 20, 1.0f);
  r[3].r2 = std::numeric_limits<float>::quiet_NaN();
  const std::string t = periodicityExportText({"run.KXdata", "flow", 1, 40, 20, ',', 5}, r);
  EXPECT_EQ(t.substr(0, t.find("2,")),
            "File: 'run.KXdata'\n    channel:  flow\nSample 2 to 41  (N = 40) \ntest period 20 samples\n"
            "    number of points in regressions: 20\n_____________________________________________________\n"
            "interval (sec) ,r-squared\n");
  EXPECT_NE(t.find("\n2,0.0682395\n"), std::string::npos);
  EXPECT_NE(t.find("\n5,\n"), std::string::npos);
  EXPECT_NE(t.find("\n21,0.0874211\n"), std::string::npos);
}

}  // namespace
}  // namespace qv
