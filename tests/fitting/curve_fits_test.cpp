// The polynomial fit, the asymptote search and the residuals of a line, called directly.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "fitting/asymptote_search.h"
#include "fitting/polynomial_fit.h"
#include "fitting/residuals.h"

using namespace qv;

namespace {

// Case 0 unused; cases 1..n from f(i), i = 1..n.
std::vector<float> series(int n, const std::function<double(int)>& f) {
  std::vector<float> v(size_t(n) + 1, 0.0f);
  for (int i = 1; i <= n; ++i) v[size_t(i)] = float(f(i));
  return v;
}

struct PolyCase {
  const char* name;
  int n, degree;
  std::function<double(int)> x, y;
  std::vector<double> coefficients;  // highest power first, then the constant
  double r2, variance;
};

TEST(PolynomialFit, CoefficientsR2AndVariance) {
  const std::vector<PolyCase> cases = {
      {"line through a parabola", 10, 1, [](int i) { return i - 1; },
       [](int i) { return 1 + 2.0 * (i - 1) + 3.0 * (i - 1) * (i - 1); }, {29, -35}, 0.9359003, 594},
      {"the parabola itself", 10, 2, [](int i) { return i - 1; },
       [](int i) { return 1 + 2.0 * (i - 1) + 3.0 * (i - 1) * (i - 1); }, {3, 2, 1}, 1, 0},
      {"four X repeated", 20, 3, [](int i) { return (i - 1) % 4 + 1; },
       [](int i) {
         const double X = (i - 1) % 4 + 1;
         return X * X * X - 2 * X + (i % 3) - 1;
       },
       {1.1, -0.6, -1.1, -0.2}, 0.9987614, 0.775},
      {"X far from zero", 200, 8, [](int i) { return 10000 + i; }, [](int i) { return std::sin(i / 25.0); }, {},
       0.9999988, 6.3296e-7},
  };
  for (const PolyCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto x = series(c.n, c.x), y = series(c.n, c.y);
    const PolynomialFit f = fitPolynomial(x, y, 1, c.n, c.degree);
    ASSERT_TRUE(f.fitted()) << f.refused;
    EXPECT_EQ(f.n, c.n);
    for (size_t k = 0; k < c.coefficients.size(); ++k)
      EXPECT_NEAR(f.power[size_t(c.degree) - k], c.coefficients[k], 1e-6 * (1 + std::fabs(c.coefficients[k])));
    EXPECT_NEAR(f.r2, c.r2, 1e-7);
    EXPECT_NEAR(f.variance, c.variance, 1e-4 * c.variance + 1e-9);
  }
}

TEST(PolynomialFit, MeansAndValuesFarFromZero) {
  const auto x = series(10, [](int i) { return i - 1; });
  const auto y = series(10, [](int i) { return 1 + 2.0 * (i - 1) + 3.0 * (i - 1) * (i - 1); });
  const PolynomialFit line = fitPolynomial(x, y, 1, 10, 1);
  EXPECT_NEAR(line.meanX, 4.5, 1e-12);
  EXPECT_NEAR(line.sdX, 2.8722813, 1e-7);
  EXPECT_NEAR(line.meanY, 95.5, 1e-12);
  EXPECT_NEAR(line.sdY, 86.101394, 1e-5);
  // Degree 1 is the least-squares line: constant = mean Y - slope x mean X.
  EXPECT_NEAR(line.power[0], line.meanY - line.power[1] * line.meanX, 1e-9);

  const auto fx = series(200, [](int i) { return 10000 + i; });
  const auto fy = series(200, [](int i) { return std::sin(i / 25.0); });
  const PolynomialFit far = fitPolynomial(fx, fy, 1, 200, 8);
  EXPECT_NEAR(far.at(10100.0), -0.756626, 2e-6);
}

TEST(PolynomialFit, RefusesWhatTheBlockCannotCarry) {
  const auto flatX = series(10, [](int) { return 3; });
  const auto y = series(10, [](int i) { return i; });
  EXPECT_FALSE(fitPolynomial(flatX, y, 1, 10, 1).fitted());
  const auto four = series(20, [](int i) { return (i - 1) % 4 + 1; });
  const PolynomialFit refused = fitPolynomial(four, y, 1, 20, 4);
  EXPECT_FALSE(refused.fitted());
  EXPECT_NE(refused.refused.find("4"), std::string::npos) << refused.refused;
  const auto flatY = series(10, [](int) { return 7; });
  const PolynomialFit constant = fitPolynomial(y, flatY, 1, 10, 2);
  ASSERT_TRUE(constant.fitted());
  EXPECT_EQ(constant.r2, 1.0);
  // n <= d + 1 leaves no variance to estimate.
  EXPECT_EQ(fitPolynomial(y, y, 1, 3, 2).variance, 0.0);
}

TEST(PolynomialFit, GapsAreLeftOut) {
  auto x = series(12, [](int i) { return i; });
  auto y = series(12, [](int i) { return 2.0 * i * i - 1; });
  x[3] = NAN;
  y[7] = NAN;
  const PolynomialFit f = fitPolynomial(x, y, 1, 12, 2);
  ASSERT_TRUE(f.fitted());
  EXPECT_EQ(f.n, 10);
  EXPECT_NEAR(f.power[2], 2.0, 1e-9);
  std::vector<float> out(x.size());
  evaluatePolynomial(f, x, out);
  EXPECT_TRUE(std::isnan(out[3]));
  EXPECT_NEAR(out[7], 97.0f, 1e-4);
}

TEST(PolynomialFit, SeriesStopsAtTheFirstRefusedOrFallingDegree) {
  const auto x = series(20, [](int i) { return (i - 1) % 4 + 1; });
  const auto y = series(20, [](int i) {
    const double X = (i - 1) % 4 + 1;
    return X * X * X - 2 * X + (i % 3) - 1;
  });
  const PolynomialSeries s = polynomialSeries(x, y, 1, 20);
  EXPECT_NEAR(s.r2[1], 0.8807566, 1e-6);
  EXPECT_NEAR(s.r2[2], 0.9976735, 1e-6);
  EXPECT_NEAR(s.r2[3], 0.9987614, 1e-6);
  EXPECT_EQ(s.r2[4], 0.0f);
  EXPECT_TRUE(s.stopped);
  EXPECT_EQ(s.last, 4);
  EXPECT_EQ(s.shown.degree, 3);
  EXPECT_NEAR(s.shown.at(2.5), 10.4875, 1e-9);
  const double expected[] = {-0.8, 4, 20.8, 56.2};
  for (int X = 1; X <= 4; ++X) EXPECT_NEAR(s.shown.at(X), expected[X - 1], 1e-9);

  const auto fx = series(200, [](int i) { return 10000 + i; });
  const auto fy = series(200, [](int i) { return std::sin(i / 25.0); });
  const PolynomialSeries far = polynomialSeries(fx, fy, 1, 200);
  EXPECT_GE(far.shown.degree, 8);
  for (int k = 2; k <= far.shown.degree; ++k) EXPECT_GE(far.r2[size_t(k)], far.r2[size_t(k) - 1]);
}

struct AsymptoteCase {
  const char* name;
  int n;
  std::function<double(int)> v;
  double A, toleranceA, rate, time;  // rate per minute and time for 50 % at 1 s a case
};

TEST(AsymptoteSearch, ExponentialApproaches) {
  const std::vector<AsymptoteCase> cases = {
      {"rising", 100, [](int i) { return 10 - 8 * std::exp(-0.05 * i); }, 10, 1e-4, 0.950213, 0.231049},
      {"oxygen", 200, [](int i) { return 20.95 - 0.95 * std::exp(-0.05 * i); }, 20.95, 1e-4, 0.9502, 0.2310},
      {"slow", 100, [](int i) { return 10 - 8 * std::exp(-0.005 * i); }, 10, 1e-3, 0.259182, 2.31049},
      {"falling", 60, [](int i) { return 5 + 3 * std::exp(-0.1 * i); }, 5, 1e-4, 0.997521, 0.115525},
  };
  for (const AsymptoteCase& c : cases) {
    SCOPED_TRACE(c.name);
    const auto v = series(c.n, c.v);
    float lo = INFINITY, hi = -INFINITY;
    for (int i = 1; i <= c.n; ++i) lo = std::min(lo, v[size_t(i)]), hi = std::max(hi, v[size_t(i)]);
    const AsymptoteFit f = searchAsymptote(v, 1, c.n, lo, hi, 12);
    ASSERT_TRUE(f.found()) << f.refused;
    EXPECT_NEAR(f.A, c.A, c.toleranceA);
    EXPECT_GT(f.r2, 0.99);
    const AsymptoteRate r = asymptoteRate(f.b, 1.0, 1, lnRemainingOf(6));
    EXPECT_NEAR(r.rate, c.rate, 1e-3 * c.rate);
    EXPECT_NEAR(r.time, c.time, 1e-3 * c.time);
    EXPECT_EQ(f.residuals.size(), size_t(c.n));
  }
  const auto v = series(100, [](int i) { return 10 - 8 * std::exp(-0.05 * i); });
  EXPECT_GT(searchAsymptote(v, 1, 100, v[1], v[100], 12).r2, 0.999999);
}

TEST(AsymptoteSearch, NoLevelApproachedIsSaid) {
  const auto line = series(1000, [](int i) { return i; });
  EXPECT_FALSE(searchAsymptote(line, 1, 1000, 1, 1000, 12).found());
  const auto flat = series(50, [](int) { return 4; });
  EXPECT_FALSE(searchAsymptote(flat, 1, 50, 4, 4, 12).found());
}

TEST(AsymptoteSearch, GapsAndLongBlocks) {
  auto v = series(100, [](int i) { return 10 - 8 * std::exp(-0.05 * i); });
  v[40] = NAN;
  const AsymptoteFit f = searchAsymptote(v, 1, 100, v[1], v[100], 12);
  ASSERT_TRUE(f.found());
  EXPECT_NEAR(f.A, 10, 1e-4);
  EXPECT_EQ(f.n, 99);
  EXPECT_TRUE(std::isnan(f.residuals[39]));
  // Residuals are kept for at most 200,000 cases: a block of 200,001 keeps none.
  const auto longBlock = series(200001, [](int i) { return 10 - 8 * std::exp(-0.00001 * i); });
  const AsymptoteFit g = searchAsymptote(longBlock, 1, 200001, longBlock[1], longBlock[200001], 6);
  ASSERT_TRUE(g.found()) << g.refused;
  EXPECT_TRUE(g.residuals.empty());
}

TEST(AsymptoteSearch, RateTable) {
  EXPECT_NEAR(lnRemainingOf(9), std::log(0.1), 1e-6);
  EXPECT_NEAR(lnRemainingOf(0), std::log(0.5), 1e-6);
  EXPECT_STREQ(rateSuffix(2), "/hr");
  EXPECT_STREQ(durationSuffix(3), " days");
}

// The block 11..15 holding 2, 4, 5, 4, 5 at 1 s.
struct ResidualsOfALine : ::testing::Test {
  std::vector<float> y = std::vector<float>(20, 0.0f), x = std::vector<float>(20, 0.0f);
  void SetUp() override {
    const float v[] = {2, 4, 5, 4, 5};
    for (int i = 0; i < 5; ++i) y[size_t(11 + i)] = v[i], x[size_t(11 + i)] = float(i + 1);
  }
};

TEST_F(ResidualsOfALine, TimeAndRegressionLines) {
  LineFit time;
  time.againstTime = true;
  time.begin = 11, time.end = 15, time.dt = 1.0f, time.a = 2.8f, time.b = 0.6f;
  const FitResiduals r = fitResiduals(time, y, {});
  const float expected[] = {-0.8f, 0.6f, 1.0f, -0.6f, -0.2f};
  for (int i = 0; i < 5; ++i) {
    EXPECT_FLOAT_EQ(r.x[size_t(i)], float(i));
    EXPECT_NEAR(r.predicted[size_t(i)], 2.8 + 0.6 * i, 1e-6);
    EXPECT_NEAR(r.residual[size_t(i)], expected[i], 1e-6);
  }
  EXPECT_NEAR(predictY(time, 10), 8.8, 1e-6);
  EXPECT_NEAR(predictX(time, 5), 3.66667, 1e-5);
  EXPECT_STREQ(predictionModelText(time), "linear time and Y");

  LineFit pair = time;
  pair.againstTime = false;
  pair.a = 2.2f;
  const FitResiduals q = fitResiduals(pair, y, x);
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(q.residual[size_t(i)], expected[i], 1e-6);
  EXPECT_NEAR(predictY(pair, 10), 8.2, 1e-6);
  EXPECT_NEAR(predictX(pair, 5), 4.66667, 1e-5);
  const std::string text = residualsText(q, ',', 3);
  EXPECT_EQ(text.substr(0, text.find('\n')), "X  value,Y value,predicted,residual");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 6);
  pair.model = 3;
  EXPECT_STREQ(predictionModelText(pair), "log X and log Y");
}

