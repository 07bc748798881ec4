// The plot window's layout, the vertical scale of the active channel, the per-redraw
// refresh of both, and the zoom animation.
#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/shell_hooks.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "plot/trace.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kPlotWindowBase = 1000;
constexpr int kHelpMenu = -16490;

// Reads the layout globals back from the plot window's content.
void readLayout(int win) {
  const rt::Rect r = rt::windowContentRect(win);
  ScreenWidth = int16_t(std::clamp(r.width(), 1, 32767));
  BottomOfPlotArea = int16_t(std::clamp(r.height() - 38, 0, 32767));
  PlotHeight = int16_t(std::clamp(r.height() - 78, 1, 32767));
}

}  // namespace

void DrawMAINWINDOW(int16_t, int16_t) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles) return;
  const rt::Rect screen = rt::screenRect();
  const plot::WindowLayout l = plot::layoutFromScreen(screen.width(), screen.height(), prefsArray[33]);
  ScreenHeight = int16_t(l.screenHeight);
  BlockWindowBottom = int16_t(l.screenHeight);
  BlockWindowRight = int16_t(l.w);
  FileSHORTS[f][4] = nCases[f] > l.w ? 1 : 0;

  const int win = kPlotWindowBase + f;
  if (rt::windowExists(win)) rt::closeWindow(win);
  if (rt::windowExists(kChannelPickerWindow)) rt::hideWindow(kChannelPickerWindow);
  rt::openWindow(win, " Quorvelant Main Plot Window " + rt::PSstrLong(f),
                 {l.left, l.top, l.left + l.width, l.top + l.height}, rt::kDocumentWindowClass,
                 rt::kAttrCloseBox | rt::kAttrResizable);
  rt::setWindowMinSize(win, 640, 250);

  readLayout(win);
  rt::backColor(gray);
  rt::foreColor(plotBackColor);
  rt::paintRect({0, 18, ScreenWidth, BottomOfPlotArea - 2});
  rt::textFont(1);
  rt::textSize(10);
  ToolBar();
  rt::setOutputWindow(win);
  RightLim = ScreenWidth - 321;
  FileSHORTS[f][3] = 1;
  if (rt::menuExists(kHelpMenu)) rt::menuSetItemState(kHelpMenu, 2, 1);
}

namespace {

void findMinMax(const plot::ColumnReuse* columns) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return;
  rt::setCursor(rt::Cursor::Wait);
  const plot::PlotView v = plot::viewOfSlot(f);
  const plot::CaseRange r = printblock ? plot::visibleRange(v, BeginBlock.inUse(), std::max<int32_t>(EndBlock.inUse(), BeginBlock.inUse()))
                                       : plot::visibleRange(v);
  const float* samples = plot::channelSamples(f, ActiveChannel);
  plot::Extremes e;
  if (!columns || !columns->extremesOf(samples, r.first, r.last, e)) e = plot::scanExtremes(samples, r.first, r.last);
  const plot::Scale s =
      plot::scaleFor(e, ScaleMode, {minimumValue, maximumValue, range, PlotLines, span});
  minimumValue = s.minimumValue;
  maximumValue = s.maximumValue;
  range = s.range;
  PlotLines = s.plotLines;
  span = s.span;
  rt::setCursor(rt::Cursor::Arrow);
}

}  // namespace

void FindMinMax() { findMinMax(nullptr); }

void FindMinMaxFrom(const plot::ColumnReuse& columns) { findMinMax(&columns); }

void plot::takeActiveChannelScale() {
  const int ch = std::clamp<int>(ActiveChannel, 0, kMaxChannels);
  ScaleMode = plot::scaleModeOf(scalingFactorArray[ch][4]);
  if (ScaleMode == plot::kFixedLimits) {
    minimumValue = scalingFactorArray[ch][5];
    maximumValue = scalingFactorArray[ch][6];
  } else {
    FindMinMax();
  }
}

void ComputePlotFactors(int16_t) {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return;
  const int win = kPlotWindowBase + f;
  if (rt::windowExists(win)) {
    rt::setOutputWindow(win);
    ScreenWidth = int16_t(std::clamp(rt::windowContentRect(win).width(), 1, 32767));
  }
  plot::takeActiveChannelScale();
  Xstep = int16_t(plot::xstepFor(nCases[f], ScreenWidth, FileSHORTS[f][1], Xstep));
  range = maximumValue - minimumValue;
  const bool zoomed = FileSHORTS[f][6] != 0;
  if ((!zoomed || Xstep >= 2) && CompactedChannel[f] != 0) parse = CompactedChannel[f];
  if (!zoomed && Xstep < 2) Xstep = 1;
  LastHorizPosition = 0;
}

void ZoomEffect() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles || !rt::windowExists(kPlotWindowBase + f)) return;
  const int win = kPlotWindowBase + f;
  rt::setOutputWindow(win);
  const int cx = (FileSHORTS[f][11] + FileSHORTS[f][12]) / 2;
  const int limit = std::max(ScreenWidth - cx, cx);
  const int cy = (BottomOfPlotArea - 22) / 2;
  const int step = (cy - 10) / 20;
  rt::penMode(rt::kPatXor);
  rt::penSize(1, 1);
  int half = 13, up = 0;
  for (int guard = 0; half <= limit && guard < 1000; ++guard) {
    up += step;
    const rt::Rect box{cx - half, cy - up, cx + half, cy + up};
    rt::frameRect(box);
    rt::flushWindow(win);
    rt::frameRect(box);
    half += 50;
  }
  rt::penNormal();
}

void PlotForward() {
  const int w = 1000 + TheFileInUse;
  if (TheFileInUse < 0 || !rt::windowExists(w)) return;
  rt::bringWindowForward(w);
  rt::setOutputWindow(w);
}

void AUTO_REPEAT() { hooks::call(hooks::repeatLastAnalysis); }

}  // namespace qv
