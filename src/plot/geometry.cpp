#include "plot/geometry.h"

#include <algorithm>
#include <cmath>

namespace qv::plot {

WindowLayout layoutFromScreen(int screenWidth, int screenHeight, int toolbarPlace) {
  WindowLayout l;
  int w = screenWidth, h = screenHeight;
  if (screenWidth >= 800) {
    w = std::min(screenWidth - 150, 1800);
    h = std::min(screenHeight - 55, 800);
  }
  l.screenHeight = h;
  l.bottom = h - 410 > 400 ? 356 : h - 410;
  l.w = std::max(w, 550);
  l.left = toolbarPlace == 0 ? 94 : 2;
  l.top = 41;
  l.width = l.w + 91 - l.left;
  // A very low screen would leave no plot at all; the window keeps its minimum height.
  l.height = std::max(l.bottom + 39, 250);
  return l;
}

ViewKind kindOf(const PlotView& v) {
  if (v.zoomed) return ViewKind::Zoomed;
  if (v.wholeFile) return ViewKind::WholeFile;
  if (v.xstep >= 2) return ViewKind::SmallFile;
  return ViewKind::Paged;
}

int pageCount(int32_t nCases, int screenWidth) {
  if (nCases <= 0 || screenWidth <= 0) return 1;
  return int((int64_t(nCases) + screenWidth - 1) / screenWidth);
}

int clampedPage(const PlotView& v) { return std::clamp(v.page, 1, pageCount(v.nCases, v.screenWidth)); }

void clampZoom(const PlotView& v, int32_t& left, int32_t& right) {
  const int32_t n = std::max<int32_t>(v.nCases, 1);
  left = std::clamp<int32_t>(v.zoomLeft, 1, n);
  right = std::clamp<int32_t>(v.zoomRight, left, n);
  if (right == left && left < n) ++right;
  else if (right == left && left > 1) --left;
}

int xstepFor(int32_t nCases, int screenWidth, int page, int previous) {
  if (nCases <= 0 || screenWidth <= 0) return 1;
  int x = previous;
  // The page count is computed here rather than read from the slider's word, which a
  // cropped file may have left stale.
  if (page >= pageCount(nCases, screenWidth) && nCases < screenWidth) x = screenWidth / nCases;
  if (nCases > 0.5 * screenWidth) x = 1;
  return std::max(x, 1);
}

CaseRange visibleRange(const PlotView& v, int32_t blockFirst, int32_t blockLast) {
  const int32_t n = v.nCases;
  if (n <= 0) return {1, 0};
  CaseRange r;
  if (blockLast > 0) {
    r = {blockFirst, blockLast};
  } else if (v.zoomed) {
    clampZoom(v, r.first, r.last);
  } else if (v.wholeFile || n <= v.screenWidth) {
    r = {1, n};
  } else {
    const int64_t p = clampedPage(v);
    r.first = int32_t(std::min<int64_t>((p - 1) * v.screenWidth + 1, n));
    r.last = int32_t(std::min<int64_t>(n, p * v.screenWidth));
  }
  r.first = std::clamp<int32_t>(r.first, 1, n);
  r.last = std::clamp<int32_t>(r.last, 0, n);
  return r;
}

TraceMap traceMap(const PlotView& v) {
  TraceMap m;
  const int32_t n = v.nCases;
  const double sw = v.screenWidth;
  if (n <= 0) return m;
  switch (kindOf(v)) {
    case ViewKind::Zoomed: {
      clampZoom(v, m.first, m.last);
      m.pixelsPerCase = sw / std::max<int32_t>(m.last - m.first, 1);
      m.x0 = m.pixelsPerCase <= 2 ? 0.0 : -std::trunc(m.pixelsPerCase);
      break;
    }
    case ViewKind::WholeFile:
      m = {1, n, sw / n, sw / n};
      break;
    case ViewKind::SmallFile:
      m = {1, n, 0.0, double(v.xstep)};
      break;
    case ViewKind::Paged: {
      const int64_t p = clampedPage(v);
      m.first = int32_t(std::clamp<int64_t>((p - 1) * v.screenWidth, 1, n));
      m.last = int32_t(std::min<int64_t>(n, p * v.screenWidth));
      m.x0 = -1;
      m.pixelsPerCase = 1;
      break;
    }
  }
  return m;
}

int32_t caseAtX(const PlotView& v, int x) {
  const int32_t n = v.nCases;
  if (n <= 0) return 1;
  const int64_t sw = std::max(v.screenWidth, 1);
  const int64_t px = std::clamp<int64_t>(x, 0, sw);
  int64_t c;
  if (v.zoomed) {
    int32_t l, r;
    clampZoom(v, l, r);
    c = px * (r - l) / sw + l;
  } else if (v.wholeFile) {
    c = px * n / sw;
  } else {
    c = int64_t(clampedPage(v) - 1) * sw + px / std::max(v.xstep, 1);
  }
  return int32_t(std::clamp<int64_t>(c, 1, n));
}

double caseToX(const PlotView& v, int32_t c) {
  const double sw = v.screenWidth;
  if (v.nCases <= 0) return -1;
  if (v.zoomed) {
    int32_t l, r;
    clampZoom(v, l, r);
    return double(c - l) * sw / std::max<int32_t>(r - l, 1);
  }
  if (v.wholeFile) return sw * c / v.nCases;
  if (v.nCases > v.screenWidth) return (double(c) - double(clampedPage(v) - 1) * sw) * v.xstep;
  return double(c) * v.xstep;
}

double traceBaseLine(const PlotView& v, int bottomOfPlotArea) {
  if (v.zoomed && !v.wholeFile) return bottomOfPlotArea;
  return bottomOfPlotArea - 5.6;
}

StripEdges stripEdges(float height, float base) {
  auto row = [](double y) { return std::isfinite(y) ? int(std::clamp(std::trunc(y), -30000.0, 30000.0)) : 0; };
  StripEdges e;
  e.bottom = row(double(base) - 30);
  e.top = row(double(e.bottom) - double(height));
  return e;
}

}  // namespace qv::plot
