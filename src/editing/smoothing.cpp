#include "editing/smoothing.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <functional>
#include <vector>

#include "runtime/parallel_runs.h"

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
constexpr int32_t kLaneMinimum = 64;

// Whether every partial sum of w <= 63 samples of s[a..b] is exact in double: the samples are
// multiples of the ulp of the smallest exponent among them, and a sum of up to 64 of them
// stays below 2^53 such ulps while the exponents lie within 23 of each other. Zeros fit
// anything; a value that is not finite never fits.
bool sumsAreExact(const float* s, int32_t a, int32_t b) {
  using I4 = int32_t __attribute__((vector_size(16)));
  using U4 = uint32_t __attribute__((vector_size(16)));
  const auto select = [](I4 m, I4 x, I4 y) { return (x & m) | (y & ~m); };
  // Exponent fields are at most 255, and 511 for a wrapped zero: signed lanes compare them.
  I4 hi4 = {0, 0, 0, 0}, lo4 = {511, 511, 511, 511};
  int32_t i = a;
  for (; int64_t(i) + 3 <= b; i += 4) {
    U4 u;
    std::memcpy(&u, s + i, sizeof u);
    u &= 0x7FFFFFFFu;
    // The same fields as case by case below, four at a time.
    const I4 e = I4(u >> 23), l = I4((u - 1u) >> 23);
    hi4 = select(e > hi4, e, hi4);
    lo4 = select(l < lo4, l, lo4);
  }
  uint32_t lo = 0xFFFFFFFFu, hi = 0;
  for (int l = 0; l < 4; ++l) {
    hi = std::max(hi, uint32_t(hi4[l]));
    lo = std::min(lo, uint32_t(lo4[l]));
  }
  for (; i <= b; ++i) {
    const uint32_t u = std::bit_cast<uint32_t>(s[i]) & 0x7FFFFFFFu;
    // Exponent field; for the low side (u - 1) wraps a zero out of the way and at worst
    // counts a power of two (or a subnormal) one exponent lower, which only errs on the safe side.
    hi = std::max(hi, u >> 23);
    lo = std::min(lo, (u - 1u) >> 23);
  }
  return hi < 255 && (lo > hi || hi - lo <= 23);
}

double directSum(const float* s, int32_t a, int32_t b) {
  double sum = 0;
  for (int32_t j = a; j <= b; ++j) sum += s[j];
  return sum;
}

// Hands sink(p, sum) the centred sum of 2k + 1 samples for every centre of one stretch: sliding
// where every partial sum is exact, direct elsewhere. A stretch starts its sums afresh.
template <class Sink>
void centredSumsOfStretch(const float* d, int32_t start, int32_t stop, int32_t k, Sink& sink) {
  if (!sumsAreExact(d, start - k, stop + k)) {
    for (int32_t p = start; p <= stop; ++p) sink(p, directSum(d, p - k, p + k));
    return;
  }
  // Four lanes of the stretch slide side by side, so that each add waits on its own lane
  // only; the step (entering minus leaving sample) is exact too and is formed off the chain.
  const int lanes = stop - start + 1 >= 4 * kLaneMinimum ? 4 : 1;
  const int32_t len = (stop - start + 1) / lanes;
  int32_t from[4] = {start, start + len, start + 2 * len, start + 3 * len};
  double sum[4] = {0, 0, 0, 0};
  for (int j = 0; j < lanes; ++j) {
    sum[j] = directSum(d, from[j] - k, from[j] + k);
    sink(from[j], sum[j]);
  }
  if (lanes == 4) {
    // The lanes' sums stay in registers.
    double s0 = sum[0], s1 = sum[1], s2 = sum[2], s3 = sum[3];
    for (int32_t t = 1; t < len; ++t) {
      const int32_t p0 = from[0] + t, p1 = from[1] + t, p2 = from[2] + t, p3 = from[3] + t;
      s0 += double(d[p0 + k]) - double(d[p0 - k - 1]);
      s1 += double(d[p1 + k]) - double(d[p1 - k - 1]);
      s2 += double(d[p2 + k]) - double(d[p2 - k - 1]);
      s3 += double(d[p3 + k]) - double(d[p3 - k - 1]);
      sink(p0, s0);
      sink(p1, s1);
      sink(p2, s2);
      sink(p3, s3);
    }
    sum[3] = s3;
  } else {
    for (int32_t t = 1; t < len; ++t) {
      const int32_t p = from[0] + t;
      sum[0] += double(d[p + k]) - double(d[p - k - 1]);
      sink(p, sum[0]);
    }
  }
  const int last = lanes - 1;
  for (int32_t p = from[last] + len; p <= stop; ++p) {
    sum[last] += double(d[p + k]) - double(d[p - k - 1]);
    sink(p, sum[last]);
  }
}

// Stretches stand alone, so a long range is shared between threads a run of stretches at a time;
// each sum is the same whichever thread makes it, and each centre is handed over once.
constexpr int64_t kRunOfCases = int64_t(kStretch) * 16;
constexpr int32_t kThreadsFrom = 1 << 18;

// Hands sink(p, sum) the centred sum of w samples for every centre first..last, stretch by
// stretch; sink may be called from several threads at once, never twice for one centre.
template <class Sink>
void forEachCentredSum(const float* d, int32_t first, int32_t last, int w, Sink&& sink) {
  if (first > last) return;
  const int32_t k = w / 2;
  const size_t runs = size_t((int64_t(last) - first) / kRunOfCases + 1);
  const auto run = [&](size_t r) {
    const int32_t from = int32_t(first + int64_t(r) * kRunOfCases);
    const int32_t to = int32_t(std::min<int64_t>(last, from + kRunOfCases - 1));
    for (int32_t start = from; start <= to; start = std::min(to, start + (kStretch - 1)) + 1)
      centredSumsOfStretch(d, start, std::min(to, start + (kStretch - 1)), k, sink);
  };
  const unsigned threads = last - first + 1 < kThreadsFrom ? 1 : rt::threadsForRuns(runs);
  rt::forEachRun(runs, threads, run);
}

}  // namespace

void slidingSums(std::span<const float> s, int32_t first, int32_t last, int w, std::span<double> sums) {
  forEachCentredSum(s.data(), first, last, w, [&](int32_t p, double sum) { sums[size_t(p - first)] = sum; });
}

void smoothPass(std::span<const float> s, std::span<float> x, CaseRange range, int w) {
  const int32_t N = int32_t(s.size()) - 1, k = w / 2;
  if (range.first > range.last || w < 3) return;
  // 1/w in double, not rounded to 32 bits: w equal samples then give that sample back.
  const double inverse = 1.0 / double(w);
  // Centred cases: both neighbours within the file.
  const int32_t c0 = std::max(range.first, k + 1), c1 = std::min(range.last, N - k);
  float* out = x.data();
  if (c0 <= c1) forEachCentredSum(s.data(), c0, c1, w, [&](int32_t p, double sum) { out[p] = float(sum * inverse); });
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
