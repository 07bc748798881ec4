// The redraw of the single-channel plot window: title, frame, trace, scale labels and grid,
// zero line, page lines, overlay, markers, note buttons, time axis, comments, block
// highlight and header line, in that order.
#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/data_generation.h"
#include "core/filetable.h"
#include "core/menu_state.h"
#include "plot/menu_rules.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kAuxWindow = 16;
constexpr int kViewMenu = 4;

std::string plotTitle(int f, int32_t visible) {
  const int16_t nch = nChannels[f];
  std::string t = "File" + rt::PSstrLong(f + 1) + ": '" + FileName[f] + "' (" + rt::PSstrLong(nch) + " channel" +
                  (nch >= 2 ? "s, " : ", ") + plot::caseCountText(nCases[f]) + " samples";
  if (ScreenWidth > 1000 && FileSHORTS[f][4] && visible > ScreenWidth) {
    const std::string fold = StringFormatter(float(double(visible) / ScreenWidth));
    t += ";  compressed" + fold.substr(0, 6) + "-fold";
  }
  return t + " ) ";
}

// Compacted means of the active channel in place of its samples.
void drawCompacted(int f, int ch, const plot::PlotView& v, int32_t xOffset, double yScale) {
  const int32_t F = CompactedChannel[f];
  const std::vector<float>& row = ParseArray[f][ch];
  const std::vector<float>& sd = ParseArray[f][std::min(ch + 40, 80)];
  if (F <= 0 || row.empty()) return;
  parse = F;
  const int32_t n = v.nCases;
  const int bottom = BottomOfPlotArea;
  const bool small = !v.wholeFile && v.xstep >= 2;
  const bool whole = v.wholeFile;
  const int lower = (!small && !whole) ? int(std::trunc(0.003 * PlotHeight)) : 0;
  const int sdTop = small ? 20 : 33;
  auto yOf = [&](float value) {
    const double y = bottom - std::round((double(value) - minimumValue) * yScale + 5.6) + lower;
    return int(std::clamp(y, 31.0, double(bottom - 3)));
  };
  const int64_t lastGroup = int64_t(row.size()) - 1;
  int64_t k0 = 0, k1 = std::min<int64_t>(n / F, lastGroup);
  if (!small && !whole) {
    const int64_t p = plot::clampedPage(v);
    k0 = std::max<int64_t>(0, (p - 1) * v.screenWidth / F - 1);
    k1 = std::min<int64_t>(n, p * v.screenWidth) / F;
    if (k1 + 1 <= lastGroup && row[size_t(k1 + 1)] != 0) ++k1;
    k1 = std::min(k1, lastGroup);
    if (k1 >= 0 && row[size_t(k1)] == 0) --k1;
  }
  bool have = false;
  for (int64_t k = k0; k <= k1; ++k) {
    const float value = row[size_t(k)];
    if (!std::isfinite(value)) continue;
    double xd;
    if (small) xd = std::round(double(v.xstep) * k * F) + xOffset;
    else if (whole) xd = std::round(double(k) * F * v.screenWidth / std::max<int32_t>(n, 1)) + xOffset;
    else xd = double(k - k0) * F;
    const int x = int(std::clamp(xd, -30000.0, 30000.0));
    const int y = yOf(value);
    if (have) rt::lineTo(x, y);
    else rt::moveTo(x, y);
    have = true;
    if (ShowDot) rt::frameOval({x - 3, y - 3, x + 3, y + 3});
    if (prefsArray[47] && size_t(k) < sd.size() && std::isfinite(sd[size_t(k)])) {
      const double h = std::min(std::fabs(double(sd[size_t(k)]) * yScale), 30000.0);
      const int a = int(std::max(y - h, double(sdTop))), b = int(std::min(y + h, double(bottom)));
      rt::moveTo(x, a);
      rt::lineTo(x, b);
      rt::moveTo(x, y);
    }
  }
}

void zoomNote(const plot::PlotView& v, double pixelsPerCase) {
  std::string note;
  if (v.zoomed && pixelsPerCase > 1) note = "zoomed" + rt::PSusing("###.#", pixelsPerCase) + " X ";
  else if (!v.zoomed && !v.wholeFile && v.xstep >= 2) note = "expanded" + rt::PSstrLong(v.xstep) + "X ";
  if (note.empty()) return;
  rt::textSize(12);
  rt::textFace(rt::kItalic);
  rt::moveTo(80, 59);
  rt::drawString(note);
  rt::textFace(0);
  rt::textSize(10);
}

