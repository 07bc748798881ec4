// The passes of the curve fits that work several cases or trials at once, or on several threads,
// against the same sums made one case at a time: the results must be the same bits.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "fitting/asymptote_search.h"
#include "fitting/polynomial_fit.h"
#include "fitting/residuals.h"

using namespace qv;

namespace {

// Samples with gaps at awkward places (the first case, a run of them, case after case), negative
// values, and huge and tiny ones; case 0 unused.
std::vector<float> awkward(int n, uint32_t seed, float level) {
  std::vector<float> v(size_t(n) + 1, 0.0f);
  for (int i = 1; i <= n; ++i) {
    seed = seed * 1664525u + 1013904223u;
    v[size_t(i)] = level - 8.0f * float(std::exp(-double(i) / (n / 3.0))) + 1e-3f * float(seed >> 8) / 16777216.0f;
  }
  for (int i : {1, 2, 255, 256, 257, 65536, 65537, 131072}) if (i <= n) v[size_t(i)] = NAN;
  for (int i = n / 2; i < n / 2 + 300; ++i) v[size_t(i)] = NAN;
  return v;
}

// One trial made the plain way: every log, then the sums around the means, one case at a time.
AsymptoteTrial plainTrial(const std::vector<float>& v, int32_t begin, int32_t end, double A) {
  AsymptoteTrial t;
  double sx = 0.0, sy = 0.0;
  std::vector<double> logs(size_t(end - begin + 1), NAN);
  for (int32_t k = begin; k <= end; ++k) {
    if (!std::isfinite(v[size_t(k)])) continue;
    logs[size_t(k - begin)] = std::log(std::fabs(A - double(v[size_t(k)])));
    ++t.n;
    sx += double(k - begin);
    sy += logs[size_t(k - begin)];
  }
  if (t.n < 3 || !std::isfinite(sy)) return t;
  const double mx = sx / t.n, my = sy / t.n;
  double Sxx = 0.0, Sxy = 0.0, Syy = 0.0;
  for (int32_t k = begin; k <= end; ++k) {
    if (std::isnan(logs[size_t(k - begin)])) continue;
    const double dx = double(k - begin) - mx, dy = logs[size_t(k - begin)] - my;
    Sxx += dx * dx;
    Sxy += dx * dy;
    Syy += dy * dy;
  }
  if (!(Sxx > 0.0) || !(Syy > 0.0)) return t;
  t.r2 = Sxy * Sxy / Sxx / Syy;
  t.b = Sxy / Sxx;
  t.a = my - t.b * (mx + double(begin));
  return t;
}

TEST(CurveFitPasses, AsymptoteTrialsOfALongBlockWithGapsAreThePlainOnes) {
  // Long enough to be worked out on several threads, and not a whole number of their runs.
  const int n = 300007;
  const auto v = awkward(n, 7, 10.0f);
  for (double A : {10.001, 10.5, 9.0, -1e30}) {
    const AsymptoteTrial fast = asymptoteTrial(v, 1, n, A), plain = plainTrial(v, 1, n, A);
    EXPECT_EQ(fast.r2, plain.r2) << A;
    EXPECT_EQ(fast.a, plain.a) << A;
    EXPECT_EQ(fast.b, plain.b) << A;
    EXPECT_EQ(fast.n, plain.n) << A;
  }
  // The search makes its midpoints two at a time: each best r² it reports is the plain trial's.
  int steps = 0;
  const AsymptoteFit f = searchAsymptote(v, 3, n, 2.0f, 10.001f, 8, [&](int, double A, double r2) {
    ++steps;
    EXPECT_EQ(r2, plainTrial(v, 3, n, A).r2) << A;
  });
  ASSERT_TRUE(f.found()) << f.refused;
  EXPECT_EQ(steps, 8);
  const AsymptoteTrial last = plainTrial(v, 3, n, f.A);
  EXPECT_EQ(f.r2, last.r2);
  EXPECT_EQ(f.a, last.a);
  EXPECT_EQ(f.b, last.b);
}

TEST(CurveFitPasses, ResidualsWindowMaskIsTheMaskOfTheKeptColumns) {
  const int n = 5000;
  const auto y = awkward(n, 3, -3e4f);
  auto x = awkward(n, 11, 2.0f);
  x[17] = 1e30f, x[18] = -1e-30f;
  for (bool time : {true, false}) {
    LineFit fit;
    fit.againstTime = time;
    fit.begin = 2, fit.end = n, fit.a = -2.5e4f, fit.b = time ? 0.37f : -1.5e3f, fit.dt = 0.25f;
    const FitResiduals kept = fitResiduals(fit, y, x), ranges = residualRanges(fit, y, x);
    EXPECT_TRUE(ranges.x.empty() && ranges.residual.empty());
    EXPECT_EQ(ranges.rmin, kept.rmin);
    EXPECT_EQ(ranges.rmax, kept.rmax);
    EXPECT_EQ(ranges.xmin, kept.xmin);
    EXPECT_EQ(ranges.xmax, kept.xmax);
    EXPECT_EQ(ranges.cases, kept.residual.size());
    const ResidualScale s = residualScale(ranges);
    for (int dot : {2, 3})
      EXPECT_EQ(residualMask(fit, y, x, ranges, s, dot), residualMask(kept, residualScale(kept), dot)) << time;
  }
}

// std::min and std::max keep the first of equal values: a zero residual or X of either sign is
// the first case's, wherever its lane.
TEST(CurveFitPasses, ResidualRangesKeepTheFirstZerosSign) {
  for (float first : {0.0f, -0.0f}) {
    // The first zero in the third lane of four, the other sign later in the second.
    std::vector<float> y = {0, -1, -1, -1, -1, -1, -1, first, -1, -1, -first, -1, -2};
    std::vector<float> x = {0, 1, 2, 3, 4, 5, 6, first, 8, 9, -first, 11, 12};
    LineFit fit;
    fit.begin = 1, fit.end = 12, fit.a = 0.0f, fit.b = 0.0f;
    const FitResiduals kept = fitResiduals(fit, y, x), ranges = residualRanges(fit, y, x);
    EXPECT_EQ(std::signbit(ranges.rmax), std::signbit(first));
    EXPECT_EQ(std::signbit(kept.rmax), std::signbit(first));
    EXPECT_EQ(std::signbit(ranges.xmin), std::signbit(kept.xmin)) << first;
    EXPECT_EQ(ranges.rmax, 0.0f);
    EXPECT_EQ(ranges.rmin, kept.rmin);
    EXPECT_EQ(ranges.xmax, kept.xmax);
  }
}

// The degree-j orthogonal fit made one case at a time: the recurrence, then each sum in case order.
struct PlainPoly {
  double alpha[10]{}, beta[10]{}, c[10]{}, sse = 0.0, sst = 0.0;
};

PlainPoly plainPolynomial(const std::vector<float>& x, const std::vector<float>& y, int32_t begin, int32_t end,
                          int degree) {
  PlainPoly p;
  double n = 0.0, sx = 0.0, sy = 0.0;
  auto each = [&](auto&& visit) {
    for (int32_t k = begin; k <= end; ++k)
      if (std::isfinite(x[size_t(k)]) && std::isfinite(y[size_t(k)])) visit(double(x[size_t(k)]), double(y[size_t(k)]));
  };
  each([&](double xv, double yv) { n += 1, sx += xv, sy += yv; });
  const double mx = sx / n, my = sy / n;
  each([&](double, double yv) { p.sst += (yv - my) * (yv - my); });
  p.alpha[0] = mx, p.c[0] = my;
  auto at = [&](int j, double xv) {
    double prev = 0.0, cur = 1.0;
    for (int i = 1; i <= j; ++i) {
      const double next = (xv - p.alpha[i - 1]) * cur - p.beta[i - 1] * prev;
      prev = cur, cur = next;
    }
    return cur;
  };
  double S0 = n;
  for (int j = 1; j <= degree; ++j) {
    double S1 = 0.0, SY = 0.0, SX = 0.0;
    each([&](double xv, double yv) {
      const double q = at(j, xv);
      S1 += q * q, SY += q * (yv - my), SX += q * q * (xv - mx);
    });
    if (j < 9) p.alpha[j] = mx + SX / S1, p.beta[j] = S1 / S0;
    p.c[j] = SY / S1;
    S0 = S1;
  }
  each([&](double xv, double yv) {
    double e = yv - p.c[0];
    for (int j = 1; j <= degree; ++j) e -= p.c[j] * at(j, xv);
    p.sse += e * e;
  });
  return p;
}

TEST(CurveFitPasses, PolynomialTermsAreThePlainOnes) {
  const int n = 1031;  // not a whole number of blocks
  const auto y = awkward(n, 5, -40.0f);
  auto x = awkward(n, 9, 1e4f);
  x[600] = NAN;
  for (int degree : {1, 2, 5, 9}) {
    const PolynomialFit fit = fitPolynomial(x, y, 2, n, degree);
    ASSERT_TRUE(fit.fitted()) << degree << fit.refused;
    const PlainPoly plain = plainPolynomial(x, y, 2, n, degree);
    for (int j = 0; j <= degree; ++j) {
      EXPECT_EQ(fit.c[size_t(j)], plain.c[j]) << degree << " " << j;
      EXPECT_EQ(fit.alpha[size_t(j)], plain.alpha[j]) << degree << " " << j;
      EXPECT_EQ(fit.beta[size_t(j)], plain.beta[j]) << degree << " " << j;
    }
    EXPECT_EQ(fit.r2, plain.sst > 0.0 ? std::max(0.0, 1.0 - plain.sse / plain.sst) : 1.0) << degree;
  }
}

}  // namespace
