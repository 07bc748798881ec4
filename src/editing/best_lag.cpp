#include "editing/best_lag.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>

#include "rhythm/fft.h"

namespace qv {

int32_t limitSearchLag(int32_t m, int32_t begin, int32_t end, int32_t nCases) {
  // A positive lag reads back to begin - m, which must stay at case 1 or after.
  if (m > 0 && m > begin - 1) return std::max(begin - 1, 0);
  if (m < 0 && int64_t(nCases) - end < -int64_t(m)) return std::min(end - nCases, 0);
  return m;
}

float lagRSquared(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end, int32_t lag) {
  double mx = 0, my = 0;
  for (int32_t i = begin; i <= end; ++i) {
    mx += x[size_t(i)];
    my += y[size_t(i - lag)];
  }
  const double n = double(end) - begin + 1;
  mx /= n;
  my /= n;
  double sxx = 0, syy = 0, sxy = 0;
  for (int32_t i = begin; i <= end; ++i) {
    const double dx = x[size_t(i)] - mx, dy = y[size_t(i - lag)] - my;
    sxx += dx * dx;
    syy += dy * dy;
    sxy += dx * dy;
  }
  return float(sxy * sxy / sxx / syy);
}

namespace {

// Sxy(L) = sum over the block of (x_i - mean x) * z(i - L) for every lag at once: the
// correlation of the centred block with z, the centred y over the cases read.
std::vector<double> crossProducts(const std::vector<double>& a, const std::vector<double>& z, size_t lags) {
  const size_t size = fftSize(z.size());
  std::vector<std::complex<double>> fa(size), fz(size);
  for (size_t j = 0; j < a.size(); ++j) fa[j] = a[j];
  for (size_t j = 0; j < z.size(); ++j) fz[j] = z[j];
  const FftTwiddles twiddles(size);
  fft(fa, false, twiddles);
  fft(fz, false, twiddles);
  for (size_t k = 0; k < size; ++k) fz[k] *= std::conj(fa[k]);
  fft(fz, true, twiddles);
  std::vector<double> s(lags);
  for (size_t t = 0; t < lags; ++t) s[t] = fz[t].real() / double(size);
  return s;
}

}  // namespace

std::vector<float> lagRSquaredProfile(std::span<const float> x, std::span<const float> y, int32_t begin,
                                      int32_t end, int32_t lo, int32_t hi) {
  const size_t n = size_t(end - begin + 1), lags = size_t(int64_t(hi) - lo + 1);
  // y is read on first..first + n + lags - 2; lag hi reads from its start.
  const int64_t first = int64_t(begin) - hi;
  const size_t m = n + lags - 1;
  double mx = 0;
  for (int32_t i = begin; i <= end; ++i) mx += x[size_t(i)];
  mx /= double(n);
  std::vector<double> a(n);
  double sxx = 0;
  for (size_t j = 0; j < n; ++j) {
    a[j] = x[size_t(begin) + j] - mx;
    sxx += a[j] * a[j];
  }
  double c = 0;
  for (size_t t = 0; t < m; ++t) c += y[size_t(first) + t];
  c /= double(m);
  std::vector<double> z(m), p1(m + 1, 0.0), p2(m + 1, 0.0);
  for (size_t t = 0; t < m; ++t) {
    z[t] = y[size_t(first) + t] - c;
    p1[t + 1] = p1[t] + z[t];
    p2[t + 1] = p2[t] + z[t] * z[t];
  }
  const std::vector<double> sxy = crossProducts(a, z, lags);
  std::vector<float> r2(lags);
  for (size_t k = 0; k < lags; ++k) {
    // Lag lo + k reads z from offset hi - (lo + k).
    const size_t t = lags - 1 - k;
    const double s1 = p1[t + n] - p1[t], s2 = p2[t + n] - p2[t];
    const double syy = s2 - s1 * s1 / double(n);
    // What is left of Syy after the cancellation of a window that is constant is rounding
    // noise: such a lag has no r², as with the direct sums.
    if (!(syy > 1e-9 * s2) || !(sxx > 0)) {
      r2[k] = std::numeric_limits<float>::quiet_NaN();
      continue;
    }
    // Rounding can carry a perfect fit a hair past 1, which would let a later lag beat an
    // equally perfect earlier one.
    r2[k] = float(std::min(sxy[t] * sxy[t] / sxx / syy, 1.0));
  }
  return r2;
}

BestLag scanBestLag(std::span<const float> rsquared, int32_t lo, const LagProgress& progress) {
  BestLag best;
  const size_t every = std::max<size_t>(rsquared.size() / 100, 1);
  for (size_t k = 0; k < rsquared.size(); ++k) {
    if (rsquared[k] > best.rsquared) best = {int32_t(lo + int64_t(k)), rsquared[k]};
    if (progress && ((k + 1) % every == 0 || k + 1 == rsquared.size())) progress(int64_t(k + 1), best);
  }
  return best;
}

BestLag bestLagDirect(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end, int32_t lo,
                      int32_t hi, const LagProgress& progress) {
  BestLag best;
  const int64_t count = int64_t(hi) - lo + 1, every = std::max<int64_t>(count / 100, 1);
  for (int64_t k = 0; k < count; ++k) {
    const int32_t lag = int32_t(lo + k);
    const float r2 = lagRSquared(x, y, begin, end, lag);
    if (r2 > best.rsquared) best = {lag, r2};
    if (progress && ((k + 1) % every == 0 || k + 1 == count)) progress(k + 1, best);
  }
  return best;
}

BestLag bestLagSearch(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end, int32_t lo,
                      int32_t hi, const LagProgress& progress) {
  const auto finite = [](float v) { return std::isfinite(v); };
  const bool clean = std::all_of(x.begin() + begin, x.begin() + end + 1, finite) &&
                     std::all_of(y.begin() + (int64_t(begin) - hi), y.begin() + (int64_t(end) - lo) + 1, finite);
  if (!clean) return bestLagDirect(x, y, begin, end, lo, hi, progress);
  const std::vector<float> r2 = lagRSquaredProfile(x, y, begin, end, lo, hi);
  return scanBestLag(r2, lo, progress);
}

}  // namespace qv
