#pragma once
// What the polynomial fit and the asymptote search leave for the report writer and the
// spreadsheet row after their windows have closed.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

inline constexpr int kMostPolyDegree = 9;

// A least-squares polynomial in the orthogonal form it was fitted in. The power coefficients
// are for showing only: evaluated in raw X far from 0 they cancel, the orthogonal form does not.
struct PolynomialFit {
  std::string refused;  // why no polynomial was fitted ("" when one was)
  int degree = 0;
  int32_t n = 0;        // cases used (gaps left out)
  std::array<double, kMostPolyDegree + 1> alpha{}, beta{}, c{};  // recurrence shifts, ratios, weights
  std::array<double, kMostPolyDegree + 1> power{};               // power[k]: coefficient of X^k
  double meanX = 0.0, meanY = 0.0, sdX = 0.0, sdY = 0.0;          // S.D.s with divisor n
  double variance = 0.0, r2 = 0.0;                                // residual Y variance, r²
  int16_t xChannel = 0, yChannel = 0;
  bool fitted() const { return refused.empty() && degree >= 1; }
  // The polynomial at x, by the recurrence of its orthogonal polynomials.
  double at(double x) const;
};

// An asymptote found by the search, with the straight line of ln|A - v| against the case
// number at the asymptote reported.
struct AsymptoteFit {
  std::string refused;     // why none was found ("" when one was)
  double A = 0.0;          // the asymptote
  double r2 = 0.0;         // r² of the line at A (the best of all trials)
  double a = 0.0, b = 0.0; // the line: ln|A - v| = a + b x case
  int iterations = 0;
  int trials = 0;
  bool rising = false;
  int32_t begin = 0, end = 0, n = 0;
  float blockMin = 0.0f, blockMax = 0.0f;
  // ln|A - v| - (a + b x case) for each block case (NaN for a gap); empty for long blocks.
  std::vector<float> residuals;
  bool found() const { return refused.empty(); }
};

extern PolynomialFit LastPolynomial;
extern AsymptoteFit LastAsymptote;
// The change the asymptote window times: item of its popup (1..11) and ln(1 - p).
extern int16_t SlopeID;
extern float AsymptoteLnRemaining;

}  // namespace qv
