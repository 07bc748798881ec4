#pragma once
// Block selection as plain numbers: the case under a pixel in each view of the plot, the
// block that a drag, a pair of clicks or a fixed-width click gives, and the pixel edges of
// the highlight and of the pending first edge. Every block that comes out lies inside the
// file (first case at least 1, last at most nCases) with its last case not before its first.
#include <cstdint>
#include <optional>

#include "plot/geometry.h"

namespace qv::plot {

// How the mouse maps pixels to cases. The whole-file mapping applies only while the file is
// longer than the plot is wide; a shorter file squeezed in reads as the paged view.
enum class BlockViewKind { Paged, WholeFile, Zoomed };

struct BlockView {
  BlockViewKind kind = BlockViewKind::Paged;
  int32_t nCases = 0;
  int width = 1;  // plot width in pixels, at least 1
  int page = 1;
  int xstep = 1;
  int32_t zoomLeft = 1, zoomRight = 2;  // the zoom range, zoomRight > zoomLeft
  bool multiChannel = false;             // the multi-channel view (paged edges count pixels)

  int64_t pageStart() const { return int64_t(page - 1) * width; }
  int64_t pageEnd() const { return int64_t(page) * width; }
  double casesPerPx() const { return double(nCases) / width; }
  double zoomSpan() const { return double(zoomRight) - zoomLeft; }
};
BlockView blockViewOf(const PlotView& v, bool multiChannel = false);

// The case under x, as the drag readout shows it: never below 0, not limited above.
int64_t caseUnder(const BlockView& v, int x);
// The cases that dx pixels span (the block-width readout).
double casesAcross(const BlockView& v, int dx);

// A selection: its cases, the pixel edges kept in FileSHORTS words 11 and 12, and the
// block state (1 empty, 2 set, 3 first edge placed).
struct BlockPick {
  int32_t begin = 0, end = 0;
  int16_t left = 0, right = 0;
  int16_t state = 0;
};

// A drag from x1 to x2 (either direction): always state 2.
BlockPick dragBlock(const BlockView& v, int x1, int x2);
// One click at h in fixed-width mode: halfCases either side of the case under h; halfPixels
// is the half-width in pixels of the whole-file view. State 1 when nothing is left of it.
BlockPick fixedWidthBlock(const BlockView& v, int h, int32_t halfCases, int32_t halfPixels);
// The first of two clicks: state 3, the case in begin, its pixel in left, end 0.
BlockPick firstClick(const BlockView& v, int h);
// The second click, completing `first`: the two cases in order; state 1 when they are one.
BlockPick secondClick(const BlockView& v, const BlockPick& first, int h);

// The highlight of a block in state 2: the pixel edges to keep, and the box (columns
// boxLeft..boxRight, both drawn) unless the block lies off the shown page. In the paged
// single-channel view with several pixels per case the kept edges are used as they are.
struct Highlight {
  int16_t left = 0, right = 0;
  std::optional<int> boxLeft, boxRight;
};
Highlight highlightOf(const BlockView& v, int32_t begin, int32_t end, int16_t keptLeft, int16_t keptRight);

// The column of case c in the view (a block moved by cases gets its edges anew).
int16_t caseColumn(const BlockView& v, int32_t c);

// The column of the pending first edge (state 3), or none when it is off the plot.
std::optional<int> edgeLineOf(const BlockView& v, int32_t begin, int16_t keptLeft);

// The block window's scales: the extremes of the channel over the block (non-finite samples
// passed over; 0 and 1 when none is finite; a flat block gets max = min + 1), the vertical
// scale s and base y0 (a value v is drawn at y0 - v * s), and the pixels per case (a block
// of one case counts as one case wide).
struct BlockScale {
  float minY = 0, maxY = 1;
  double yScale = 1, y0 = 0;
  double xScale = 1;
};
BlockScale blockScale(const float* samples, int32_t begin, int32_t end, int width, int upperLimit);

// A pixel kept in a 16-bit word.
int16_t pixelWord(double x);

}  // namespace qv::plot
