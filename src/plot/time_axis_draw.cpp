// Page lines of the whole-file view and the time axis under the plot.
#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/time_axis.h"
#include "runtime/windows.h"

namespace qv {

void DrawSCREENWIDTHS() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  const int32_t n = nCases[f];
  if (!prefsArray[12] || FileSHORTS[f][6] || !FileSHORTS[f][4] || n <= ScreenWidth) return;
  rt::setOutputWindow(1000 + f);
  XpositionStep = float(double(ScreenWidth) / n);
  rt::penMode(rt::kPatXor);
  for (int64_t k = 1; k * ScreenWidth <= n; ++k) {
    const int x = int(std::trunc(double(k) * ScreenWidth * (double(ScreenWidth) / n) + 2));
    plot::dottedVLine(x, 29, BottomOfPlotArea - 3);
  }
  rt::penNormal();
}

void DrawTimeIndex(int16_t stripMode, int16_t axisY, int16_t labels) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  rt::setOutputWindow(1000 + f);
  plot::TimeAxisInput in;
  in.startOfDay = plot::startSeconds(StartTime[f]);
  in.interval = FileInfoFLOATS[f][1];
  in.nCases = nCases[f];
  in.screenWidth = ScreenWidth;
  in.page = std::max<int>(FileSHORTS[f][1], 1);
  if (FileSHORTS[f][6]) {
    in.view = plot::AxisView::Zoomed;
    in.zoomLeft = zoomleft[f];
    in.zoomRight = zoomright[f];
  } else if (FileSHORTS[f][4]) {
    in.view = plot::AxisView::WholeFile;
  }
  const plot::TimeAxis axis = plot::timeAxis(in);

  // Grid lines span the plot, or in a strip of the multi-channel view that strip.
  int gridTop = 30, gridBottom = axisY - axis.gridGap;
  if (stripMode) {
    const plot::StripEdges e = plot::stripOfChannel(f, ActiveChannel);
    gridBottom = e.bottom;
    gridTop = e.top;
  }
  bool grid = prefsArray[19] != 0;
  if (axis.daysOfWholeFile && TimeGridLimit == 1) {
    const double days = std::trunc(double(in.nCases) * in.interval) / 86400;
    grid = grid && ScreenWidth / days >= 10;
  }

  rt::foreColor(plotForeColor);
  rt::textFont(1);
  rt::textSize(10);
  for (const plot::Tick& t : axis.ticks) {
    const int x = int(std::trunc(t.x));
    if (grid) plot::dottedVLine(x, gridTop, gridBottom);
    if (t.x > 2) {
      rt::moveTo(x, axisY);
      rt::lineTo(x, axisY + axis.tickLength);
      if (labels && !stripMode && t.label) {
        rt::moveTo(t.labelX, axisY + 13);
        rt::drawString(t.text);
      }
    }
  }
  rt::penNormal();
}

}  // namespace qv
