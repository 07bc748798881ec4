// The multi-channel view: every shown channel in a strip of its own, stacked down the data
// area. A full redraw lays the strips out (unless custom heights are kept) and draws each; a
// one-strip redraw repaints only its channel's rows and button.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/menu_state.h"
#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/results_scaling.h"
#include "plot/draw_support.h"
#include "plot/multichannel.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "plot/strip_layout.h"
#include "plot/trace.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kViewMenu = 4;
constexpr int kChannelPopup = 333;

std::string multiTitle(int f) {
  const int16_t nch = nChannels[f];
  return "Quorvelant Plot Window:  File  '" + FileName[f] + " ' (" + rt::PSstrLong(nch) + " Channel" +
         (nch >= 2 ? "s," : ",") + rt::PSstrLong(nCases[f]) + " Samples ) ";
}

// Cases of the view, with their placing; only the block when the block alone is printed.
plot::TraceMap stripTrace(int f) {
  if (printblock && EndBlock[f] > BeginBlock[f]) {
    const double ppc = plot::blockPixelsPerCase(ScreenWidth, BeginBlock[f], EndBlock[f]);
    return {BeginBlock[f], EndBlock[f], -ppc, ppc};
  }
  return plot::traceMap(plot::viewOfSlot(f));
}

// Text on a patch of the plot's background, so that the trace under it does not hide it.
void captionAt(int x, int baseline, int size, const std::string& text) {
  rt::foreColor(plotBackColor);
  rt::paintRect({x, baseline - size, x + rt::stringWidth(text) + 2, baseline + 2});
  rt::foreColor(plotForeColor);
  rt::moveTo(x + 1, baseline);
  rt::drawString(text);
}

// The captions shrink with the strip and stay inside it: the low value goes where the strip is
// too low for two lines, all of them where it is too low for one.
void stripLabels(int f, int ch, const plot::StripEdges& e, const plot::DrawScale& ds) {
  const int height = e.bottom - e.top;
  const int size = std::min(10, height - 3);
  if (size < 7) return;  // smaller type cannot be read on the screen
  rt::textFont(1);
  rt::textSize(size);
  const int baseline = e.top + size + 1;
  captionAt(0, baseline, size, rt::PSstr(ds.high));
  if (prefsArray[9])
    captionAt(100, baseline, size,
              "Channel" + rt::PSstrLong(ch) + " of" + rt::PSstrLong(nChannels[f]) + "    " + RetrieveLabelOf(f, ch));
  else
    captionAt(138, baseline, size, "Channel" + rt::PSstrLong(ch) + "         " + RetrieveLabelOf(f, ch));
  const int low = int(std::trunc(std::clamp(double(fileVariableArray[f][ch][11]) - 31, -30000.0, 30000.0)));
  if (low - size >= baseline + 2 && low + 2 <= e.bottom) captionAt(0, low, size, rt::PSstr(ds.low));
}

void stripGridAndZero(int f, int ch, const plot::StripEdges& e, const plot::DrawScale& ds) {
  const int T = e.top, B = e.bottom;
  if (prefsArray[11]) {
    const double g = std::trunc(std::clamp(double(fileVariableArray[f][ch][8]), 0.0, 30000.0)) / 5;
    rt::foreColor(plotForeColor);
    for (int k = 1; k <= 4; ++k) plot::dottedHLine(10, ScreenWidth, int(std::trunc(B - k * g)));
  }
  if (prefsArray[13] && ds.high > 0 && ds.low < 0) {
    const int y = T + int(std::trunc((B - T) * ds.high / ds.range()));
    rt::foreColor(Pwhite);
    for (int x = 1; x <= ScreenWidth; x += 20) {
      rt::moveTo(x, y);
      rt::lineTo(std::min(x + 9, int(ScreenWidth)), y);
    }
  }
}

