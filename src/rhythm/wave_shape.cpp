#include "rhythm/wave_shape.h"

#include <algorithm>
#include <cmath>

#include "runtime/number_chars.h"

namespace qv {

PeriodInUnit periodInUnit(double period, double sd, int unit) {
  PeriodInUnit p;
  switch (unit) {
    case 1: p.value = 1.0 / period, p.suffix = " Hz"; break;
    case 2: p.value = 1000.0 / period, p.suffix = " mHz"; break;
    case 3: p.value = 0.001 / period, p.suffix = " KHz"; break;
    case 5: p.value = period * 1000.0, p.suffix = " msec"; break;
    case 7: p.value = period * 0.0166667, p.suffix = " min"; break;
    case 8: p.value = period * 0.000277778, p.suffix = " hours"; break;
    default: p.value = period, p.suffix = " sec"; break;
  }
  p.spread = period != 0.0 ? p.value * sd / period : 0.0;
  p.cv = p.value != 0.0 ? std::fabs(p.spread * 100.0 / p.value) : 0.0;
  return p;
}

namespace {

ShapeSet shapeSet(const PeakTable& t, int row) {
  ShapeSet s;
  const float c = t.at(row, 0);
  s.count = c > 0.0f ? int32_t(std::min<float>(c, float(kPeakTableLast))) : 0;
  s.n = std::min(s.count, kPeakReadLimit);
  if (s.n == 0) return s;
  double sum = 0.0;
  s.min = 1.0e30f, s.max = -1.0e30f;
  for (int32_t k = 1; k <= s.n; ++k) {
    const float x = t.at(row, k);
    sum += x;
    s.min = std::min(s.min, x), s.max = std::max(s.max, x);
  }
  s.mean = sum / s.n;
  double ss = 0.0;
  for (int32_t k = 1; k <= s.n; ++k) ss += (t.at(row, k) - s.mean) * (t.at(row, k) - s.mean);
  s.sd = std::sqrt(ss / s.n);
  return s;
}

// Bin 1..37 of x over [mi, mi + range]; the maximum itself goes in the last bin, not one past it.
int shapeBin(float x, float mi, float range) {
  if (!(range > 0.0f)) return 1;
  const double b = std::trunc(double(x - mi) * kShapeBins / range) + 1.0;
  return int(std::clamp(b, 1.0, double(kShapeBins)));
}

}  // namespace

WaveShape waveShapeStats(const PeakTable& t) {
  WaveShape w;
  w.rise = shapeSet(t, 1);
  w.decay = shapeSet(t, 2);
  const ShapeSet* sets[] = {&w.rise, &w.decay};
  bool any = false;
  for (const ShapeSet* s : sets) {
    if (s->n == 0) continue;
    w.mi = any ? std::min(w.mi, s->min) : s->min;
    w.ma = any ? std::max(w.ma, s->max) : s->max;
    any = true;
  }
  if (w.rise.n > 0 && w.decay.n > 0 && w.decay.mean != 0.0) w.ratio = w.rise.mean / w.decay.mean;
  if (w.rise.count > 0 && w.decay.count > 0) {
    const double se = std::sqrt(w.rise.sd * w.rise.sd / w.rise.count + w.decay.sd * w.decay.sd / w.decay.count);
    if (se > 0.0) {
      const double tt = std::fabs(w.rise.mean - w.decay.mean) / se;
      w.t = tt;
      w.P = std::pow(10.0, -0.003595 - 0.335054 * tt - 0.156187 * tt * tt - 0.005595 * tt * tt * tt);
    }
  }
  const float range = w.ma - w.mi;
  for (int32_t k = 1; k <= w.rise.n; ++k) ++w.riseBins[size_t(shapeBin(t.at(1, k), w.mi, range))];
  for (int32_t k = 1; k <= w.decay.n; ++k) ++w.decayBins[size_t(shapeBin(t.at(2, k), w.mi, range))];
  return w;
}

HistogramRange waveShapeScan(const PeakTable& t, int row, int32_t n, float blockMinY) {
  n = std::clamp<int32_t>(n, 0, kPeakReadLimit);
  const float first = t.at(row, 1);
  const int32_t s = first == 0.0f ? 2 : (row == kAmplitudeRow && first > blockMinY ? 2 : 1);
  float mi = 1.0e30f, ma = -1.0e30f;
  for (int32_t k = s; k <= n; ++k) {
    const float x = t.at(row, k);
    if (x < mi) mi = x;
    if (x > ma) ma = x;
  }
  if (mi > ma) return {};
  const float m = 0.05f * (ma - mi);
  HistogramRange r{mi, ma + m};
  if (row == kPeakRow) {
    r.lo = mi - m;
  } else {
    r.lo = mi > 0.0f ? mi - m : mi;
    if (r.lo < 0.0f) r.lo = 0.0f;
  }
  return r;
}

std::vector<int32_t> waveHistogramBins(const PeakTable& t, int row, int32_t n, float blockMinY, float lo, float hi,
                                       int bars) {
  bars = std::max(bars, 1);
  std::vector<int32_t> bins(size_t(bars) + 1, 0);
  n = std::clamp<int32_t>(n, 0, kPeakReadLimit);
  int32_t s = 1;
  if (row != kPeakRow) {
    if (t.at(kIntervalRow, 1) == 0.0f)
      s = 2;
    else if (row == kAmplitudeRow && t.at(kAmplitudeRow, 1) > blockMinY)
      s = 2;
  }
  const double width = double(hi) - double(lo);
  for (int32_t k = s; k <= n; ++k) {
    const float x = t.at(row, k);
    if (!(width > 0.0)) {
      // Every value equal: one bar holds them all rather than a division by a zero width.
      if (x == lo) ++bins[1];
      continue;
    }
    const double b = std::trunc((double(x) - lo) * bars / width) + 1.0;
    if (b > 0.0 && b <= bars) ++bins[size_t(b)];
  }
  return bins;
}

PrintedDuration printedDuration(double seconds) {
  if (seconds < 600.0) return {seconds, " sec"};
  if (seconds > 7200.0) return {seconds / 3600.0, " hours"};
  return {seconds / 60.0, " min"};
}

std::string waveformDataHeader(char delimiter) {
  const std::string d(1, delimiter);
  return "peak height" + d + "rise time" + d + "decay time" + d + "interval" + d + "amplitude\n";
}

std::string waveformDataLine(const PeakTable& t, int32_t k, char delimiter, int digits) {
  std::string line;
  char buf[rt::kNumberCharsMax];
  for (int r = 0; r < kPeakRows; ++r) {
    if (r > 0) line += delimiter;
    line.append(buf, rt::numberChars(buf, t.at(r, k), std::max(digits, 5)));
  }
  return line + "\n";
}

}  // namespace qv
