#include "plot/block_geometry.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace qv::plot {

namespace {

int32_t lastCase(const BlockView& v) { return std::max<int32_t>(v.nCases, 1); }

// A computed case brought inside lo..last case of the file.
int32_t inFile(const BlockView& v, double c, int32_t lo = 1) {
  const double hi = lastCase(v);
  lo = std::clamp<int32_t>(lo, 1, lastCase(v));
  if (std::isnan(c)) return lo;
  return int32_t(std::clamp(std::trunc(c), double(lo), hi));
}

// The column of a case: in the whole-file view just right of where the case falls, in the
// paged view its place on the page times the pixels per case.
double wholeFileX(const BlockView& v, int32_t c) { return std::trunc(double(c) / v.casesPerPx() + 1.0); }
double pagedX(const BlockView& v, int32_t c) { return double(c - v.pageStart()) * v.xstep; }
double zoomedX(const BlockView& v, int32_t c) {
  return std::trunc((double(c) - v.zoomLeft) / v.zoomSpan() * v.width + 1.0);
}

// The case a click at h names, before it is brought inside the file.
double clickedCase(const BlockView& v, int h) {
  switch (v.kind) {
    case BlockViewKind::Zoomed:
      return double(int64_t(v.zoomRight - v.zoomLeft) * h / v.width + v.zoomLeft);
    case BlockViewKind::WholeFile:
      return std::trunc(h * v.casesPerPx());
    case BlockViewKind::Paged:
      break;
  }
  return std::trunc(double(v.pageStart()) + double(h) / v.xstep);
}

// The kept pixel of a clicked edge: the click itself in the zoomed view, else the case's.
int16_t clickedEdge(const BlockView& v, int32_t c, int h) {
  switch (v.kind) {
    case BlockViewKind::Zoomed: return pixelWord(h);
    case BlockViewKind::WholeFile: return pixelWord(wholeFileX(v, c));
    case BlockViewKind::Paged: break;
  }
  return pixelWord(pagedX(v, c));
}

}  // namespace

int16_t pixelWord(double x) {
  if (std::isnan(x)) return 0;
  return int16_t(std::clamp(std::trunc(x), -32000.0, 32000.0));
}

BlockView blockViewOf(const PlotView& p, bool multiChannel) {
  BlockView v;
  v.nCases = std::max<int32_t>(p.nCases, 0);
  v.width = std::max(p.screenWidth, 1);
  v.page = clampedPage(p);
  v.xstep = std::max(p.xstep, 1);
  v.multiChannel = multiChannel;
  if (p.zoomed) v.kind = BlockViewKind::Zoomed;
  else if (p.wholeFile && p.nCases > p.screenWidth) v.kind = BlockViewKind::WholeFile;
  clampZoom(p, v.zoomLeft, v.zoomRight);
  // A zoom of one case still spans a case, so that no mapping divides by zero.
  if (v.zoomRight <= v.zoomLeft) v.zoomRight = v.zoomLeft + 1;
  return v;
}

int64_t caseUnder(const BlockView& v, int x) {
  int64_t c;
  switch (v.kind) {
    case BlockViewKind::Zoomed:
      c = int64_t(v.zoomRight - v.zoomLeft) * x / v.width + v.zoomLeft;
      break;
    case BlockViewKind::WholeFile:
      c = int64_t(std::clamp(std::trunc(x * v.casesPerPx()), -1e15, 1e15));
      break;
    default:
      c = v.pageStart() + x / v.xstep;
      break;
  }
  return std::max<int64_t>(c, 0);
}

double casesAcross(const BlockView& v, int dx) {
  switch (v.kind) {
    case BlockViewKind::Zoomed: return double(int64_t(v.zoomRight - v.zoomLeft) * dx / v.width);
    case BlockViewKind::WholeFile: return dx * v.casesPerPx();
    case BlockViewKind::Paged: break;
  }
  return double(dx / v.xstep);
}

BlockPick dragBlock(const BlockView& v, int x1, int x2) {
  const int left = std::min(x1, x2), right = std::max(x1, x2);
  double b, e;
  switch (v.kind) {
    case BlockViewKind::Zoomed: {
      const double k = v.zoomSpan() / v.width;
      b = left * k + v.zoomLeft;
      e = right * k + v.zoomLeft;
      break;
    }
    case BlockViewKind::WholeFile:
      b = left * v.casesPerPx();
      e = right * v.casesPerPx();
      break;
    default:
      b = double(left) / v.xstep + double(v.pageStart());
      e = double(right) / v.xstep + double(v.pageStart());
      break;
  }
  BlockPick p;
  p.begin = inFile(v, b);
  // A drag over the few pixels before the first case still gives that one case.
  p.end = inFile(v, e, p.begin);
  p.state = 2;
  switch (v.kind) {
    case BlockViewKind::Zoomed:
      p.left = pixelWord(left);
      p.right = pixelWord(right);
      break;
    case BlockViewKind::WholeFile:
      p.left = pixelWord(wholeFileX(v, p.begin));
      p.right = pixelWord(wholeFileX(v, p.end));
      break;
    default:
      p.left = pixelWord(v.xstep == 1 ? double(p.begin - v.pageStart()) : left);
      p.right = pixelWord(v.xstep == 1 ? double(p.end - v.pageStart()) : right);
      break;
  }
  return p;
}