void scaleLabels(const plot::DrawScale& ds) {
  if (ScaleMode != plot::kIncludeZero && ScaleMode != plot::kNormalScale) return;
  const int lines = std::max<int>(PlotLines, 1);
  rt::foreColor(plotForeColor);
  const int size = prefsArray[45] > 0 ? prefsArray[45] : 10;
  rt::textSize(size);
  for (int i = 1; i <= lines; ++i) {
    const int y = int(std::trunc(double(i) * PlotHeight / lines + 33));
    const double value = plot::gridLabelValue(ds, i, lines);
    const int base = value == 0 ? y - 2 : y;
    const std::string text = value == 0 ? " 0" : rt::PSstr(value);
    // Histogram bars fill the plot up to the trace, and the labels are drawn over them: each
    // label gets a patch of the plot's background so that it stays readable.
    if (PlotAsHistogram) {
      rt::foreColor(plotBackColor);
      rt::paintRect({1, base - size, rt::stringWidth(text) + 3, base + 3});
      rt::foreColor(plotForeColor);
    }
    rt::moveTo(0, base);
    rt::drawString(text);
  }
}

void gridLines() {
  if (!prefsArray[11]) return;
  const int lines = std::max<int>(PlotLines, 1);
  rt::foreColor(plotForeColor);
  for (int i = 1; i < lines; ++i)
    plot::dottedHLine(10, ScreenWidth, int(std::trunc(double(i) * PlotHeight / lines + 33)));
}

void zeroLine(const plot::DrawScale& ds) {
  if (!(ds.high > 0 && ds.low < 0 && prefsArray[13])) return;
  const int y = int(std::trunc(PlotHeight * ds.high / ds.range() + 34));
  rt::foreColor(Pwhite);
  for (int k = 1; k <= ScreenWidth / 20; ++k) {
    rt::moveTo(20 * k - 12, y);
    rt::lineTo(20 * k, y);
  }
  if (ScaleMode == plot::kFixedLimits || ScaleMode == plot::kHighResolution) {
    rt::foreColor(plotForeColor);
    rt::moveTo(0, y + 4);
    rt::drawString(" 0");
  }
}

}  // namespace

