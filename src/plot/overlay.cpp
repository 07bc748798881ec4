// Overlay channels laid over the active trace, each stretched to the plot height by its
// own scale.
#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "runtime/windows.h"

namespace qv {

void DrawOVERLAY() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  const int win = 1000 + f;
  rt::setOutputWindow(win);
  const int16_t keepChannel = ActiveChannel, keepHistogram = PlotAsHistogram;
  PlotAsHistogram = 0;
  MakeNewChan = 1;
  rt::setCursor(rt::Cursor::Wait);

  const int32_t n = nCases[f];
  const plot::PlotView v = plot::viewOfSlot(f);
  for (int ch = 1; ch <= nChannels[f] && ch <= kMaxChannels; ++ch) {
    if (ch == keepChannel || !overlayFlag(f, 1, ch)) continue;
    rt::foreColor(OverlayColor[ch]);
    ScaleMode = DrawAllScaleMode;
    ActiveChannel = int16_t(ch);
    FindMinMax();
    rt::setOutputWindow(win);
    range = maximumValue - minimumValue;
    const plot::DrawScale ds = plot::drawScale(minimumValue, maximumValue);
    const double yScale = PlotHeight / ds.range();
    const double baseY = ds.low * yScale + BottomOfPlotArea - 0.5;

    int32_t first, last;
    double ppc;
    if (v.zoomed) {
      plot::clampZoom(v, first, last);
      ppc = double(ScreenWidth) / std::max<int32_t>(last - first, 1);
    } else if (v.wholeFile) {
      first = 1, last = n;
      ppc = double(ScreenWidth) / n;
    } else {
      const int64_t p = plot::clampedPage(v);
      first = int32_t(std::min<int64_t>((p - 1) * ScreenWidth + 1, n));
      last = int32_t(std::min<int64_t>(p * ScreenWidth, n));
      ppc = Xstep;
    }
    DrawPlotUsingCoreGraphics(0, 1, 0, first, last, baseY, yScale, int16_t(ch), 0, ppc,
                              ScaleMode == plot::kFixedLimits ? 1 : 0);
    rt::flushWindow(win);
  }

  rt::closeWindow(16);
  rt::setOutputWindow(win);
  rt::backColor(gray);
  rt::setCursor(rt::Cursor::Arrow);
  rt::penNormal();
  ActiveChannel = keepChannel;
  PlotAsHistogram = keepHistogram;

  int chosen = 0;
  for (int c = 1; c <= nChannels[f] && c <= kMaxChannels; ++c) chosen += overlayFlag(f, 1, c) != 0;
  if (ScreenWidth >= 1031 && FileSHORTS[f][7] == 0 && chosen > 1)
    rt::FBButton(444, 1, "Clear Overlay", {885, 0, 980, 17}, 1);
}

}  // namespace qv
