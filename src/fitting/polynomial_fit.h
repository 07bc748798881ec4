#pragma once
// Least-squares polynomials of one channel on another over a block, fitted by orthogonal
// polynomials (a three-term recurrence), sums in double. Cases where X or Y is a gap are left
// out. A degree the block cannot carry (as many or more than its different X values) is
// refused rather than fitted on rounding dust.
#include <array>
#include <cstdint>
#include <span>

#include "core/curve_fit_state.h"

namespace qv {

// The fit of the given degree (1..9) of y on x over the cases begin..end.
PolynomialFit fitPolynomial(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end,
                            int degree);

// r² of the degrees 1..9 in turn ("Show All r^2"), stopping at the first degree refused or
// whose r² falls below the one before it (as shown, in f32). r2[k] for the degrees reached,
// 0 beyond; `shown` is the fit of the last degree kept.
struct PolynomialSeries {
  std::array<float, kMostPolyDegree + 1> r2{};
  int last = 0;            // the last degree reached (refused or fallen included)
  bool stopped = false;    // a degree was refused or its r² fell
  PolynomialFit shown;
};
PolynomialSeries polynomialSeries(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end);

// The polynomial's values at every case of x into out (out[k] from x[k]); a gap in X stays a gap.
void evaluatePolynomial(const PolynomialFit& fit, std::span<const float> x, std::span<float> out);

}  // namespace qv