BlockPick fixedWidthBlock(const BlockView& v, int h, int32_t halfCases, int32_t halfPixels) {
  const double half = std::max<int32_t>(halfCases, 0);
  double centre;
  switch (v.kind) {
    case BlockViewKind::Zoomed: centre = double(int64_t(v.zoomRight - v.zoomLeft) * h / v.width + v.zoomLeft); break;
    case BlockViewKind::WholeFile: centre = h * v.casesPerPx(); break;
    default: centre = double(v.pageStart()) + double(h) / v.xstep; break;
  }
  BlockPick p;
  p.begin = inFile(v, centre - half);
  p.end = inFile(v, centre + half);
  p.state = p.end <= p.begin ? 1 : 2;
  if (p.end < p.begin) p.end = p.begin;
  switch (v.kind) {
    case BlockViewKind::Zoomed: {
      const double px = double(v.nCases) * (double(halfPixels) + 1) / v.zoomSpan();
      p.left = pixelWord(h - px);
      p.right = pixelWord(h + px);
      break;
    }
    case BlockViewKind::WholeFile:
      p.left = pixelWord(wholeFileX(v, p.begin));
      p.right = pixelWord(wholeFileX(v, p.end));
      break;
    default:
      p.left = pixelWord(pagedX(v, p.begin));
      p.right = pixelWord(pagedX(v, p.end));
      break;
  }
  return p;
}

BlockPick firstClick(const BlockView& v, int h) {
  BlockPick p;
  p.begin = inFile(v, clickedCase(v, h));
  p.left = clickedEdge(v, p.begin, h);
  p.end = 0;
  p.state = 3;
  return p;
}

BlockPick secondClick(const BlockView& v, const BlockPick& first, int h) {
  BlockPick p;
  p.begin = inFile(v, first.begin);
  p.left = first.left;
  p.end = inFile(v, clickedCase(v, h));
  p.right = clickedEdge(v, p.end, h);
  if (p.begin > p.end) {
    std::swap(p.begin, p.end);
    if (v.kind == BlockViewKind::Zoomed) std::swap(p.left, p.right);
    else p.left = clickedEdge(v, p.begin, 0), p.right = clickedEdge(v, p.end, 0);
  }
  p.state = p.end <= p.begin ? 1 : 2;
  return p;
}

Highlight highlightOf(const BlockView& v, int32_t begin, int32_t end, int16_t keptLeft, int16_t keptRight) {
  Highlight h;
  double l = keptLeft, r = keptRight;
  switch (v.kind) {
    case BlockViewKind::Zoomed:
      l = zoomedX(v, begin), r = zoomedX(v, end);
      break;
    case BlockViewKind::WholeFile:
      l = std::trunc(double(begin) / v.nCases * v.width + 1.0), r = std::trunc(double(end) / v.nCases * v.width + 1.0);
      break;
    case BlockViewKind::Paged:
      if (v.multiChannel) l = pagedX(v, begin), r = pagedX(v, end);
      else if (v.xstep == 1) l = double(begin - v.pageStart()), r = double(end - v.pageStart());
      break;
  }
  h.left = pixelWord(l);
  h.right = pixelWord(r);
  int boxL = std::min(h.left, h.right), boxR = std::max(h.left, h.right);
  if (v.kind == BlockViewKind::Paged) {
    if (end < v.pageStart() || begin > v.pageEnd()) return h;
    if (begin < v.pageStart()) boxL = 1;
    if (end > v.pageEnd()) boxR = v.width;
  }
  h.boxLeft = boxL;
  h.boxRight = boxR;
  return h;
}

int16_t caseColumn(const BlockView& v, int32_t c) {
  switch (v.kind) {
    case BlockViewKind::Zoomed: return pixelWord(zoomedX(v, c));
    case BlockViewKind::WholeFile: return pixelWord(wholeFileX(v, c));
    case BlockViewKind::Paged: break;
  }
  return pixelWord(pagedX(v, c));
}

std::optional<int> edgeLineOf(const BlockView& v, int32_t begin, int16_t keptLeft) {
  int x = keptLeft;
  if (v.kind == BlockViewKind::Paged && !v.multiChannel && v.xstep == 1) x = pixelWord(double(begin - v.pageStart()));
  if (x < 0 || x > v.width) return std::nullopt;
  return x;
}

BlockScale blockScale(const float* samples, int32_t begin, int32_t end, int width, int upperLimit) {
  BlockScale s;
  float lo = 9e30f, hi = -9e30f;
  if (samples)
    for (int32_t k = begin; k <= end; ++k) {
      const float v = samples[k];
      if (!std::isfinite(v)) continue;
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
  if (lo > hi) lo = 0, hi = 1;
  // The span is taken in double: above 2^24 a float plus one is the same float.
  const double dlo = lo, dhi = lo == hi ? double(lo) + 1 : double(hi);
  s.minY = lo;
  s.maxY = float(dhi);
  s.yScale = upperLimit / (dhi - dlo);
  s.y0 = std::trunc(dlo * s.yScale + upperLimit + 1);
  s.xScale = double(width) / std::max<int64_t>(int64_t(end) - begin, 1);
  return s;
}

}  // namespace qv::plot