void DrawPlot(int16_t noOverlay, int32_t xOffset, int16_t commentsA, int16_t commentsB) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const int win = 1000 + f;
  if (!rt::windowExists(win)) return;
  rt::setOutputWindow(win);
  ScreenWidth = int16_t(std::clamp(rt::windowContentRect(win).width(), 1, 32767));
  const int32_t n = nCases[f];
  const int ch = std::clamp<int>(ActiveChannel, 0, kMaxChannels);

  // 1. The scale of the active channel.
  plot::takeActiveChannelScale();
  FIxWINDOWSmenu();
  rt::setOutputWindow(win);

  // 2. Title.
  const bool zoomed = FileSHORTS[f][6] != 0;
  const int32_t visible = zoomed ? zoomright[f] - zoomleft[f] : n;
  rt::setWindowTitle(win, plotTitle(f, visible));

  // 3. Buttons and fields rebuilt further on.
  for (int id = kFirstNoteButton; id <= kLastNoteButton; ++id) rt::removeControl(id);
  if (rt::menuExists(kViewMenu)) rt::menuSetItemState(kViewMenu, 9, 1);
  rt::backColor(gray);
  ThisFileName = FileName[f];
  rt::textFont(1);
  rt::textSize(10);
  if (AllValues)
    for (int id = 201; id <= 200 + nChannels[f]; ++id) rt::removeControl(id);

  // 4.
  if (FileSHORTS[f][4]) wsst();
  else wssst();

  // 5. Frame and data area; what lies under the plot is cleared for the time axis.
  rt::penNormal();
  rt::eraseRect({0, BottomOfPlotArea - 2, ScreenWidth, BottomOfPlotArea + 60});
  rt::foreColor({0, 0, 0});
  rt::moveTo(0, 18);
  rt::lineTo(ScreenWidth, 18);
  rt::moveTo(0, 0);
  rt::lineTo(0, BottomOfPlotArea + 21);
  rt::foreColor(plotBackColor);
  rt::paintRect({0, 29, ScreenWidth, BottomOfPlotArea - 2});
  rt::foreColor(plotForeColor);
  rt::frameRect({0, 30, ScreenWidth, BottomOfPlotArea - 2});

  // 6. Pixels per case, and the end of the data on a last, partial page.
  Xstep = int16_t(plot::xstepFor(n, ScreenWidth, FileSHORTS[f][1], Xstep));
  const int page = std::max<int>(FileSHORTS[f][1], 1);
  if (!zoomed && !FileSHORTS[f][4] && n > ScreenWidth && int64_t(n) < int64_t(page) * ScreenWidth) {
    const int64_t x = int64_t(Xstep) * n - int64_t(page - 1) * ScreenWidth;
    if (x >= 0 && x <= ScreenWidth) rt::paintRect({int(x), 31, int(x) + 1, BottomOfPlotArea - 2});
  }

  // 7.
  rt::foreColor({0, 0, 0});
  rt::textSize(10);
  if (n > ScreenWidth / 2) Xstep = 1;
  rt::foreColor(PlotDataLineColor);
  if (!FileSHORTS[f][4] && n <= ScreenWidth) FileSHORTS[f][1] = 1;
  FileSHORTS[f][1] = int16_t(plot::clampedPage(plot::viewOfSlot(f)));
  ActiveChannelArray[f] = ActiveChannel;

  // 8. The trace.
  const plot::PlotView v = plot::viewOfSlot(f);
  const plot::DrawScale ds = plot::drawScale(minimumValue, maximumValue);
  const double yScale = PlotHeight / ds.range();
  const double baseY = plot::traceBaseLine(v, BottomOfPlotArea) + ds.low * yScale;
  const bool clip = ScaleMode == plot::kFixedLimits && !v.wholeFile;
  // Means of data that have changed since (an edit, a new time scale) describe nothing now.
  if (CompactedChannel[f] != 0 && ParseGeneration[f] != DataGeneration[f]) CompactedChannel[f] = 0;
  const bool compacted = CompactedChannel[f] != 0 && !ParseArray[f][ch].empty();
  const plot::TraceMap m = plot::traceMap(v);
  if (compacted && (!zoomed || (!v.wholeFile && Xstep >= 2))) drawCompacted(f, ch, v, xOffset, yScale);
  else DrawPlotUsingCoreGraphics(0, 0, 1, m.first, m.last, baseY, yScale, int16_t(ch), m.x0, m.pixelsPerCase, clip);
  rt::penNormal();
  if (prefsArray[72] == 1) zoomNote(v, m.pixelsPerCase);

  // 9-12. Scale labels, grid, caption, zero line.
  prefsArray[45] = prefsArray[49] ? 12 : 10;
  scaleLabels(ds);
  gridLines();
  DRAWLABELSTUFF();
  zeroLine(ds);

  // 13. Page lines.
  if (!zoomed) DrawSCREENWIDTHS();

  // 14. Overlay; the active channel's scale is put back afterwards.
  if (noOverlay == 0 && prefsArray[25]) {
    const int16_t keepMode = ScaleMode, keepLines = PlotLines;
    const float keepMin = minimumValue, keepMax = maximumValue, keepRange = range, keepSpan = span;
    DrawOVERLAY();
    rt::setOutputWindow(win);
    ScaleMode = keepMode, PlotLines = keepLines;
    minimumValue = keepMin, maximumValue = keepMax, range = keepRange, span = keepSpan;
  }

  // 15-18. Markers, notes, time axis, comments.
  if (prefsArray[10] == 1 && FileSHORTS[f][5] > 0) {
    DRAWMARKERS(0, 1);
  } else {
    rt::eraseRect({0, 19, ScreenWidth, 29});
  }
  rt::setOutputWindow(win);
  if (NumberOfNotes[f] > 0) NOTEMARKERS();
  if (FileInfoFLOATS[f][1] > 0)
    DrawTimeIndex(0, int16_t(BottomOfPlotArea - 3), int16_t(prefsArray[21] != 0 ? 1 : 0));
  if (commentsA && commentsB) DRAWCOMMENTS();
  rt::setOutputWindow(win);

  // 19. Block highlight, once on the fresh picture.
  if (EndBlock.inUse() != 0 || FileSHORTS[f][2] == 3) RefreshPLOTBLOCK(0);
  rt::setOutputWindow(win);

  // 20-21.
  rt::penNormal();
  PlotChan = ActiveChannel;
  if (n <= ScreenWidth) rt::removeControl(kPlotSlider);
  SETMENU(1);
  rt::setOutputWindow(win);
  DRAWTIMEDATE();
  if (AllValues) DoALLVALUES(0);
  rt::setOutputWindow(win);
  LastHorizPosition = 0;
  if (n >= 4001) rt::closeWindow(kAuxWindow);
  rt::setOutputWindow(win);
  rt::backColor(gray);
}

}  // namespace qv
