#include "rhythm/periodicity.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <limits>

#include "rhythm/fft.h"
#include "runtime/number_chars.h"
#include "runtime/numtext.h"

namespace qv {

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

float intervalOf(int32_t k, int32_t lag, int32_t step, float dt) {
  return float((double(k) * step + lag)) * dt;
}

// r² and slope from the centred sums; a flat side has none.
void finish(LagRegression& r) {
  if (r.n < 2 || !(r.Sxx > 0.0) || !(r.Syy > 0.0)) {
    r.r2 = r.slope = kNaN;
    return;
  }
  r.r2 = float(r.Sxy * r.Sxy / r.Sxx / r.Syy);
  r.slope = float(r.Sxy / r.Sxx);
}

bool holdsGap(std::span<const float> y, int32_t begin, int32_t end) {
  for (int32_t t = begin; t <= end; ++t)
    if (!std::isfinite(y[size_t(t)])) return true;
  return false;
}

bool validBlock(std::span<const float> y, int32_t begin, int32_t end) {
  return begin >= 0 && begin <= end && size_t(end) < y.size();
}

double blockMean(std::span<const float> y, int32_t begin, int32_t end) {
  double s = 0.0;
  int64_t n = 0;
  for (int32_t t = begin; t <= end; ++t)
    if (std::isfinite(y[size_t(t)])) s += y[size_t(t)], ++n;
  return n ? s / double(n) : 0.0;
}

}  // namespace

int32_t lagOrStep(double typed) {
  if (!(typed >= 1.0)) return 1;
  return typed >= 2147483647.0 ? std::numeric_limits<int32_t>::max() : int32_t(typed);
}

int64_t periodicityLimit(int32_t begin, int32_t end, int32_t lag, int32_t step) {
  const int64_t room = int64_t(end) - begin - lag - 2;
  if (room < 0 || step < 1) return 0;
  return room / step;
}

std::vector<LagRegression> periodicityDirect(std::span<const float> y, int32_t begin, int32_t end, int32_t lag,
                                             int32_t step, int32_t K, float dt) {
  std::vector<LagRegression> out;
  if (!validBlock(y, begin, end) || K < 1) return out;
  out.resize(size_t(K));
  // Sums of the block centred by its mean keep their digits for large offsets.
  const double m = blockMean(y, begin, end);
  for (int32_t k = 1; k <= K; ++k) {
    LagRegression& r = out[size_t(k - 1)];
    r.interval = intervalOf(k, lag, step, dt);
    const int64_t o = int64_t(lag) + int64_t(k) * step;
    double sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    float xLo = INFINITY, xHi = -INFINITY, yLo = INFINITY, yHi = -INFINITY;
    int64_t n = 0;
    for (int64_t t = begin; t + o <= end; ++t) {
      const float a = y[size_t(t)], b = y[size_t(t + o)];
      if (!std::isfinite(a) || !std::isfinite(b)) continue;
      xLo = std::min(xLo, a), xHi = std::max(xHi, a), yLo = std::min(yLo, b), yHi = std::max(yHi, b);
      const double x1 = double(a) - m, y1 = double(b) - m;
      sx += x1, sy += y1, sxx += x1 * x1, syy += y1 * y1, sxy += x1 * y1;
      ++n;
    }
    r.n = int32_t(n);
    // A flat side is flat exactly, not to the rounding of its sums.
    if (n > 0) {
      r.Sxx = xLo == xHi ? 0.0 : std::max(0.0, sxx - sx * sx / double(n));
      r.Syy = yLo == yHi ? 0.0 : std::max(0.0, syy - sy * sy / double(n));
      r.Sxy = r.Sxx == 0.0 || r.Syy == 0.0 ? 0.0 : sxy - sx * sy / double(n);
    }
    finish(r);
  }
  return out;
}