TEST_F(ResidualsOfALine, LogLogModel) {
  LineFit f;
  f.begin = 11, f.end = 15, f.model = 3, f.a = 0.36423f, f.b = 0.52037f;
  std::vector<float> lx(20), ly(20);
  for (int k = 11; k <= 15; ++k) lx[size_t(k)] = std::log10(x[size_t(k)]), ly[size_t(k)] = std::log10(y[size_t(k)]);
  const FitResiduals r = fitResiduals(f, ly, lx);
  const double expected[] = {-0.063199, 0.081184, 0.086461, -0.075463, -0.028982};
  for (int i = 0; i < 5; ++i) EXPECT_NEAR(r.residual[size_t(i)], expected[i], 2e-6);
}

TEST_F(ResidualsOfALine, FlatAndSingleValuesScaleByOneUnit) {
  LineFit f;
  f.begin = 11, f.end = 15, f.a = 3.0f, f.b = 0.0f;
  std::vector<float> flat(20, 3.0f), oneX(20, 2.0f);
  const FitResiduals r = fitResiduals(f, flat, oneX);
  const ResidualScale s = residualScale(r);
  EXPECT_TRUE(std::isfinite(s.perUnitR) && std::isfinite(s.perUnitX));
  EXPECT_EQ(s.zeroRow, 2);
  EXPECT_TRUE(std::isnan(predictX(f, 5)));
  const auto mask = residualMask(r, s, 3);
  EXPECT_EQ(std::count(mask.begin(), mask.end(), 1), 9);
  // The time fit's last case lands on the box's right edge, not beyond it.
  LineFit t = f;
  t.againstTime = true;
  std::vector<float> two(20, 0.0f);
  two[11] = 1.0f, two[12] = 2.0f;
  t.end = 12;
  const FitResiduals tr = fitResiduals(t, two, {});
  const auto tm = residualMask(tr, residualScale(tr), 2);
  bool atEdge = false;
  for (int row = 0; row < kResidualMaskHeight; ++row) atEdge = atEdge || tm[size_t(row) * kResidualMaskWidth + 467];
  EXPECT_TRUE(atEdge);
}

}  // namespace