// The line where the data end on a last, partial page of the paged view.
void stripEndOfData(int f, const plot::StripEdges& e) {
  const int32_t n = nCases[f];
  if (printblock || FileSHORTS[f][6] || FileSHORTS[f][4] || n <= ScreenWidth) return;
  const int64_t page = plot::clampedPage(plot::viewOfSlot(f));
  if (int64_t(n) >= page * ScreenWidth) return;
  const int64_t x = int64_t(Xstep) * n - (page - 1) * ScreenWidth;
  if (x < 0 || x > ScreenWidth) return;
  rt::foreColor(plotForeColor);
  rt::paintRect({int(x), e.top, int(x) + 1, e.bottom});
}

}  // namespace

namespace plot {

std::vector<int> shownChannels(int f) {
  std::vector<int> out;
  if (!slotIsOpen(f)) return out;
  for (int c = 1; c <= std::min<int>(nChannels[f], kMaxChannels); ++c)
    if (overlayFlag(f, 1, c) != 0) out.push_back(c);
  return out;
}

void layOutStrips(int f) {
  if (shownChannels(f).empty()) overlayFlag(f, 1, 1) = 1;
  const std::vector<int> shown = shownChannels(f);
  LastMCH = int16_t(shown.empty() ? 1 : shown.back());
  if (CustomScreenPlot) return;
  for (const StripWords& s : equalStrips(shown, BottomOfPlotArea)) {
    float* w = fileVariableArray[f][s.channel];
    w[8] = s.height;
    w[9] = s.base;
    w[11] = s.base - 2;
    w[12] = s.base;
  }
}

void drawStrip(int f, int ch, int16_t mode) {
  const StripEdges e = stripOfChannel(f, ch);
  const int16_t keepActive = ActiveChannel, keepMode = ScaleMode;
  ActiveChannel = int16_t(ch);
  // The columns of the trace, scanned once for the scale and the drawing.
  const TraceMap m = stripTrace(f);
  TraceInput cases;
  cases.samples = channelSamples(f, ch);
  cases.first = std::max<int32_t>(m.first, 1);
  cases.last = std::min<int32_t>(m.last, nCases[f]);
  cases.x0 = m.x0;
  cases.pixelsPerCase = m.pixelsPerCase;
  const ColumnReuse columns(cases);
  // 1. The strip's own scale: its fixed limits, or the extremes of the cases shown.
  if (mode == kFixedLimits) {
    minimumValue = scalingFactorArray[ch][5];
    maximumValue = scalingFactorArray[ch][6];
  } else {
    ScaleMode = mode;
    FindMinMaxFrom(columns);
  }
  range = maximumValue - minimumValue;
  const DrawScale ds = drawScale(minimumValue, maximumValue);
  // 2. Background.
  rt::penNormal();
  rt::foreColor(plotBackColor);
  rt::paintRect({0, e.top, ScreenWidth, e.bottom});
  // 3. Trace.
  const double s = (e.bottom - e.top) / ds.range();
  const double base = (e.bottom - 0.5) + ds.low * s;
  rt::foreColor(PlotDataLineColor);
  if (m.last >= m.first)
    // Always clipped: fixed limits may lie inside the data, and even a fitting trace's stroke
    // reaches half a pixel past the scale.
    DrawPlotUsingCoreGraphics(0, 0, 1, m.first, m.last, base, s, int16_t(ch), m.x0, m.pixelsPerCase, 1);
  rt::penNormal();
  // 4-8.
  stripLabels(f, ch, e, ds);
  rt::foreColor(plotForeColor);
  rt::frameRect({0, e.top, ScreenWidth, e.bottom});
  stripGridAndZero(f, ch, e, ds);
  stripEndOfData(f, e);
  rt::penNormal();
  // 9. The strip's label button.
  rt::removeControl(700 + ch);
  rt::FBButton(700 + ch, 1, "◊", {ScreenWidth - 12, e.top, ScreenWidth - 1, e.top + 12}, 1);
  ActiveChannel = keepActive;
  ScaleMode = keepMode;
}

}  // namespace plot

