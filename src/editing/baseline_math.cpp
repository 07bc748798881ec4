#include "editing/baseline_math.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "runtime/parallel_runs.h"

namespace qv {

namespace {

// A range of cases inside 1..nCases (empty when last < first).
struct CaseRange {
  int64_t first = 1, last = 0;
  int64_t size() const { return last >= first ? last - first + 1 : 0; }
};

constexpr int64_t kRunOfEntries = 1 << 16;
constexpr int64_t kThreadsFrom = 1 << 18;

int64_t lastCase(std::span<const float> channel) { return int64_t(channel.size()) - 1; }

CaseRange inside(int64_t first, int64_t last, int64_t nCases) {
  return {std::max<int64_t>(first, 1), std::min<int64_t>(last, nCases)};
}

// Four running sums break the chain of dependent additions; the order of the additions
// changes the last bits only.
double sumOf(const float* p, int64_t first, int64_t last) {
  double s[4] = {0, 0, 0, 0};
  int64_t i = first;
  for (; i + 3 <= last; i += 4) {
    s[0] += p[i];
    s[1] += p[i + 1];
    s[2] += p[i + 2];
    s[3] += p[i + 3];
  }
  for (; i <= last; ++i) s[0] += p[i];
  return (s[0] + s[1]) + (s[2] + s[3]);
}

// Sum of the case numbers first..last, exact in double far beyond any file.
double sumOfIndices(const CaseRange& r) {
  return r.size() == 0 ? 0.0 : double(r.first + r.last) * double(r.size()) * 0.5;
}

struct Centred {
  double x2 = 0, xy = 0;
};

// Four lanes of sums, as in sumOf, in vector types: kept as arrays, the compiler built each
// lane's terms in halves on the stack and read them back whole, a stall at every step. Case
// numbers fit 32 bits (a channel has at most 6,100,000 cases).
using Double4 = double __attribute__((vector_size(32)));
using Float4 = float __attribute__((vector_size(16)));
using Int4 = int32_t __attribute__((vector_size(16)));

Centred centredSums(const float* p, const CaseRange& r, double xm, double ym) {
  Double4 x2 = {0, 0, 0, 0}, xy = {0, 0, 0, 0};
  const Double4 xm4 = {xm, xm, xm, xm}, ym4 = {ym, ym, ym, ym};
  const Int4 lane = {0, 1, 2, 3};
  const int32_t last = int32_t(r.last);
  int32_t i = int32_t(r.first);
  for (; i + 3 <= last; i += 4) {
    Float4 y;
    std::memcpy(&y, p + i, sizeof y);
    const Double4 dx = __builtin_convertvector(Int4{i, i, i, i} + lane, Double4) - xm4;
    const Double4 dy = __builtin_convertvector(y, Double4) - ym4;
    x2 += dx * dx;
    xy += dx * dy;
  }
  for (; i <= last; ++i) {
    const double dx = double(i) - xm, dy = double(p[i]) - ym;
    x2[0] += dx * dx;
    xy[0] += dx * dy;
  }
  return {(x2[0] + x2[1]) + (x2[2] + x2[3]), (xy[0] + xy[1]) + (xy[2] + xy[3])};
}

// A case number held in a float of the table, truncated; out-of-range values and NaN come
// out beyond the file, so that the range they bound is empty or clipped.
int64_t truncatedCase(float v) {
  if (std::isnan(v)) return -1;
  return int64_t(std::clamp(double(v), -1e12, 1e12));
}

// Gaps in a recording are NaN samples (and a channel can hold infinities): a line or mean
// through them would be NaN and wipe out every sample it is subtracted from, so the slow
// sums below pass over them. They run only when the fast sums came out non-finite.
struct FiniteSums {
  int64_t count = 0;
  double sx = 0, sy = 0;
};

void addFinite(const float* p, const CaseRange& r, FiniteSums& s) {
  for (int64_t i = r.first; i <= r.last; ++i)
    if (std::isfinite(p[i])) {
      ++s.count;
      s.sx += double(i);
      s.sy += double(p[i]);
    }
}

void addFiniteCentred(const float* p, const CaseRange& r, double xm, double ym, Centred& c) {
  for (int64_t i = r.first; i <= r.last; ++i)
    if (std::isfinite(p[i])) {
      const double dx = double(i) - xm, dy = double(p[i]) - ym;
      c.x2 += dx * dx;
      c.xy += dx * dy;
    }
}

std::optional<BaselineFit> finiteRegression(const float* p, const CaseRange& left, const CaseRange& right) {
  FiniteSums s;
  addFinite(p, left, s);
  addFinite(p, right, s);
  if (s.count < 2) return std::nullopt;
  const double xm = s.sx / double(s.count), ym = s.sy / double(s.count);
  Centred c;
  addFiniteCentred(p, left, xm, ym, c);
  addFiniteCentred(p, right, xm, ym, c);
  if (!(c.x2 > 0)) return std::nullopt;  // every finite sample at one case: no slope
  BaselineFit fit;
  fit.count = s.count;
  fit.sumx2 = c.x2;
  fit.sumxy = c.xy;
  const double slope = c.xy / c.x2;
  fit.line = {float(ym - slope * xm), float(slope)};
  return fit;
}

}  // namespace

std::optional<BaselineFit> baselineRegression(std::span<const float> channel, int32_t a, int32_t b, int32_t c,
                                              int32_t d) {
  const int64_t n = lastCase(channel);
  const CaseRange left = inside(a, std::min<int64_t>(b, d), n);
  // The right range starts after the left one where they overlap.
  const CaseRange right = inside(std::max<int64_t>({int64_t(c), int64_t(b) + 1, int64_t(a)}), d, n);
  const int64_t count = left.size() + right.size();
  if (count < 2) return std::nullopt;
  const float* p = channel.data();
  const double xm = (sumOfIndices(left) + sumOfIndices(right)) / double(count);
  double sy = 0;
  if (left.size()) sy += sumOf(p, left.first, left.last);
  if (right.size()) sy += sumOf(p, right.first, right.last);
  if (!std::isfinite(sy)) return finiteRegression(p, left, right);
  const double ym = sy / double(count);
  const Centred l = centredSums(p, left, xm, ym), r = centredSums(p, right, xm, ym);
  BaselineFit fit;
  fit.count = count;
  fit.sumx2 = l.x2 + r.x2;
  fit.sumxy = l.xy + r.xy;
  const double slope = fit.sumxy / fit.sumx2;
  fit.line = {float(ym - slope * xm), float(slope)};
  return fit;
}

std::optional<double> meanOfCases(std::span<const float> channel, int32_t first, int32_t last) {
  const CaseRange r = inside(first, last, lastCase(channel));
  if (r.size() == 0) return std::nullopt;
  const double sum = sumOf(channel.data(), r.first, r.last);
  if (std::isfinite(sum)) return sum / double(r.size());
  FiniteSums s;
  addFinite(channel.data(), r, s);
  if (s.count == 0) return std::nullopt;
  return s.sy / double(s.count);
}

float clampAutoBlock(float n, int32_t nCases) {
  if (!(n >= 3)) n = 3;  // NaN too
  if (n > float(nCases) * 0.5f) n = float(nCases) * 0.5f - 1;
  return n;
}

AutoWindows autoBaselineWindows(float n, int32_t nCases) {
  AutoWindows w;
  // Kept inside -1..nCases + 1 so that no window size can overflow a case number.
  const auto within = [nCases](double v) { return int32_t(std::clamp(std::trunc(v), -1.0, double(nCases) + 1)); };
  w.startLast = within(std::isnan(n) ? 0.0 : double(n));
  w.endFirst = within(std::isnan(n) ? double(nCases) : double(nCases) - double(n));
  w.endLast = nCases;
  return w;
}

std::optional<BaselineLine> autoBaselineLine(std::span<const float> channel, float n, int ends) {
  const int32_t nCases = int32_t(lastCase(channel));
  const AutoWindows w = autoBaselineWindows(n, nCases);
  if (ends == kStartOfFile || ends == kEndOfFile) {
    const auto mean = ends == kStartOfFile ? meanOfCases(channel, w.startFirst, w.startLast)
                                           : meanOfCases(channel, w.endFirst, w.endLast);
    if (!mean) return std::nullopt;
    return BaselineLine{float(*mean), 0.0f};
  }
  const auto fit = baselineRegression(channel, w.startFirst, w.startLast, w.endFirst, w.endLast);
  if (!fit) return std::nullopt;
  return fit->line;
}

void subtractLine(std::span<float> channel, BaselineLine line) {
  const double a = line.a, b = line.b;
  float* p = channel.data();
  const int32_t n = int32_t(std::min<size_t>(channel.size(), size_t(INT32_MAX)));
  // Each entry stands alone: a long channel is shared between threads, a run of entries each.
  rt::forEachRunOfCases(0, int64_t(n) - 1, kRunOfEntries, kThreadsFrom, [&](int64_t from, int64_t to) {
    // Runs of eight with a fixed count, which the compiler turns into vector operations.
    int32_t i = int32_t(from);
    for (; i + 7 <= to; i += 8)
      for (int32_t k = 0; k < 8; ++k) p[i + k] = float(double(p[i + k]) - (b * double(i + k) + a));
    for (; i <= to; ++i) p[i] = float(double(p[i]) - (b * double(i) + a));
  });
}

std::optional<BaselineLine> subtractPiecewise(std::span<float> channel, std::span<const BaselineRecord> table,
                                              int32_t n) {
  const int64_t nCases = int64_t(channel.size()) - 1;
  n = std::min<int32_t>(n, int32_t(table.size()) - 1);
  std::optional<BaselineLine> last;
  float* p = channel.data();
  for (int32_t k = 2; k <= n; ++k) {
    const BaselineLine line{table[size_t(k)][3], table[size_t(k)][4]};
    const int64_t from = k == 2 ? 1 : truncatedCase(table[size_t(k - 1)][2]);
    const int64_t to = k == n ? nCases : truncatedCase(table[size_t(k)][2] - 1);
    const CaseRange r = inside(from, to, nCases);
    last = line;
    for (int64_t i = r.first; i <= r.last; ++i)
      p[i] = float(double(p[i]) - (double(line.b) * double(i) + double(line.a)));
  }
  return last;
}

}  // namespace qv
