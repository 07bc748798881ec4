#include "fitting/polynomial_fit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>
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

// Blocks of cases with both values, gaps squeezed out and order kept, so that the terms of the
// orthogonal polynomials can be built four cases at a time while every sum still takes its cases
// one by one in case order (the sums, and so the fit, stay the same bits).
constexpr int kBlock = 256;
using Four = double __attribute__((vector_size(32)));

struct Block {
  alignas(32) double x[kBlock];
  alignas(32) double y[kBlock];
  int n = 0;  // cases held; x and y beyond it up to the next four are padding
};

Four four(const double* p) {
  Four v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

void put(double* p, Four v) { std::memcpy(p, &v, sizeof v); }

template <class Visit>
void forBlocks(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end, Visit&& visit) {
  Block b;
  for (int32_t k0 = begin; k0 <= end; k0 += kBlock) {
    const int32_t k1 = int32_t(std::min<int64_t>(int64_t(k0) + kBlock - 1, end));
    b.n = 0;
    for (int32_t k = k0; k <= k1; ++k) {
      const float xv = x[size_t(k)], yv = y[size_t(k)];
      b.x[b.n] = double(xv);
      b.y[b.n] = double(yv);
      b.n += std::isfinite(xv) && std::isfinite(yv) ? 1 : 0;
    }
    for (int i = b.n; i < kBlock && i % 4 != 0; ++i) b.x[i] = b.y[i] = 0.0;
    if (b.n > 0) visit(b);
  }
}

// p_j of the monic orthogonal polynomials at four X values.
inline Four orthogonalAt(const PolynomialFit& f, int j, Four x) {
  Four p = {0.0, 0.0, 0.0, 0.0}, cur = {1.0, 1.0, 1.0, 1.0};
  for (int i = 1; i <= j; ++i) {
    const Four next = (x - f.alpha[size_t(i - 1)]) * cur - f.beta[size_t(i - 1)] * p;
    p = cur;
    cur = next;
  }
  return cur;
}

// Adds the first n of each row of terms to its sum, case by case; the sums are held in registers
// (a sum kept in memory would wait on its own store every case).
template <size_t... R>
void addRows(const double (*terms)[kBlock], int n, double* sums, std::index_sequence<R...>) {
  double s[] = {sums[R]...};
  for (int i = 0; i < n; ++i) ((s[R] += terms[R][i]), ...);
  ((sums[R] = s[R]), ...);
}

template <size_t K>
void addInOrder(const double (*terms)[kBlock], int n, std::array<double, K>& sums) {
  addRows(terms, n, sums.data(), std::make_index_sequence<K>());
}

// The same for the first `rows` rows (1..kMostPolyDegree).
template <size_t K = 1>
void addFirstRows(const double (*terms)[kBlock], int n, double* sums, int rows) {
  if constexpr (K < size_t(kMostPolyDegree))
    if (int(K) < rows) return addFirstRows<K + 1>(terms, n, sums, rows);
  addRows(terms, n, sums, std::make_index_sequence<K>());
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
  alignas(32) double terms[kMostPolyDegree][kBlock];
  // The spreads, and the sums of the first term with it: p_1 = x - meanX (beta_0 is 0), so its
  // sum of squares is Sxx.
  std::array<double, 4> spread{};  // Sxx, Syy, sum p_1 (y - meanY), sum p_1^2 (x - meanX)
  forBlocks(x, y, begin, end, [&](const Block& b) {
    for (int i = 0; i < b.n; i += 4) {
      const Four dx = four(b.x + i) - f.meanX, dy = four(b.y + i) - f.meanY;
      put(terms[0] + i, dx * dx);
      put(terms[1] + i, dy * dy);
      put(terms[2] + i, dx * dy);
      put(terms[3] + i, dx * dx * dx);
    }
    addInOrder(terms, b.n, spread);
  });
  const double Sxx = spread[0], Syy = spread[1];
  f.sdX = std::sqrt(Sxx / f.n);
  f.sdY = std::sqrt(Syy / f.n);
  t.SST = Syy;
  f.alpha[0] = f.meanX;
  f.c[0] = f.meanY;
  double S0 = f.n;
  const int most = std::min(degree, t.distinctX - 1);
  for (int j = 1; j <= most; ++j) {
    std::array<double, 3> sums{Sxx, spread[2], spread[3]};  // S1, SY, SX
    if (j > 1) {
      sums = {};
      forBlocks(x, y, begin, end, [&](const Block& b) {
        for (int i = 0; i < b.n; i += 4) {
          const Four p = orthogonalAt(f, j, four(b.x + i));
          put(terms[0] + i, p * p);
          put(terms[1] + i, p * (four(b.y + i) - f.meanY));
          put(terms[2] + i, p * p * (four(b.x + i) - f.meanX));
        }
        addInOrder(terms, b.n, sums);
      });
    }
    const double S1 = sums[0], SY = sums[1], SX = sums[2];
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
  // What each degree leaves of Y, its squares summed case by case.
  if (t.reached >= 1) {
    std::array<double, kMostPolyDegree> sse{};
    forBlocks(x, y, begin, end, [&](const Block& b) {
      for (int i = 0; i < b.n; i += 4) {
        const Four xv = four(b.x + i);
        Four prevP = {0.0, 0.0, 0.0, 0.0}, cur = {1.0, 1.0, 1.0, 1.0}, e = four(b.y + i) - f.c[0];
        for (int j = 1; j <= t.reached; ++j) {
          const Four next = (xv - f.alpha[size_t(j - 1)]) * cur - f.beta[size_t(j - 1)] * prevP;
          prevP = cur;
          cur = next;
          e -= f.c[size_t(j)] * cur;
          put(terms[j - 1] + i, e * e);
        }
      }
      addFirstRows(terms, b.n, sse.data(), t.reached);
    });
    for (int j = 1; j <= t.reached; ++j) t.SSE[size_t(j)] = sse[size_t(j - 1)];
  }
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
