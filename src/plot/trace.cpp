#include "plot/trace.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "plot/finite_range.h"

namespace qv::plot {

namespace {

bool finite(float v) { return std::fabs(v) <= FLT_MAX; }

int toPixel(double v) { return int(std::trunc(std::clamp(v, -kFarPixel, kFarPixel))); }

// One pixel column's cases: first and last finite case, and where the extremes are.
struct Column {
  int32_t first = -1, last = -1, lo = -1, hi = -1;
  bool empty() const { return first < 0; }
};

Column scanColumn(const float* d, int32_t a, int32_t b) {
  Column c;
  if (b < a) return c;
  const FiniteRange r = finiteRange(d, a, b, FLT_MAX, -FLT_MAX);
  if (r.count == 0) return c;
  // The column is in the cache now: the first of its lowest and of its highest samples.
  c.first = a;
  while (!finite(d[c.first])) ++c.first;
  c.last = b;
  while (!finite(d[c.last])) --c.last;
  c.lo = c.first;
  while (d[c.lo] != r.min) ++c.lo;
  c.hi = c.first;
  while (d[c.hi] != r.max) ++c.hi;
  return c;
}

// The last k (from k) whose x = x0 + k * p lies in the same pixel column as k's.
int64_t lastInColumn(double x0, double p, int64_t k, int64_t kMax) {
  const double col = std::floor(x0 + k * p);
  int64_t e = int64_t(std::ceil((col + 1 - x0) / p)) - 1;
  e = std::clamp<int64_t>(e, k, kMax);
  while (e > k && std::floor(x0 + e * p) > col) --e;
  while (e < kMax && std::floor(x0 + (e + 1) * p) <= col) ++e;
  return e;
}

}  // namespace

double traceY(const TraceInput& in, float v) {
  double value = v;
  if (in.clip && value > in.clipValue) value = in.clipValue;
  double y = in.baseY - value * in.yScale;
  if (in.clip) y = std::clamp(y, in.clipTop, in.clipBottom);
  return std::clamp(y, -kFarPixel, kFarPixel);
}

bool polylinePoints(const TraceInput& in, std::vector<PointD>& out) {
  out.clear();
  if (!in.samples || in.last < in.first || !(in.pixelsPerCase > 0)) return false;
  const float* d = in.samples;
  const int64_t n = int64_t(in.last) - in.first + 1;
  const double p = in.pixelsPerCase, x0 = in.x0;
  auto xOf = [&](int64_t k) { return std::clamp(x0 + k * p, -kFarPixel, kFarPixel); };
  if (p >= 0.5) {
    out.reserve(size_t(n));
    for (int64_t k = 1; k <= n; ++k) {
      const float v = d[in.first + k - 1];
      if (finite(v)) out.push_back({xOf(k), traceY(in, v)});
    }
    return false;
  }
  // More cases than half-pixels: a column's first, lowest, highest and last case in the
  // order they come give the same pixels as every case of the column.
  out.reserve(size_t(std::min<int64_t>(n, int64_t(4 * (n * p + 2)))));
  for (int64_t k = 1; k <= n;) {
    const int64_t e = lastInColumn(x0, p, k, n);
    const Column c = scanColumn(d, int32_t(in.first + k - 1), int32_t(in.first + e - 1));
    if (!c.empty()) {
      int32_t idx[4] = {c.first, std::min(c.lo, c.hi), std::max(c.lo, c.hi), c.last};
      int32_t prev = -1;
      for (int32_t i : idx) {
        if (i == prev) continue;
        prev = i;
        out.push_back({xOf(int64_t(i) - in.first + 1), traceY(in, d[i])});
      }
    }
    k = e + 1;
  }
  return true;
}

void integerTrace(const TraceInput& in, int columnWidth, IntegerTrace& out) {
  out.segments.clear();
  out.line = false;
  if (!in.samples || in.last < in.first || !(in.pixelsPerCase > 0)) return;
  const float* d = in.samples;
  const int64_t cases = int64_t(in.last) - in.first;
  int64_t span = int64_t(std::trunc(std::min(cases * in.pixelsPerCase, 1e12)));
  if (span <= 0) span = std::max(columnWidth, 1);
  const int64_t perColumn = cases / span;
  const int64_t n = cases + 1;
  const double p = in.pixelsPerCase, x0 = in.x0;
  auto xOf = [&](int64_t k) { return toPixel(x0 + k * p); };
  auto yOf = [&](float v) { return toPixel(traceY(in, v)); };

  if (perColumn < 2) {
    out.line = true;
    bool have = false;
    int px = 0, py = 0;
    for (int64_t k = 1; k <= n; ++k) {
      const float v = d[in.first + k - 1];
      if (!finite(v)) continue;
      const int x = xOf(k), y = yOf(v);
      if (have) out.segments.push_back({px, py, x, y});
      else out.segments.push_back({x, y, x, y});
      have = true;
      px = x, py = y;
    }
    return;
  }

  // One bar per column from its lowest to its highest y; where two bars do not overlap, a
  // join from the end of the one before (a pixel left) to the near end of this one.
  bool havePrev = false;
  int prevTop = 0, prevBottom = 0;
  for (int64_t k = 1; k <= n;) {
    const int64_t e = lastInColumn(x0, p, k, n);
    const Column c = scanColumn(d, int32_t(in.first + k - 1), int32_t(in.first + e - 1));
    if (!c.empty()) {
      const int x = xOf(c.first - in.first + 1);
      const int yHi = yOf(d[c.hi]), yLo = yOf(d[c.lo]);
      const int top = std::min(yHi, yLo), bottom = std::max(yHi, yLo);
      if (havePrev && (top > prevBottom || bottom < prevTop)) {
        if (top > prevBottom) out.segments.push_back({x - 1, prevBottom, x, top});
        else out.segments.push_back({x - 1, prevTop, x, bottom});
      }
      out.segments.push_back({x, yLo, x, yHi});
      havePrev = true;
      prevTop = top, prevBottom = bottom;
      out.lastColumnLow = bottom;
    }
    k = e + 1;
  }
}

void histogramBars(const TraceInput& in, double scaleLow, double scaleHigh, HistogramBars& out) {
  out.bars.clear();
  out.width = std::max(1, int(std::clamp(std::trunc(in.pixelsPerCase), 1.0, 1000.0)));
  if (scaleLow < 0 && scaleHigh > 0) out.start = toPixel(std::clamp(in.baseY, -kFarPixel, kFarPixel));
  else if (scaleLow >= 0) out.start = toPixel(in.clipBottom);
  else out.start = toPixel(in.clipTop + 1);
  if (!in.samples || in.last < in.first || !(in.pixelsPerCase > 0)) return;
  const float* d = in.samples;
  const int64_t n = int64_t(in.last) - in.first + 1;
  const double p = in.pixelsPerCase, x0 = in.x0;
  const int start = out.start;
  if (p >= 0.5) {
    for (int64_t k = 1; k <= n; ++k) {
      const float v = d[in.first + k - 1];
      if (!finite(v)) continue;
      const int x = toPixel(x0 + k * p);
      out.bars.push_back({x, start, x, toPixel(traceY(in, v))});
    }
    return;
  }
  // Per column the bar reaches the value farthest from the bars' start.
  for (int64_t k = 1; k <= n;) {
    const int64_t e = lastInColumn(x0, p, k, n);
    const Column c = scanColumn(d, int32_t(in.first + k - 1), int32_t(in.first + e - 1));
    if (!c.empty()) {
      const int yHi = toPixel(traceY(in, d[c.hi])), yLo = toPixel(traceY(in, d[c.lo]));
      const int y = std::abs(yHi - start) >= std::abs(yLo - start) ? yHi : yLo;
      const int x = toPixel(x0 + (c.first - in.first + 1) * p);
      out.bars.push_back({x, start, x, y});
    }
    k = e + 1;
  }
}

double traceLineWidth(int64_t n, bool isBlock) {
  if (n < 3000) return 1.5;
  if (isBlock) return 1.25;
  return n < 20000 ? 1.0 : 0.7;
}

ColorF lineCodeColor(int code, bool light, ColorF blockColor) {
  switch (code) {
    case 0: return {1, 1, 1};
    case 1: return light ? ColorF{0.7, 0.7, 1} : ColorF{1, 1, 0};
    case 2: return {0, 0.5, 0};
    case 4: return {0, 0, 1};
    case 6: return {1, 0, 0};
    case 20: return {0.6, 0.6, 0.6};
    case 21: return blockColor;
    default: return {0, 0, 0};
  }
}

void dashByColumns(const std::vector<PointD>& in, std::vector<std::vector<PointD>>& pieces) {
  pieces.clear();
  auto on = [](double x) {
    double m = std::fmod(std::floor(x), 5.0);
    if (m < 0) m += 5;
    return m < 2;
  };
  std::vector<PointD> cur;
  auto flush = [&] {
    if (cur.size() >= 2) pieces.push_back(cur);
    cur.clear();
  };
  std::vector<double> cuts;
  for (size_t i = 1; i < in.size(); ++i) {
    const PointD a = in[i - 1], b = in[i];
    // Cut the segment where it crosses the dash edges 5k and 5k + 2.
    cuts.assign({0.0, 1.0});
    const double lo = std::min(a.x, b.x), hi = std::max(a.x, b.x);
    if (hi > lo && hi - lo < 1e6) {
      for (double e = std::floor(lo / 5) * 5; e < hi; e += 5)
        for (double edge : {e, e + 2})
          if (edge > lo && edge < hi) cuts.push_back((edge - a.x) / (b.x - a.x));
      std::sort(cuts.begin(), cuts.end());
    }
    for (size_t c = 1; c < cuts.size(); ++c) {
      const double t0 = cuts[c - 1], t1 = cuts[c];
      const PointD p0{a.x + (b.x - a.x) * t0, a.y + (b.y - a.y) * t0};
      const PointD p1{a.x + (b.x - a.x) * t1, a.y + (b.y - a.y) * t1};
      if (!on((p0.x + p1.x) / 2)) {
        flush();
        continue;
      }
      if (cur.empty()) cur.push_back(p0);
      cur.push_back(p1);
    }
  }
  flush();
}

}  // namespace qv::plot
