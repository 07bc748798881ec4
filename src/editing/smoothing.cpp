#include "editing/smoothing.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <functional>
#include <vector>

namespace qv {

int smoothingWidth(int button) {
  static constexpr std::array<int, 11> kWidths{0, 3, 5, 7, 9, 11, 15, 19, 25, 35, 51};
  return button >= 1 && button <= 10 ? kWidths[size_t(button)] : 0;
}

CaseRange smoothingRange(int32_t from, int32_t to, int32_t nCases) {
  return {std::max(from, 1), std::min(to, nCases)};
}

namespace {

constexpr int32_t kStretch = 4096;

uint32_t exponentField(float v) { return (std::bit_cast<uint32_t>(v) >> 23) & 0xFFu; }

// Whether every partial sum of w <= 63 samples of s[a..b] is exact in double: the samples are
// multiples of the ulp of the smallest exponent among them, and a sum of up to 64 of them
// stays below 2^53 such ulps while the exponents lie within 23 of each other. Zeros fit
// anything; a value that is not finite never fits.
bool sumsAreExact(const float* s, int32_t a, int32_t b) {
  uint32_t lo = 255, hi = 0;
  for (int32_t i = a; i <= b; ++i) {
    const uint32_t e = exponentField(s[i]);
    const bool zero = (std::bit_cast<uint32_t>(s[i]) & 0x7FFFFFFFu) == 0;
    // Subnormals count as exponent 1, the exponent of their ulp.
    const uint32_t eLow = zero ? 255 : std::max<uint32_t>(e, 1);
    lo = std::min(lo, eLow);
    hi = std::max(hi, zero ? 0 : e);
  }
  return hi < 255 && (hi < lo || hi - lo <= 23);
}

double directSum(const float* s, int32_t a, int32_t b) {
  double sum = 0;
  for (int32_t j = a; j <= b; ++j) sum += s[j];
  return sum;
}

// Hands sink(p, sum) the centred sum of w samples for every centre first..last, stretch by
// stretch: sliding where every partial sum is exact, direct elsewhere.
template <class Sink>
void forEachCentredSum(const float* d, int32_t first, int32_t last, int w, Sink&& sink) {
  const int32_t k = w / 2;
  for (int32_t start = first; start <= last; start += kStretch) {
    const int32_t stop = std::min<int32_t>(last, start + kStretch - 1);
    if (!sumsAreExact(d, start - k, stop + k)) {
      for (int32_t p = start; p <= stop; ++p) sink(p, directSum(d, p - k, p + k));
      continue;
    }
    double sum = directSum(d, start - k, start + k);
    sink(start, sum);
    for (int32_t p = start + 1; p <= stop; ++p) {
      sum += d[p + k];
      sum -= d[p - k - 1];
      sink(p, sum);
    }
  }
}

}  // namespace

void slidingSums(std::span<const float> s, int32_t first, int32_t last, int w, std::span<double> sums) {
  forEachCentredSum(s.data(), first, last, w, [&](int32_t p, double sum) { sums[size_t(p - first)] = sum; });
}

void smoothPass(std::span<const float> s, std::span<float> x, CaseRange range, int w) {
  const int32_t N = int32_t(s.size()) - 1, k = w / 2;
  if (range.first > range.last || w < 3) return;
  // Divided rather than multiplied by a rounded 1/w: w equal samples give that sample back.
  const double width = w;
  // Centred cases: both neighbours within the file.
  const int32_t c0 = std::max(range.first, k + 1), c1 = std::min(range.last, N - k);
  float* out = x.data();
  if (c0 <= c1) forEachCentredSum(s.data(), c0, c1, w, [&](int32_t p, double sum) { out[p] = float(sum / width); });
  // Near an end: the mean of the cases that exist, as many on the near side as there are.
  const auto endMean = [&](int32_t a, int32_t b) {
    return float(directSum(s.data(), a, b) / double(b - a + 1));
  };
  for (int32_t p = range.first; p <= range.last; ++p) {
    if (p >= c0 && p <= c1) {
      p = c1;
      continue;
    }
    out[p] = p <= k ? endMean(1, std::min(2 * p, N)) : endMean(2 * p - N - 1, N);
  }
}

void smoothCycles(std::span<float> x, CaseRange range, int w, int cycles, const std::function<void(int)>& progress) {
  if (range.first > range.last || x.size() < 2) return;
  // Two arrays read and written in turn: each cycle reads one and writes the range of the
  // other, whose cases outside the range hold the same values.
  std::vector<float> scratch(x.begin(), x.end());
  const size_t n = x.size();
  float* now = x.data();
  float* next = scratch.data();
  for (int c = 1; c <= cycles; ++c) {
    smoothPass(std::span<const float>(now, n), std::span<float>(next, n), range, w);
    std::swap(now, next);
    if (progress) progress(c);
  }
  if (now != x.data()) std::copy(now + range.first, now + range.last + 1, x.data() + range.first);
}

void keepOutsideLimits(std::span<const float> before, std::span<float> x, CaseRange range, float upper,
                       float lower) {
  for (int32_t i = range.first; i <= range.last; ++i) {
    const float v = before[size_t(i)];
    if (v > upper || v < lower) x[size_t(i)] = v;
  }
}

}  // namespace qv
