// The two trace renderers: the anti-aliased stroke and the integer lines with one min/max
// bar per pixel column, and the stroke colours and widths of the traces.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/trace.h"
#include "runtime/windows.h"

namespace qv {

namespace {

// Beyond this many cases the integer renderer takes over unless the preference asks for
// the anti-aliased one anyway.
constexpr int64_t kQuartzCaseLimit = 2000001;

// Reused between redraws so that a redraw allocates nothing once it has run.
std::vector<plot::PointD>& pointBuffer() {
  static std::vector<plot::PointD> b;
  return b;
}
std::vector<rt::PointF>& strokeBuffer() {
  static std::vector<rt::PointF> b;
  return b;
}

rt::RGB fromUnit(const plot::ColorF& c) {
  auto u = [](double v) { return uint16_t(std::lround(std::clamp(v, 0.0, 1.0) * 65535)); };
  return {u(c.r), u(c.g), u(c.b)};
}

plot::ColorF toUnit(rt::RGB c) { return {c.red / 65535.0, c.green / 65535.0, c.blue / 65535.0}; }

void stroke(const std::vector<plot::PointD>& pts, const LineStyle& style) {
  if (pts.empty()) return;
  auto drawPiece = [&](const std::vector<plot::PointD>& piece) {
    auto& out = strokeBuffer();
    out.resize(piece.size());
    for (size_t i = 0; i < piece.size(); ++i) out[i] = {piece[i].x, piece[i].y};
    rt::strokePolyline(out.data(), out.size(), style.width, style.color, true);
  };
  if (!style.dashed) {
    drawPiece(pts);
    return;
  }
  std::vector<std::vector<plot::PointD>> pieces;
  plot::dashByColumns(pts, pieces);
  for (auto& p : pieces) drawPiece(p);
}

void drawSegments(const std::vector<plot::Segment>& segs) {
  for (const auto& s : segs) {
    rt::moveTo(s.x1, s.y1);
    rt::lineTo(s.x2, s.y2);
  }
}

// Top and bottom of the area a trace may use: the strip of the channel in the
// multi-channel view, else the plot area.
void clipLimits(int16_t channel, bool quickDraw, double& top, double& bottom) {
  const int f = TheFileInUse;
  const int mode = (f >= 0 && f < kSlots) ? FileSHORTS[f][7] : 0;
  if (mode != 0 && channel >= 0 && channel <= kMaxChannels) {
    const plot::StripEdges e = plot::stripOfChannel(f, channel);
    double b = e.bottom, t = e.top;
    if (mode == 3) b += 30, t += 30;
    const double least = quickDraw ? 34 : 19;
    if (mode != 2) t = std::max(t, mode == 3 ? least + 30 : least);
    // On screen the stroke's half width stays off the neighbouring strips' rows.
    if (mode == 1) t += 1, b -= 1;
    top = t;
    bottom = b;
    return;
  }
  top = quickDraw ? 34 : 31;
  bottom = BottomOfPlotArea - 3;
}

void drawHistogram(const plot::TraceInput& in) {
  plot::HistogramBars bars;
  plot::histogramBars(in, minimumValue, maximumValue, bars);
  rt::penSize(bars.width, 1);
  drawSegments(bars.bars);
  rt::penSize(1, 1);
}

plot::TraceInput traceInput(int16_t channel, int32_t first, int32_t last, double baseY, double yScale, double x0,
                            double ppc, bool clip, bool quickDraw) {
  plot::TraceInput in;
  const int f = TheFileInUse;
  in.samples = plot::channelSamples(f, channel);
  const int32_t n = (f >= 0 && f < kSlots) ? nCases[f] : 0;
  if (last == 0) last = n;
  in.first = std::max<int32_t>(first, 1);
  in.last = std::min<int32_t>(last, n);
  in.x0 = x0;
  in.pixelsPerCase = ppc;
  in.baseY = baseY;
  in.yScale = std::isfinite(yScale) ? yScale : 0;
  in.clip = clip;
  in.clipValue = maximumValue;
  clipLimits(channel, quickDraw, in.clipTop, in.clipBottom);
  return in;
}

void maybeSlider(uint16_t allowSlider) {
  const int f = TheFileInUse;
  if (allowSlider && f >= 0 && f < kSlots && nCases[f] > ScreenWidth) MakeSlider();
}

}  // namespace

LineStyle SetCGLineColorFromRGB(int32_t first, int32_t last, bool isBlock, bool inverse) {
  LineStyle s;
  if (inverse) {
    const rt::RGB b = isBlock ? BlockBackColor : plotBackColor;
    s.color = {uint16_t(65535 - b.red), uint16_t(65535 - b.green), uint16_t(65535 - b.blue)};
  } else {
    s.color = isBlock ? BlockForeColor : PlotDataLineColor;
  }
  s.width = plot::traceLineWidth(int64_t(last) - first, isBlock);
  return s;
}

LineStyle SetCGBlackLines() { return {{0, 0, 0}, 0.7, false}; }

LineStyle SetOVERLAYCGLineColorFromRGB(int16_t channel) {
  LineStyle s;
  s.color = (channel >= 0 && channel <= 40) ? OverlayColor[channel] : rt::RGB{};
  s.width = 0.75;
  s.dashed = prefsArray[15] != 0;
  return s;
}

LineStyle SetCGlinecolor(int16_t code, bool light) {
  return {fromUnit(plot::lineCodeColor(code, light, toUnit(BlockForeColor))), 1.5, false};
}

void PlotCG(double x1, double y1, double x2, double y2, int16_t code, bool light) {
  const LineStyle s = SetCGlinecolor(code, light);
  auto c = [](double v) { return std::clamp(std::isfinite(v) ? v : 0.0, -plot::kFarPixel, plot::kFarPixel); };
  const rt::PointF pts[2] = {{c(x1), c(y1)}, {c(x2), c(y2)}};
  rt::strokePolyline(pts, 2, s.width, s.color, true);
}

void DrawPlotUsingCoreGraphics(uint16_t forceQuickDraw, uint16_t colourMode, uint16_t allowSlider, int32_t first,
                               int32_t last, double baseY, double yScale, int16_t channel, double x0,
                               double pixelsPerCase, uint16_t clip) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return;
  if (forceQuickDraw || (int64_t(last) - first >= kQuartzCaseLimit && prefsArray[74] == 0)) {
    DrawPlotInQuickDraw(allowSlider, first, last, int32_t(std::clamp(std::trunc(baseY), -1e9, 1e9)), yScale,
                        channel, x0, pixelsPerCase, clip);
    return;
  }
  if (FileSHORTS[f][6]) {
    first = zoomleft[f];
    last = zoomright[f];
  }
  if (colourMode == 99) x0 = 50 - pixelsPerCase;
  plot::TraceInput in = traceInput(channel, first, last, baseY, yScale, x0, pixelsPerCase, clip, false);
  if (PlotAsHistogram) {
    drawHistogram(in);
  } else {
    auto& pts = pointBuffer();
    plot::polylinePoints(in, pts);
    LineStyle style = colourMode == 0    ? SetCGLineColorFromRGB(in.first, in.last, false, false)
                      : colourMode == 99 ? SetCGBlackLines()
                                         : SetOVERLAYCGLineColorFromRGB(channel);
    stroke(pts, style);
  }
  if (colourMode != 99) maybeSlider(allowSlider);
}

void DrawPlotInQuickDraw(uint16_t allowSlider, int32_t first, int32_t last, int32_t baseY, double yScale,
                         int16_t channel, double x0, double pixelsPerCase, uint16_t clip) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return;
  plot::TraceInput in = traceInput(channel, first, last, baseY, yScale, x0, pixelsPerCase, clip, true);
  rt::penSize(1, 1);
  if (PlotAsHistogram) {
    drawHistogram(in);
  } else {
    static plot::IntegerTrace trace;
    plot::integerTrace(in, ScreenWidth, trace);
    drawSegments(trace.segments);
    if (!trace.line) MinimumYposition = int16_t(std::clamp(trace.lastColumnLow, -32768, 32767));
  }
  maybeSlider(allowSlider);
  rt::penSize(1, 1);
}

}  // namespace qv
