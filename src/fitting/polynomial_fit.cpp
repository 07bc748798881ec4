#include "fitting/polynomial_fit.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace qv {

namespace {

// The orthogonal terms of degrees 1..reached, the sums of squares left after each, and the
// facts of the block they came from.
struct Terms {
  PolynomialFit base;  // means, S.D.s, n, alpha, beta, c
  int reached = 0;
  int distinctX = 0;   // counted up to kMostPolyDegree + 1
  double SST = 0.0;
  std::array<double, kMostPolyDegree + 1> SSE{};
  std::string why;     // why reached stopped short of the degree asked for
};

template <class Visit>
void forPairs(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end, Visit&& visit) {
  for (int32_t k = begin; k <= end; ++k) {
    const float xv = x[size_t(k)], yv = y[size_t(k)];
    if (std::isfinite(xv) && std::isfinite(yv)) visit(double(xv), double(yv));
  }
}

// p_j(x) of the monic orthogonal polynomials, p_(j-1)(x) left in prev.
inline double orthogonalAt(const PolynomialFit& f, int j, double x, double& prev) {
  double p = 0.0, cur = 1.0;
  for (int i = 1; i <= j; ++i) {
    const double next = (x - f.alpha[size_t(i - 1)]) * cur - f.beta[size_t(i - 1)] * p;
    p = cur;
    cur = next;
  }
  prev = p;
  return cur;
}

Terms orthogonalTerms(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end, int degree) {
  Terms t;
  PolynomialFit& f = t.base;
  begin = std::max(begin, 1);
  end = int32_t(std::min<int64_t>({int64_t(end), int64_t(x.size()) - 1, int64_t(y.size()) - 1}));
  double sx = 0.0, sy = 0.0;
  std::array<float, kMostPolyDegree + 1> seen{};
  forPairs(x, y, begin, end, [&](double xv, double yv) {
    ++f.n;
    sx += xv;
    sy += yv;
    if (t.distinctX <= kMostPolyDegree &&
        std::find(seen.begin(), seen.begin() + t.distinctX, float(xv)) == seen.begin() + t.distinctX)
      seen[size_t(t.distinctX++)] = float(xv);
  });
  if (f.n < 1) {
    t.why = "The block holds no case with both an X and a Y value.";
    return t;
  }
  f.meanX = sx / f.n;
  f.meanY = sy / f.n;
  double Sxx = 0.0, Syy = 0.0;
  forPairs(x, y, begin, end, [&](double xv, double yv) {
    Sxx += (xv - f.meanX) * (xv - f.meanX);
    Syy += (yv - f.meanY) * (yv - f.meanY);
  });
  f.sdX = std::sqrt(Sxx / f.n);
  f.sdY = std::sqrt(Syy / f.n);
  t.SST = Syy;
  f.alpha[0] = f.meanX;
  f.c[0] = f.meanY;
  double S0 = f.n;
  const int most = std::min(degree, t.distinctX - 1);
  for (int j = 1; j <= most; ++j) {
    double S1 = 0.0, SY = 0.0, SX = 0.0, prev = 0.0;
    forPairs(x, y, begin, end, [&](double xv, double yv) {
      const double p = orthogonalAt(f, j, xv, prev);
      S1 += p * p;
      SY += p * (yv - f.meanY);
      SX += p * p * (xv - f.meanX);
    });
    if (!(S1 > 0.0) || !std::isfinite(S1) || !std::isfinite(SY) || !std::isfinite(SX)) break;
    if (j < kMostPolyDegree) {
      f.alpha[size_t(j)] = f.meanX + SX / S1;
      f.beta[size_t(j)] = S1 / S0;
    }
    f.c[size_t(j)] = SY / S1;
    S0 = S1;
    t.reached = j;
  }
  if (t.reached < degree) {
    t.why = t.distinctX < 2 ? std::string("X is constant over the block: no polynomial of it can be fitted.")
                            : "A polynomial of degree " + std::to_string(t.reached + 1) + " needs " +
                                  std::to_string(t.reached + 2) + " different X values; the block has " +
                                  std::to_string(t.distinctX) + ".";
    if (t.distinctX > t.reached + 1) t.why = "The fit of degree " + std::to_string(t.reached + 1) + " cannot be computed.";
  }
  forPairs(x, y, begin, end, [&](double xv, double yv) {
    double prevP = 0.0, cur = 1.0, e = yv - f.c[0];
    for (int j = 1; j <= t.reached; ++j) {
      const double next = (xv - f.alpha[size_t(j - 1)]) * cur - f.beta[size_t(j - 1)] * prevP;
      prevP = cur;
      cur = next;
      e -= f.c[size_t(j)] * cur;
      t.SSE[size_t(j)] += e * e;
    }
  });
  return t;
}

// The power coefficients of c0 + sum c_j p_j, p_j built by the same recurrence.
void powerCoefficients(PolynomialFit& f) {
  std::array<double, kMostPolyDegree + 2> older{}, old{}, cur{};
  old[0] = 1.0;
  f.power = {};
  f.power[0] = f.c[0];
  for (int j = 1; j <= f.degree; ++j) {
    cur = {};
    for (int m = 0; m <= j; ++m) {
      const double shifted = m > 0 ? old[size_t(m - 1)] : 0.0;
      cur[size_t(m)] = shifted - f.alpha[size_t(j - 1)] * old[size_t(m)] - f.beta[size_t(j - 1)] * older[size_t(m)];
    }
    for (int m = 0; m <= j; ++m) f.power[size_t(m)] += f.c[size_t(j)] * cur[size_t(m)];
    older = old;
    old = cur;
  }
}

PolynomialFit fitOf(const Terms& t, int degree) {
  PolynomialFit f = t.base;
  f.degree = degree;
  if (degree > t.reached) {
    f.refused = t.why;
    return f;
  }
  for (int j = degree + 1; j <= kMostPolyDegree; ++j) f.c[size_t(j)] = 0.0;
  const double sse = t.SSE[size_t(degree)];
  f.variance = degree + 1 < f.n ? sse / double(f.n - 1 - degree) : 0.0;
  f.r2 = t.SST > 0.0 ? std::max(0.0, 1.0 - sse / t.SST) : 1.0;
  powerCoefficients(f);
  bool finite = std::isfinite(f.variance) && std::isfinite(f.r2);
  for (double p : f.power) finite = finite && std::isfinite(p);
  if (!finite) f.refused = "The fit of degree " + std::to_string(degree) + " cannot be computed.";
  return f;
}

}  // namespace

PolynomialFit fitPolynomial(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end,
                            int degree) {
  degree = std::clamp(degree, 1, kMostPolyDegree);
  return fitOf(orthogonalTerms(x, y, begin, end, degree), degree);
}

PolynomialSeries polynomialSeries(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end) {
  const Terms t = orthogonalTerms(x, y, begin, end, kMostPolyDegree);
  PolynomialSeries s;
  float before = 0.0f;
  for (int k = 1; k <= kMostPolyDegree; ++k) {
    PolynomialFit f = fitOf(t, k);
    s.last = k;
    if (!f.fitted()) {
      s.stopped = true;
      break;
    }
    s.r2[size_t(k)] = float(f.r2);
    if (float(f.r2) < before) {
      s.stopped = true;
      break;
    }
    before = float(f.r2);
    s.shown = std::move(f);
  }
  if (s.stopped && !s.shown.fitted()) s.shown = fitOf(t, 1);
  return s;
}

void evaluatePolynomial(const PolynomialFit& fit, std::span<const float> x, std::span<float> out) {
  const size_t n = std::min(x.size(), out.size());
  for (size_t k = 0; k < n; ++k) out[k] = std::isfinite(x[k]) ? float(fit.at(double(x[k]))) : NAN;
}

}  // namespace qv
