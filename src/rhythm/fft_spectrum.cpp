#include "rhythm/fft_spectrum.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <numbers>
#include <vector>

#include "rhythm/fft.h"
#include "runtime/number_chars.h"

namespace qv {

bool fftMagnitudes(std::span<float> work, int32_t n, const std::function<void(int)>& onPass) {
  if (n < 4 || (n & (n - 1)) != 0 || work.size() < size_t(n) + 1) return false;
  // The n real samples taken as n/2 complex points: one complex transform of half the
  // length, then each harmonic of the real run is pulled out of a pair of its outputs.
  const int32_t m = n / 2;
  std::vector<std::complex<double>> z(static_cast<size_t>(m));
  for (int32_t j = 0; j < m; ++j) z[size_t(j)] = {work[size_t(2 * j + 1)], work[size_t(2 * j + 2)]};
  fft(z, true, onPass);
  const double scale = 2.0 / double(n);
  for (int32_t k = 1; k < m; ++k) {
    const std::complex<double> a = z[size_t(k)], b = std::conj(z[size_t(m - k)]);
    const std::complex<double> even = 0.5 * (a + b);                                  // samples 0, 2, 4 ...
    const std::complex<double> odd = std::complex<double>(0.0, -0.5) * (a - b);       // samples 1, 3, 5 ...
    const double angle = 2.0 * std::numbers::pi * double(k) / double(n);
    const std::complex<double> w(std::cos(angle), std::sin(angle));
    const std::complex<double> h = even + w * odd;
    work[size_t(2 * k + 1)] = float(std::fabs(h.real()) * scale);
    work[size_t(2 * k + 2)] = float(std::fabs(h.imag()) * scale);
  }
  work[1] = work[2] = 0.0f;
  return true;
}

float fftElementSpacing(int32_t n, float dt) { return float(1.0 / (double(n) * double(dt + dt))); }

float fftInUnit(int unit, float hz) {
  switch (unit) {
    case 2: return hz * 1000.0f;
    case 3: return hz / 1000.0f;
    case 5: return 1000.0f / hz;
    case 6: return 1.0f / hz;
    case 7: return float(0.01666667 / double(hz));
    case 8: return float(0.00027777778 / double(hz));
    default: return hz;
  }
}

std::string_view fftUnitHeading(int unit) {
  switch (unit) {
    case 2: return "frequency (mHz) ";
    case 3: return "frequency (KHz) ";
    case 5: return "period (msec) ";
    case 6: return "period (sec) ";
    case 7: return "period (min) ";
    case 8: return "period (hours) ";
    default: return "frequency (Hz) ";
  }
}

void smoothSpectrum(std::span<const float> b, std::span<float> out, int32_t length) {
  if (length < 0 || b.size() <= size_t(length) || out.size() <= size_t(length)) return;
  const size_t last = size_t(length);
  for (size_t c = 0; c <= last; ++c) out[c] = b[c];
  for (size_t c = 2; c < last; ++c) {
    const float sum = b[c - 1] + b[c] + b[c + 1];
    out[c] = float(double(sum) * 0.333333);
  }
}

int32_t fftBoxHalfWidth(const FftPlotView& v, int32_t n) {
  const int64_t m = n / 2;
  if (v.nCases <= v.screenWidth) return int32_t(m * std::max(v.xstep, 1));
  return int32_t(m * v.screenWidth / std::max<int32_t>(v.nCases, 1));
}

namespace {

int32_t caseAtX(const FftPlotView& v, int x) {
  if (v.wholeFile) return int32_t(double(v.nCases) * (double(x) / double(std::max(v.screenWidth, 1))));
  return x / std::max(v.xstep, 1);
}

}  // namespace

FftPlacement fftPlacement(const FftPlotView& v, int x, int32_t n) {
  FftPlacement p;
  const int32_t m = n / 2;
  const int32_t half = fftBoxHalfWidth(v, n);
  // The right end of the data: the plot's width in the whole-file view, the last case's
  // column when a short file is drawn at several pixels a case.
  const int64_t right = v.wholeFile ? v.screenWidth : int64_t(v.nCases) * std::max(v.xstep, 1);
  p.boxX = x;
  int32_t centre = caseAtX(v, x);
  if (centre < m) p.boxX = half;
  else if (centre > v.nCases - m) p.boxX = int(std::max<int64_t>(right - half, 0));
  if (p.boxX != x) centre = caseAtX(v, p.boxX);
  p.centre = centre;
  // The box's column rounds: whatever centre it gives, the run of n cases stays in the file.
  p.begin = std::clamp<int32_t>(centre - m, 0, std::max<int32_t>(v.nCases - n, 0));
  return p;
}

int32_t fftElementUnder(const FftPlotView& v, int x) {
  int64_t c;
  if (v.wholeFile) c = int64_t(double(v.nCases) * (double(x) / double(std::max(v.screenWidth, 1))));
  else c = int64_t(std::max(v.page, 1) - 1) * v.screenWidth + x / std::max(v.xstep, 1);
  return int32_t(std::clamp<int64_t>(c, 0, v.nCases));
}

std::string fftResultsText(std::span<const float> spectrum, int32_t n, float dt, int unit, char separator,
                           int digits) {
  std::string out(fftUnitHeading(unit));
  out += separator;
  out += "magnitude\n";
  const float spacing = fftElementSpacing(n, dt);
  const int d = std::max(digits, 5);
  char cell[2 * rt::kNumberCharsMax + 4];
  for (int32_t r = 0; r < n && size_t(r) + 1 < spectrum.size(); ++r) {
    char* p = rt::numberChars(cell, fftInUnit(unit, spacing * float(r)), d);
    *p++ = separator;
    p = rt::numberChars(p, spectrum[size_t(r) + 1], d);
    *p++ = '\n';
    out.append(cell, p);
  }
  return out;
}

}  // namespace qv
