// The fits and the slope test called directly, checked against sums worked out here.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "fitting/line_fit.h"

using namespace qv;

namespace {

// Index = case number; case 0 holds no sample.
const std::vector<float> kY{0, 2, 4, 5, 4, 5};
const std::vector<float> kX{0, 1, 2, 3, 4, 5};

struct PCase {
  int df;
  double t, p;
};

TEST(TestSlope, StudentProbabilitiesForEvenAndOddDf) {
  const PCase cases[] = {{1, 1, 0.50000},  {2, 1, 0.42265},     {3, 1, 0.39100}, {3, 2.12132, 0.12403},
                         {10, 2.228, 0.05001}, {30, 2.042, 0.05003}, {5, 2.570582, 0.05000}, {7, 0.0, 1.0}};
  for (const PCase& c : cases) EXPECT_NEAR(twoSidedStudentP(c.t, c.df), c.p, 6e-6) << c.df << " " << c.t;
}

TEST(TestSlope, ProbabilityOfTheFitAndItsFloor) {
  const LineFit fit = fitBetween(kX, kY, 1, 5, {});
  EXPECT_NEAR(testSlope(fit, 0.0f), 0.12403, 2e-5);  // df 3: the even series would give 0.2254
  EXPECT_NEAR(testSlope(fit, 0.6f), 1.0, 1e-6);
  EXPECT_FLOAT_EQ(testSlope(fit, 100.0f), 0.00001f);
}

TEST(TestSlope, NotComputableIsNaN) {
  const std::vector<float> flat{0, 3, 3, 3, 3, 3};
  const std::vector<float> line{0, 1, 2, 3, 4, 5};
  EXPECT_TRUE(std::isnan(testSlope(fitBetween(kX, kY, 1, 2, {}), 0.0f)));  // 2 cases: df 0
  EXPECT_TRUE(std::isnan(testSlope(fitBetween(flat, kY, 1, 5, {}), 0.0f)));  // Sxx 0
  EXPECT_TRUE(std::isnan(testSlope(fitBetween(kX, line, 1, 5, {}), 0.6f)));  // s² 0
  EXPECT_TRUE(std::isnan(testSlope(LineFit{}, 0.0f)));
}

TEST(FitAgainstTime, SecondsMinutesHoursDays) {
  const LineFit s = fitAgainstTime(kY, 1, 5, {}, timeStep(1.0f, 0));
  EXPECT_EQ(s.n, 5);
  EXPECT_NEAR(s.b, 0.6, 1e-6);
  EXPECT_NEAR(s.aAtZero, 2.2, 1e-6);
  EXPECT_NEAR(s.a, 2.8, 1e-6);  // the fitted value at case 1
  EXPECT_NEAR(s.r2, 0.6, 1e-6);
  EXPECT_NEAR(s.Sxx, 10.0, 1e-9);
  EXPECT_NEAR(s.Syy, 6.0, 1e-9);
  EXPECT_NEAR(s.Sxy, 6.0, 1e-9);
  EXPECT_NEAR(fitAgainstTime(kY, 1, 5, {}, timeStep(1.0f, 1)).b, 35.99993, 2e-4);
  EXPECT_NEAR(fitAgainstTime(kY, 1, 5, {}, timeStep(1.0f, 2)).b, 2160.0, 0.01);
  EXPECT_NEAR(fitAgainstTime(kY, 1, 5, {}, timeStep(1.0f, 3)).b, 51840.0, 0.5);
}

TEST(FitAgainstTime, InterpolatedCaseLeftOutOfBothPassesAndN) {
  const std::vector<float> flags{0, 0, 0, 1, 0, 0};
  CaseFilters f;
  f.avoidInterpolation = true;
  f.interpolated = flags;
  const LineFit fit = fitAgainstTime(kY, 1, 5, f, 1.0f);
  EXPECT_EQ(fit.n, 4);
  EXPECT_NEAR(fit.aAtZero, 1.95, 1e-6);
  EXPECT_NEAR(fit.b, 0.6, 1e-6);
  // Sxx 10, Syy 4.75, Sxy 6 over cases 1, 2, 4, 5.
  EXPECT_NEAR(fit.r2, 36.0 / 10.0 / 4.75, 1e-6);
  EXPECT_NEAR(testSlope(fit, 0.0f), 0.12943, 2e-5);
}

TEST(FitBetween, TheFourModels) {
  std::vector<float> lx(kX), ly(kY);
  for (size_t k = 1; k < lx.size(); ++k) {
    lx[k] = fitLog10(kX[k]);
    ly[k] = fitLog10(kY[k]);
  }
  struct M {
    const std::vector<float>&x, &y;
    double a, b, r2, p;
  };
  const M models[] = {{kX, kY, 2.2, 0.6, 0.6, 0.12403},
                      {kX, ly, 0.34185, 0.079588, 0.59141, 0.12853},
                      {lx, kY, 2.3949, 3.8598, 0.75659, 0.05527},
                      {lx, ly, 0.36423, 0.52037, 0.77036, 0.05039}};
  for (const M& m : models) {
    const LineFit fit = fitBetween(m.x, m.y, 1, 5, {});
    EXPECT_EQ(fit.n, 5);
    EXPECT_NEAR(fit.a, m.a, 1e-4 * std::fabs(m.a) + 1e-5);
    EXPECT_NEAR(fit.b, m.b, 1e-4 * std::fabs(m.b));
    EXPECT_NEAR(fit.r2, m.r2, 1e-4);
    EXPECT_NEAR(testSlope(fit, 0.0f), m.p, 2e-5);
  }
}

TEST(FitBetween, WhatCannotBeComputed) {
  const std::vector<float> flat{0, 3, 3, 3, 3, 3};
  const LineFit flatY = fitBetween(kX, flat, 1, 5, {});
  EXPECT_FLOAT_EQ(flatY.b, 0.0f);
  EXPECT_TRUE(std::isnan(flatY.r2));
  const LineFit flatX = fitBetween(flat, kY, 1, 5, {});
  EXPECT_TRUE(std::isnan(flatX.a) && std::isnan(flatX.b) && std::isnan(flatX.r2));
  const std::vector<float> subset{5, 0, 0, 0, 0, 0};
  CaseFilters none;
  none.useSubset = true;
  none.subset = subset;
  const LineFit empty = fitBetween(kX, kY, 1, 5, none);
  EXPECT_EQ(empty.n, 0);
  EXPECT_TRUE(std::isnan(empty.a) && std::isnan(empty.b) && std::isnan(empty.r2));
  EXPECT_FALSE(allPositive(std::vector<float>{9, 1, 0, 2}, 1, 3));
  EXPECT_TRUE(allPositive(std::vector<float>{0, 1, 3, 2}, 1, 3));
}

TEST(FitBetween, GapsAreLeftOutOfBothFits) {
  // 600 cases (long enough for the runs of 256) with NaN gaps in X and Y and an infinity:
  // the fits equal those over the same samples with the gap cases taken out.
  const int32_t n = 600;
  std::vector<float> x(n + 1), y(n + 1), cx{0}, cy{0};
  for (int32_t k = 1; k <= n; ++k) {
    x[size_t(k)] = 0.1f * float(k);
    y[size_t(k)] = 2.0f * x[size_t(k)] + 1.0f + float(std::sin(k));
  }
  for (int32_t k = 50; k <= n; k += 50) x[size_t(k)] = std::nanf("");
  for (int32_t k = 3; k <= n; k += 70) y[size_t(k)] = std::nanf("");
  y[300] = INFINITY;
  for (int32_t k = 1; k <= n; ++k)
    if (std::isfinite(x[size_t(k)]) && std::isfinite(y[size_t(k)])) cx.push_back(x[size_t(k)]), cy.push_back(y[size_t(k)]);
  const int32_t kept = int32_t(cx.size()) - 1;
  const LineFit got = fitBetween(x, y, 1, n, {}), want = fitBetween(cx, cy, 1, kept, {});
  EXPECT_EQ(got.n, kept);
  EXPECT_NEAR(got.b, want.b, 1e-5);
  EXPECT_NEAR(got.a, want.a, 1e-4);
  EXPECT_NEAR(got.r2, want.r2, 1e-6);
  EXPECT_NEAR(got.b, 2.0f, 0.01f);

  // Against time the case numbers stay those of the file: one gap leaves the line as it is.
  std::vector<float> line(n + 1);
  for (int32_t k = 1; k <= n; ++k) line[size_t(k)] = 3.0f + 0.5f * float(k);
  line[200] = std::nanf("");
  const LineFit t = fitAgainstTime(line, 1, n, {}, 1.0f);
  EXPECT_EQ(t.n, n - 1);
  EXPECT_NEAR(t.b, 0.5f, 1e-6);
  EXPECT_NEAR(t.a, 3.5f, 1e-4);
  EXPECT_NEAR(t.r2, 1.0f, 1e-6);

  // A log model takes a block with gaps; a value of 0 or less still refuses it.
  EXPECT_TRUE(allPositive(line, 1, n));
  EXPECT_FALSE(allPositive(std::vector<float>{0, 1, std::nanf(""), -INFINITY}, 1, 3));
}

}  // namespace