void DrawALLCHANNELS(int16_t channel) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  const int win = 1000 + f;
  rt::setOutputWindow(win);
  ScreenWidth = int16_t(std::clamp(rt::windowContentRect(win).width(), 1, 32767));
  const int32_t n = nCases[f];
  const int16_t entryActive = ActiveChannel;
  const bool whole = channel <= 0 || channel > kMaxChannels;

  // 1. A strip takes its own mode; no channel's mode is rewritten by drawing it.
  BaseLineButton = 0;
  Xstep = int16_t(n > 0 && n < ScreenWidth ? ScreenWidth / n : 1);
  // 2-3.
  rt::setWindowTitle(win, multiTitle(f));
  plot::layOutStrips(f);
  DRAWTIMEDATE();
  rt::setOutputWindow(win);
  if (rt::menuExists(kViewMenu)) rt::menuSetItemState(kViewMenu, 9, 0);
  // 4. A full redraw starts from an empty data area, so no row of the single view or of an
  // earlier layout stays behind below the last strip.
  if (whole) {
    for (int id = 701; id <= 740; ++id) rt::removeControl(id);
    rt::penNormal();
    rt::eraseRect({0, BottomOfPlotArea - 2, ScreenWidth, BottomOfPlotArea + 60});
    rt::foreColor(plotBackColor);
    rt::paintRect({0, 29, ScreenWidth, BottomOfPlotArea - 2});
    rt::foreColor(plotForeColor);
    rt::frameRect({0, 30, ScreenWidth, BottomOfPlotArea - 2});
  }
  // 5-6.
  const std::vector<int> shown = plot::shownChannels(f);
  int lastBottom = BottomOfPlotArea;
  for (int ch : shown) {
    if (!whole && ch != channel) continue;
    plot::drawStrip(f, ch, plot::scaleModeOf(scalingFactorArray[ch][4]));
    if (whole) lastBottom = plot::stripOfChannel(f, ch).bottom;
  }
  if (whole) BlockMinY = float(lastBottom);
  ActiveChannel = entryActive;
  rt::setOutputWindow(win);
  // 7. Page lines, markers and the time axis run over every strip: a one-strip redraw
  // leaves them to the strip's own (DrawONEmultichan), so that the exclusive-or page lines
  // of the other strips are not undone.
  if (whole) {
    DrawSCREENWIDTHS();
    if (prefsArray[10] == 1 && FileSHORTS[f][kMarkerCountWord] > 0) DRAWMARKERS(0, 1);
    if (prefsArray[21] && FileInfoFLOATS[f][1] > 0) DrawTimeIndex(0, int16_t(lastBottom), 1);
  } else if (overlayFlag(f, 1, channel) != 0) {
    ActiveChannel = channel;
    if (prefsArray[10] == 1 && FileSHORTS[f][kMarkerCountWord] > 0) DRAWMARKERS(1, 0);
    ActiveChannel = entryActive;
  }
  // 8. The scale globals are the active channel's again.
  plot::takeActiveChannelScale();
  rt::setOutputWindow(win);
  if (rt::controlExists(kChannelPopup)) rt::setButtonState(kChannelPopup, 1);
  rt::setCursor(rt::Cursor::Arrow);
  MultiChannelChanSelectWindow(whole ? 0 : 1);
  rt::setOutputWindow(win);
  ActiveChannelArray[f] = ActiveChannel;
}

void DrawONEmultichan() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  const int ch = ActiveChannel;
  if (ch < 1 || ch > nChannels[f] || overlayFlag(f, 1, ch) == 0) return;
  rt::setOutputWindow(1000 + f);
  plot::drawStrip(f, ch, ScaleMode);
  const plot::StripEdges e = plot::stripOfChannel(f, ch);
  if (prefsArray[10] == 1 && FileSHORTS[f][kMarkerCountWord] > 0) DRAWMARKERS(1, 0);
  if (prefsArray[21] && FileInfoFLOATS[f][1] > 0) DrawTimeIndex(1, int16_t(e.bottom), 0);
  RefreshPLOTBLOCK(int16_t(ch));
  rt::setOutputWindow(1000 + f);
}

void RefreshMULTICHAN() {
  DrawALLCHANNELS(0);
  // DrawALLCHANNELS draws the page lines already; once more would remove them.
}

}  // namespace qv