std::vector<LagRegression> periodicityByFft(std::span<const float> y, int32_t begin, int32_t end, int32_t lag,
                                            int32_t step, int32_t K, float dt) {
  std::vector<LagRegression> out;
  if (!validBlock(y, begin, end) || K < 1) return out;
  const size_t N = size_t(end - begin) + 1;
  const double m = blockMean(y, begin, end);
  const float* v = y.data() + begin;
  // The correlation of z = y - mean with itself at every offset, from one transform of z
  // padded past the longest offset (so that no product wraps round).
  const size_t longest = std::min(size_t(int64_t(lag) + int64_t(K) * step), N);
  std::vector<std::complex<double>> z(fftSize(N + longest + 1));
  for (size_t i = 0; i < N; ++i) z[i] = double(v[i]) - m;
  // The window sums: pairs t = 0..N-1-o have x over the first N - o cases and y over the
  // last N - o, so each is the total less a head or a tail of at most `longest` cases.
  std::vector<double> head1(longest + 1, 0.0), head2(longest + 1, 0.0), tail1(longest + 1, 0.0),
      tail2(longest + 1, 0.0);
  double total1 = 0.0, total2 = 0.0;
  for (size_t i = 0; i < N; ++i) total1 += z[i].real(), total2 += z[i].real() * z[i].real();
  for (size_t i = 0; i < longest; ++i) {
    const double a = z[i].real(), b = z[N - 1 - i].real();
    head1[i + 1] = head1[i] + a, head2[i + 1] = head2[i] + a * a;
    tail1[i + 1] = tail1[i] + b, tail2[i + 1] = tail2[i] + b * b;
  }
  // A window is flat exactly when it lies inside the block's first or last run of equal values.
  size_t firstRunEnd = 0, lastRunStart = N - 1;
  while (firstRunEnd + 1 < N && v[firstRunEnd + 1] == v[0]) ++firstRunEnd;
  while (lastRunStart > 0 && v[lastRunStart - 1] == v[N - 1]) --lastRunStart;
  const FftTwiddles twiddles(z.size());
  fft(z, false, twiddles);
  for (auto& c : z) c = std::norm(c);
  fft(z, true, twiddles);
  const double scale = 1.0 / double(z.size());
  out.resize(size_t(K));
  for (int32_t k = 1; k <= K; ++k) {
    LagRegression& r = out[size_t(k - 1)];
    r.interval = intervalOf(k, lag, step, dt);
    const int64_t o = int64_t(lag) + int64_t(k) * step;
    if (o >= int64_t(N)) {
      finish(r);
      continue;
    }
    const size_t n = N - size_t(o);
    const double sx = total1 - tail1[size_t(o)], sxx = total2 - tail2[size_t(o)];
    const double sy = total1 - head1[size_t(o)], syy = total2 - head2[size_t(o)];
    r.n = int32_t(n);
    const bool xFlat = n - 1 <= firstRunEnd, yFlat = size_t(o) >= lastRunStart;
    r.Sxx = xFlat ? 0.0 : std::max(0.0, sxx - sx * sx / double(n));
    r.Syy = yFlat ? 0.0 : std::max(0.0, syy - sy * sy / double(n));
    r.Sxy = xFlat || yFlat ? 0.0 : z[size_t(o)].real() * scale - sx * sy / double(n);
    finish(r);
  }
  return out;
}

std::vector<LagRegression> periodicityRegressions(std::span<const float> y, int32_t begin, int32_t end,
                                                  int32_t lag, int32_t step, int32_t K, float dt) {
  if (!validBlock(y, begin, end)) return {};
  const double n = double(end - begin) + 1.0;
  // The transform costs about 6 N log2(2N) whatever K is; the direct loop about K N.
  const double transformCost = 6.0 * std::log2(2.0 * n + 2.0);
  if (double(K) <= transformCost || holdsGap(y, begin, end))
    return periodicityDirect(y, begin, end, lag, step, K, dt);
  return periodicityByFft(y, begin, end, lag, step, K, dt);
}

float maximumR2(const std::vector<LagRegression>& r) {
  float m = 0.0f;
  for (const auto& x : r)
    if (x.r2 > m) m = x.r2;
  return m;
}

