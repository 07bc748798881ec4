#include "plot/trace.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "plot/float_lanes.h"

namespace qv::plot {

namespace {

bool finite(float v) { return std::fabs(v) <= FLT_MAX; }

int toPixel(double v) { return int(std::trunc(std::clamp(v, -kFarPixel, kFarPixel))); }

// Case by case from a: the extremes so far (their first cases) move on strictly lower or higher.
void scanExtremesFrom(const float* d, int32_t a, int32_t b, Column& c, float& mn, float& mx) {
  for (int32_t i = a; i <= b; ++i) {
    const float v = d[i];
    if (!finite(v)) continue;
    ++c.finite;
    if (v < mn) mn = v, c.lo = i;
    if (v > mx) mx = v, c.hi = i;
  }
}

Column scanColumn(const float* d, int32_t a, int32_t b) {
  using namespace lanes;
  Column c;
  int32_t first = a, last = b;
  while (first <= b && !finite(d[first])) ++first;
  if (first > b) return c;
  while (!finite(d[last])) --last;
  c.first = first, c.last = last;
  c.lo = c.hi = first;
  c.finite = 1;
  float mn = d[first], mx = d[first];
  int32_t k = first + 1;
  if (last - k >= 15) {
    // Each lane keeps its extremes and the first case that holds each; merged lowest (highest)
    // value first, then earliest case, they are the column's first lowest and highest case.
    const F4 big = splat(FLT_MAX);
    F4 lmn = splat(mn), lmx = splat(mx);
    I4 ilo = splat(first), ihi = splat(first), idx = I4{k, k + 1, k + 2, k + 3}, finiteLanes = splat(0);
    for (; int64_t(k) + 3 <= last; k += 4) {
      const F4 v = load(d + k);
      // A NaN compares false; an infinity is kept out by the bound on its side.
      const I4 above = v >= -big, below = v <= big;
      const I4 lt = (v < lmn) & above, gt = (v > lmx) & below;
      finiteLanes -= above & below;
      lmn = select(lt, v, lmn);
      ilo = select(lt, idx, ilo);
      lmx = select(gt, v, lmx);
      ihi = select(gt, idx, ihi);
      idx += 4;
    }
    for (int l = 0; l < 4; ++l) {
      if (lmn[l] < mn || (lmn[l] == mn && ilo[l] < c.lo)) mn = lmn[l], c.lo = ilo[l];
      if (lmx[l] > mx || (lmx[l] == mx && ihi[l] < c.hi)) mx = lmx[l], c.hi = ihi[l];
      c.finite += finiteLanes[l];
    }
  }
  scanExtremesFrom(d, k, last, c, mn, mx);
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

// The innermost live reuse scope.
const ColumnReuse* gReuse = nullptr;

// The columns a reuse scope holds for this input, if any.
const ColumnReuse* reuseFor(const TraceInput& in) {
  return gReuse && gReuse->covers(in) ? gReuse : nullptr;
}

// Hands visit(column) each pixel column of cases 1..n (case first + k - 1) that holds a finite
// case, in order: from a reuse scope that scanned the same input, else scanned here.
template <class Visit>
void forEachColumn(const TraceInput& in, int64_t n, Visit&& visit) {
  if (const ColumnReuse* r = reuseFor(in)) {
    for (const Column& c : r->columns()) visit(c);
    return;
  }
  for (int64_t k = 1; k <= n;) {
    const int64_t e = lastInColumn(in.x0, in.pixelsPerCase, k, n);
    const Column c = scanColumn(in.samples, int32_t(in.first + k - 1), int32_t(in.first + e - 1));
    if (!c.empty()) visit(c);
    k = e + 1;
  }
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
  forEachColumn(in, n, [&](const Column& c) {
    int32_t idx[4] = {c.first, std::min(c.lo, c.hi), std::max(c.lo, c.hi), c.last};
    int32_t prev = -1;
    for (int32_t i : idx) {
      if (i == prev) continue;
      prev = i;
      out.push_back({xOf(int64_t(i) - in.first + 1), traceY(in, d[i])});
    }
  });
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
  forEachColumn(in, n, [&](const Column& c) {
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
  });
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
  forEachColumn(in, n, [&](const Column& c) {
    const int yHi = toPixel(traceY(in, d[c.hi])), yLo = toPixel(traceY(in, d[c.lo]));
    const int y = std::abs(yHi - start) >= std::abs(yLo - start) ? yHi : yLo;
    const int x = toPixel(x0 + (c.first - in.first + 1) * p);
    out.bars.push_back({x, start, x, y});
  });
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

ColumnReuse::ColumnReuse(const TraceInput& in) : in_(in) {
  if (!in.samples || in.last < in.first || !(in.pixelsPerCase > 0) || in.pixelsPerCase >= 0.5) return;
  const int64_t n = int64_t(in.last) - in.first + 1;
  columns_.reserve(size_t(std::min<int64_t>(n, int64_t(n * in.pixelsPerCase + 2))));
  forEachColumn(in, n, [&](const Column& c) { columns_.push_back(c); });
  scanned_ = true;
  previous_ = gReuse;
  gReuse = this;
}

ColumnReuse::~ColumnReuse() {
  if (gReuse == this) gReuse = previous_;
}

bool ColumnReuse::covers(const TraceInput& in) const {
  return scanned_ && in.samples == in_.samples && in.first == in_.first && in.last == in_.last && in.x0 == in_.x0 &&
         in.pixelsPerCase == in_.pixelsPerCase;
}

// Column by column in case order, the first strictly lower (higher) value wins, as case by case.
bool ColumnReuse::extremesOf(const float* samples, int32_t first, int32_t last, Extremes& e) const {
  if (!scanned_ || samples != in_.samples || first != in_.first || last != in_.last) return false;
  e = Extremes{};
  for (const Column& c : columns_) {
    const float lo = in_.samples[c.lo], hi = in_.samples[c.hi];
    if (hi > e.max) e.max = hi;
    if (lo < e.min) e.min = lo;
    e.finite += c.finite;
  }
  return true;
}

}  // namespace qv::plot
