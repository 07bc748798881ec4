#include "core/curve_fit_state.h"

#include <cmath>

namespace qv {

PolynomialFit LastPolynomial;
AsymptoteFit LastAsymptote;
int16_t SlopeID = 6;
float AsymptoteLnRemaining = float(std::log(0.5));

double PolynomialFit::at(double x) const {
  if (!fitted()) return NAN;
  double prev = 0.0, cur = 1.0, y = c[0];
  for (int j = 1; j <= degree; ++j) {
    const double next = (x - alpha[size_t(j - 1)]) * cur - beta[size_t(j - 1)] * prev;
    prev = cur;
    cur = next;
    y += c[size_t(j)] * cur;
  }
  return y;
}

}  // namespace qv
