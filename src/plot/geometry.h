#pragma once
// Geometry of a plot: the window layout taken from the screen, the part of a file each view
// shows, pixels per case, and the mappings between cases and x. Plain values in and out.
#include <cstdint>

namespace qv::plot {

// Size and place of a plot window, from the screen it opens on.
struct WindowLayout {
  int screenHeight = 0;  // usable height chosen
  int w = 0;             // plot width before the tool bar's room is taken off
  int bottom = 0;        // preliminary bottom of the plot area
  int left = 0, top = 0, width = 0, height = 0;  // content rectangle in screen pixels
};
// toolbarPlace: 0 the tool bar sits left of the plot, anything else elsewhere.
WindowLayout layoutFromScreen(int screenWidth, int screenHeight, int toolbarPlace);

// What a plot window shows of a file.
struct PlotView {
  int32_t nCases = 0;
  int screenWidth = 1;
  int page = 1;           // paged view, from 1
  bool wholeFile = false;  // the whole file squeezed into the width
  bool zoomed = false;
  int32_t zoomLeft = 0, zoomRight = 0;
  int xstep = 1;  // pixels per case of the paged view
};

enum class ViewKind { Paged, SmallFile, WholeFile, Zoomed };
ViewKind kindOf(const PlotView& v);

// Pages of the paged view: ceil(nCases / width), at least 1.
int pageCount(int32_t nCases, int screenWidth);
// The page brought inside 1..pageCount.
int clampedPage(const PlotView& v);
// The zoom range brought inside 1..nCases with its right edge after its left where the
// file allows it.
void clampZoom(const PlotView& v, int32_t& left, int32_t& right);

// Pixels per case, evaluated as each redraw does: a file that fits half the width gets
// width / nCases pixels a case, any longer file one.
int xstepFor(int32_t nCases, int screenWidth, int page, int previous);

struct CaseRange {
  int32_t first = 1, last = 0;  // empty when last < first
  bool empty() const { return last < first; }
};
// The cases a view shows (the range of the vertical scale). With a block given
// (blockLast > 0) the block replaces the view.
CaseRange visibleRange(const PlotView& v, int32_t blockFirst = 0, int32_t blockLast = 0);

// The trace's placing: case first + k - 1 (k from 1) at x = x0 + k * pixelsPerCase.
struct TraceMap {
  int32_t first = 1, last = 0;
  double x0 = 0, pixelsPerCase = 1;
};
TraceMap traceMap(const PlotView& v);

// The case under pixel x, always inside 1..nCases (1 for an empty file).
int32_t caseAtX(const PlotView& v, int x);
// The x of a marker or note at case c (not truncated).
double caseToX(const PlotView& v, int32_t c);

// Vertical placing: bottom line B of the trace (value minimumValue sits there).
double traceBaseLine(const PlotView& v, int bottomOfPlotArea);

// A strip of the multi-channel view in window rows, from its channel's display words 8
// (height) and 9 (base): bottom = trunc(base - 30), top = trunc(bottom - height). Words
// that are not finite or far out of range give rows clamped to +-30000.
struct StripEdges {
  int top = 0, bottom = 0;
};
StripEdges stripEdges(float height, float base);

}  // namespace qv::plot
