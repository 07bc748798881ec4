#pragma once
// A small in-place radix-2 complex FFT in double precision: the lag search's correlations,
// the periodicity test and the frequency analysis run on it.
#include <complex>
#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace qv {

// The smallest power of two that is at least n (1 for n = 0).
size_t fftSize(size_t n);

// The twiddles of transforms of one length, worked out once for a forward and an inverse
// transform alike.
class FftTwiddles {
 public:
  explicit FftTwiddles(size_t n);
  size_t size() const { return n_; }
  // Stage len's twiddles e^(-2 pi i j/len), j < len/2, start at len/2 - 1.
  const std::complex<double>* stage(size_t len) const { return table_.data() + (len / 2 - 1); }

 private:
  size_t n_ = 0;
  std::vector<std::complex<double>> table_;
};

// Transforms data in place; its length must be a power of two (false otherwise, data
// untouched). Forward: X[k] = sum x[j] e^(-2 pi i jk/n); inverse: the same with +i, without
// the 1/n factor. onPass, when given, hears each butterfly stage end (1 .. log2 n).
bool fft(std::span<std::complex<double>> data, bool inverse, const std::function<void(int)>& onPass = {});
// The same with twiddles made for the data's length (false, data untouched, for another length).
bool fft(std::span<std::complex<double>> data, bool inverse, const FftTwiddles& twiddles,
         const std::function<void(int)>& onPass = {});

}  // namespace qv
