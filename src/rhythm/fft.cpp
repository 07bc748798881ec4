#include "rhythm/fft.h"

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

namespace qv {

size_t fftSize(size_t n) {
  size_t p = 1;
  while (p < n) p <<= 1;
  return p;
}

namespace {

void bitReverse(std::span<std::complex<double>> a) {
  const size_t n = a.size();
  for (size_t i = 1, j = 0; i < n; ++i) {
    size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
}

}  // namespace

bool fft(std::span<std::complex<double>> a, bool inverse, const std::function<void(int)>& onPass) {
  const size_t n = a.size();
  if (n == 0 || (n & (n - 1)) != 0) return false;
  bitReverse(a);
  // One table of twiddles, each from sin/cos of its own index rather than by repeated
  // multiplication, so that the error does not grow along a long transform.
  const double sign = inverse ? 1.0 : -1.0;
  std::vector<std::complex<double>> w(n / 2);
  for (size_t k = 0; k < n / 2; ++k) {
    const double angle = sign * 2.0 * std::numbers::pi * double(k) / double(n);
    w[k] = {std::cos(angle), std::sin(angle)};
  }
  int pass = 0;
  for (size_t len = 2; len <= n; len <<= 1) {
    const size_t half = len / 2, step = n / len;
    for (size_t i = 0; i < n; i += len) {
      for (size_t j = 0; j < half; ++j) {
        const std::complex<double> u = a[i + j];
        const std::complex<double> b = a[i + j + half], t = w[j * step];
        // Written out: the library's complex product checks for infinities on every call.
        const std::complex<double> v(b.real() * t.real() - b.imag() * t.imag(),
                                     b.real() * t.imag() + b.imag() * t.real());
        a[i + j] = u + v;
        a[i + j + half] = u - v;
      }
    }
    if (onPass) onPass(++pass);
  }
  return true;
}

}  // namespace qv
