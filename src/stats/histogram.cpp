#include "stats/histogram.h"

#include <algorithm>
#include <cmath>

namespace qv {

namespace {
constexpr int kAxisLeft = 91;
constexpr int kAxisWidth = 500;
constexpr int kBarBase = 277;
constexpr int kBarFullHeight = 270;
constexpr int kCurveTop = 5, kCurveBottom = 276;
}  // namespace

HistogramWindow histogramWindow(bool large, bool limitMode, bool lowerOn, bool upperOn,
                                float blockMin, float blockMax, float lowerLimit, float upperLimit) {
  HistogramWindow w{blockMin, blockMax};
  if (large && !limitMode) return w;
  if (lowerOn) w.lower = lowerLimit;
  if (upperOn) w.upper = upperLimit;
  return w;
}

int HistogramCounts::tallestPercent() const {
  return N > 0 ? int(int64_t(tallest) * 100 / N) : 0;
}

HistogramCounts histogramCounts(std::span<const float> samples, int32_t begin, int32_t end,
                                float mi, float ma, int bins, const HistogramWindow& window,
                                bool limitMode) {
  HistogramCounts h;
  begin = std::max(begin, int32_t(1));
  end = int32_t(std::min<int64_t>(end, int64_t(samples.size()) - 1));
  const double range = double(ma) - double(mi);
  const bool countable = begin <= end && bins > 0 && range > 0.0 && std::isfinite(range);
  h.bins = countable ? std::min(bins, kMaxHistogramBins) : 0;
  h.counts.assign(size_t(h.bins) + 1, 0);

  int32_t inWindow = 0, finite = 0;
  const double steps = h.bins;
  for (int32_t k = begin; k <= end; ++k) {
    const float v = samples[size_t(k)];
    // A gap (NaN) or an infinite sample is no value of the distribution, as in the statistics.
    if (!std::isfinite(v)) continue;
    ++finite;
    if (!(window.lower <= v && v <= window.upper)) continue;
    ++inWindow;
    if (!countable || !(mi <= v && v <= ma)) continue;
    const double x = (double(v) - double(mi)) * steps / range;
    const int b = std::min(int(x) + 1, h.bins);
    ++h.counts[size_t(b)];
    ++h.counted;
  }
  h.N = limitMode ? inWindow : finite;
  for (int b = 1; b <= h.bins; ++b) h.tallest = std::max(h.tallest, h.counts[size_t(b)]);
  return h;
}

int32_t finiteCases(std::span<const float> samples, int32_t begin, int32_t end) {
  begin = std::max(begin, int32_t(1));
  end = int32_t(std::min<int64_t>(end, int64_t(samples.size()) - 1));
  int32_t n = 0;
  for (int32_t k = begin; k <= end; ++k) n += std::isfinite(samples[size_t(k)]) ? 1 : 0;
  return n;
}

int clampBinCount(double typed) {
  if (!(typed >= kMinHistogramBins)) return kMinHistogramBins;
  if (typed >= kMaxHistogramBins) return kMaxHistogramBins;
  return int(typed);
}

int binsFromWidth(double range, double width) {
  if (!(width > 0.0) || !(range > 0.0)) return 0;
  const double q = range / width;
  if (!(q < kMaxHistogramBins)) return kMaxHistogramBins;
  return int(q);
}

int barHeight(int32_t count, int32_t tallest, int full) {
  if (count <= 0 || tallest <= 0) return 0;
  return std::max(1, int(int64_t(full) * count / tallest));
}

LargeHistogramLayout largeHistogramLayout(const HistogramCounts& counts, double mean, float mi,
                                          float ma) {
  LargeHistogramLayout l;
  const double range = double(ma) - double(mi);
  if (counts.bins > 0) {
    l.barWidth = double(kAxisWidth) / counts.bins;
    l.bars.assign(size_t(counts.bins) + 1, {});
    for (int b = 1; b <= counts.bins; ++b) {
      HistogramBar& bar = l.bars[size_t(b)];
      bar.left = int(b * l.barWidth + kAxisLeft - l.barWidth);
      bar.height = barHeight(counts.counts[size_t(b)], counts.tallest, kBarFullHeight);
      l.area += bar.height * l.barWidth;
    }
  }
  const double x = kAxisLeft + (mean - double(mi)) * kAxisWidth / range;
  if (range > 0.0 && std::isfinite(x) && x >= kAxisLeft && x <= kAxisLeft + kAxisWidth) {
    l.hasMeanLine = true;
    l.meanX = int(std::lround(x));
  }
  return l;
}

SmallHistogramLayout smallHistogramLayout(const HistogramCounts& counts, double mean, float mi,
                                          float ma, bool larger) {
  SmallHistogramLayout l;
  const int pitch = larger ? 12 : 4, width = larger ? 10 : 3, first = larger ? 41 : 37;
  if (!larger) {
    l.frameTop = 6;
    l.frameRight = 122;
    l.frameBottom = 68;
  }
  l.percent = counts.tallestPercent();
  l.bars.assign(size_t(std::max(counts.bins, 0)) + 1, {});
  for (int b = 1; b <= counts.bins; ++b) {
    SmallHistogramBar& bar = l.bars[size_t(b)];
    bar.left = first + (b - 1) * pitch;
    bar.right = bar.left + width;
    bar.bottom = l.frameBottom;
    bar.top = l.frameBottom - barHeight(counts.counts[size_t(b)], counts.tallest, 58);
  }
  const double range = double(ma) - double(mi);
  const double x = (larger ? 39 : 35) + (mean - double(mi)) * counts.bins * pitch / range;
  if (counts.bins > 0 && range > 0.0 && std::isfinite(x) && x >= l.frameLeft && x <= l.frameRight) {
    l.hasMeanLine = true;
    l.meanX = int(x);
  }
  return l;
}

std::vector<CurvePoint> normalCurve(int meanX, double range, double barArea, double sd) {
  std::vector<CurvePoint> points;
  if (!(sd > 0.0) || !(range > 0.0) || !(barArea > 0.0) || !std::isfinite(sd * range * barArea))
    return points;
  constexpr int kFirst = kAxisLeft - 1, kLast = kAxisLeft + kAxisWidth - 1;
  double density[kLast - kFirst + 1];
  double total = 0.0;
  for (int x = kFirst; x <= kLast; ++x) {
    const double u = (x - meanX) * (range / kAxisWidth);
    const double f = std::exp(-u * u / (2.0 * sd * sd)) / (2.506628 * sd);
    density[x - kFirst] = f;
    total += f;
  }
  if (!(total > 0.0) || !std::isfinite(total)) return points;
  const double scale = barArea / total;
  for (int x = kFirst; x <= kLast; ++x) {
    const double y = kBarBase - density[x - kFirst] * scale;
    if (y >= kCurveTop && y < kCurveBottom + 1) points.push_back({x, int(y)});
  }
  return points;
}

}  // namespace qv
