#pragma once
// A small in-place radix-2 complex FFT in double precision: the lag search's correlations
// and the frequency analysis both run on it.
#include <complex>
#include <cstddef>
#include <functional>
#include <span>

namespace qv {

// The smallest power of two that is at least n (1 for n = 0).
size_t fftSize(size_t n);

// Transforms data in place; its length must be a power of two (false otherwise, data
// untouched). Forward: X[k] = sum x[j] e^(-2 pi i jk/n); inverse: the same with +i, without
// the 1/n factor. onPass, when given, hears each butterfly pass end (1 .. log2 n).
bool fft(std::span<std::complex<double>> data, bool inverse, const std::function<void(int)>& onPass = {});

}  // namespace qv