int32_t bestRegression(const std::vector<LagRegression>& r) {
  const float m = maximumR2(r);
  if (!(m > 0.0f)) return -1;
  int32_t best = -1;
  for (size_t k = 0; k < r.size(); ++k)
    if (std::isfinite(r[k].r2) && std::fabs(r[k].r2 * 50.0f / m) > 49.999f) best = int32_t(k);
  return best;
}

float barHeight(const LagRegression& r, float maxR2) {
  if (!std::isfinite(r.r2) || !(maxR2 > 0.0f)) return 0.0f;
  const float h = r.r2 * 50.0f / maxR2;
  return r.slope < 0.0f ? -h : h;
}

float peakThreshold(double typed) {
  return (typed <= 0.0 || typed >= 1.0 || !std::isfinite(typed)) ? 0.01f : float(typed);
}

std::vector<int32_t> otherPeaks(const std::vector<LagRegression>& r, float threshold, float maxR2) {
  std::vector<int32_t> out;
  for (size_t k = 1; k + 1 < r.size(); ++k) {
    const float v = r[k].r2;
    // A neighbour without r² is no obstacle; NaN compares false, so test it.
    const bool aboveLeft = !std::isfinite(r[k - 1].r2) || v > r[k - 1].r2;
    const bool aboveRight = !std::isfinite(r[k + 1].r2) || v > r[k + 1].r2;
    if (std::isfinite(v) && aboveLeft && aboveRight && v < maxR2 && v > threshold) out.push_back(int32_t(k));
  }
  return out;
}

namespace {
std::string number(double v) {
  std::string s = rt::PSstr(v);
  return s.empty() || s[0] != ' ' ? s : s.substr(1);
}
}  // namespace

std::string intervalText(double seconds, const char* hoursName) {
  if (seconds < 600) return number(seconds) + " sec";
  if (seconds < 7200) return number(seconds / 60.0) + " min";
  if (seconds < 86400) return number(seconds / 3600.0) + hoursName;
  return number(seconds / 86400.0) + " days";
}

std::string periodText(double seconds, int32_t K) {
  if (K <= 200 && seconds < 600) return number(seconds) + " sec";
  double v = seconds;
  const char* unit = " day";
  if (seconds < 600) v = seconds, unit = " second";
  else if (seconds < 7200) v = seconds / 60.0, unit = " minute";
  else if (seconds < 86400) v = seconds / 3600.0, unit = " hour";
  else v = seconds / 86400.0;
  return number(v) + unit + (v > 1.0 ? "s" : "");
}

int32_t tickEvery(int32_t K) {
  if (K == 50 || K == 100) return 25;
  if (K == 200) return 50;
  return std::max(K / 10, 1);
}

std::string periodicityExportText(const PeriodicityExport& e, const std::vector<LagRegression>& r) {
  const char d = e.separator;
  std::string out = "File: '" + e.fileName + "'\n";
  out += "    channel:  " + e.label + "\n";
  out += "Sample" + rt::PSstrLong(e.begin + 1) + " to" + rt::PSstrLong(e.end + 1) + "  (N = " +
         number(double(int64_t(e.end) + 1 - e.begin)) + ") \n";
  out += "test period" + rt::PSstrLong(e.K) + " samples\n";
  out += "    number of points in regressions: " + number(double(int64_t(e.end) - e.begin + 1 - e.K)) + "\n";
  out += "_____________________________________________________\n";
  out += std::string("interval (sec) ") + d + "r-squared\n";
  // An r² carries seven digits, which its 32 bits hold, whatever the digits setting.
  const int digits = std::max(e.digits, 5);
  char buf[rt::kNumberCharsMax];
  const auto cell = [&](double v, int dg) {
    char* p = rt::numberChars(buf, v, dg);
    const char* s = buf;
    while (s < p && *s == ' ') ++s;
    return std::string(s, size_t(p - s));
  };
  for (const auto& x : r) {
    out += cell(x.interval, digits);
    out += d;
    if (std::isfinite(x.r2)) out += cell(x.r2, std::max(digits, 7));
    out += '\n';
  }
  return out;
}

}  // namespace qv
