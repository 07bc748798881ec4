#include "rhythm/fft.h"

#include <algorithm>
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

// One stage's butterflies over a[from, to); the inverse turns each twiddle the other way.
template <bool kInverse>
void stage(std::complex<double>* a, const std::complex<double>* t, size_t len, size_t from, size_t to) {
  const size_t half = len / 2;
  for (size_t i = from; i < to; i += len) {
    std::complex<double>* lo = a + i;
    std::complex<double>* hi = lo + half;
    for (size_t j = 0; j < half; ++j) {
      const std::complex<double> u = lo[j], b = hi[j];
      const double tr = t[j].real(), ti = kInverse ? -t[j].imag() : t[j].imag();
      // Written out: the library's complex product checks for infinities on every call.
      const std::complex<double> v(b.real() * tr - b.imag() * ti, b.real() * ti + b.imag() * tr);
      lo[j] = u + v;
      hi[j] = u - v;
    }
  }
}

template <bool kInverse>
void transform(std::span<std::complex<double>> a, const FftTwiddles& w, const std::function<void(int)>& onPass) {
  const size_t n = a.size();
  bitReverse(a);
  // The short stages run a cache-sized piece at a time, so that the transform streams through
  // memory a few times rather than once a stage; the arithmetic is the same. A short stage has
  // ended for the whole transform when it ends in the last piece.
  const size_t piece = std::min<size_t>(n, size_t(1) << 14);
  int pass = 0;
  for (size_t from = 0; from < n; from += piece)
    for (size_t len = 2; len <= piece; len <<= 1) {
      stage<kInverse>(a.data(), w.stage(len), len, from, from + piece);
      if (onPass && from + piece >= n) onPass(++pass);
    }
  for (size_t len = piece * 2; len <= n; len <<= 1) {
    stage<kInverse>(a.data(), w.stage(len), len, 0, n);
    if (onPass) onPass(++pass);
  }
}

}  // namespace

FftTwiddles::FftTwiddles(size_t n) : n_(n) {
  if (n < 2 || (n & (n - 1)) != 0) return;
  // Each twiddle from sin/cos of its own index rather than by repeated multiplication, so
  // that the error does not grow along a long transform; the second quarter turn is the
  // first's turned by a right angle.
  table_.resize(n - 1);
  // The last stage's run holds every twiddle of the length; the shorter stages take every
  // second, fourth, ... of them.
  std::complex<double>* w = table_.data() + (n / 2 - 1);
  const size_t quarter = std::max<size_t>(n / 4, 1);
  for (size_t k = 0; k < std::min(quarter, n / 2); ++k) {
    const double angle = -2.0 * std::numbers::pi * double(k) / double(n);
    w[k] = {std::cos(angle), std::sin(angle)};
  }
  for (size_t k = quarter; k < n / 2; ++k) w[k] = {w[k - quarter].imag(), -w[k - quarter].real()};
  for (size_t len = 2; len < n; len <<= 1) {
    const size_t half = len / 2, step = n / len;
    for (size_t j = 0; j < half; ++j) table_[half - 1 + j] = w[j * step];
  }
}

bool fft(std::span<std::complex<double>> a, bool inverse, const FftTwiddles& w,
         const std::function<void(int)>& onPass) {
  const size_t n = a.size();
  if (n == 0 || (n & (n - 1)) != 0 || w.size() != n) return false;
  if (n == 1) return true;
  if (inverse) transform<true>(a, w, onPass);
  else transform<false>(a, w, onPass);
  return true;
}

bool fft(std::span<std::complex<double>> a, bool inverse, const std::function<void(int)>& onPass) {
  const size_t n = a.size();
  if (n == 0 || (n & (n - 1)) != 0) return false;
  return fft(a, inverse, FftTwiddles(n), onPass);
}

}  // namespace qv
