// The baseline drawn on the plot: the whole line once a method has it, or one segment of a
// chain on the page shown.
#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/line_values.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "editing/baseline.h"
#include "editing/baseline_window.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/scale.h"
#include "runtime/windows.h"

namespace qv {

namespace {

// Draws the line between two cases in the plot window with the mapping its trace uses.
void strokeBaseline(int32_t caseFrom, float heightCaseFrom, int32_t caseTo, float heightCaseTo) {
  const int f = TheFileInUse;
  const int plotWindow = 1000 + f;
  if (!rt::windowExists(plotWindow)) return;
  const plot::PlotView v = plot::viewOfSlot(f);
  const plot::DrawScale ds = plot::drawScale(minimumValue, maximumValue);
  const double yScale = PlotHeight / ds.range();
  const double baseY = plot::traceBaseLine(v, BottomOfPlotArea) + ds.low * yScale;
  const auto y = [&](float c) { return baseY - (double(ValueOfA) + double(ValueOfB) * c) * yScale; };
  // Far beyond the window the stroke gains nothing; kept finite for the painter.
  const auto keep = [](double p) { return std::isfinite(p) ? std::clamp(p, -22000.0, 22000.0) : 0.0; };
  const rt::PointF pts[2] = {{keep(plot::caseToX(v, caseFrom)), keep(y(heightCaseFrom))},
                             {keep(plot::caseToX(v, caseTo)), keep(y(heightCaseTo))}};
  const int saved = rt::outputWindow();
  rt::setOutputWindow(plotWindow);
  rt::strokePolyline(pts, 2, 1.5, green, true);
  rt::flushWindow(plotWindow);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

}  // namespace

void DrawBaselineOnPLOT(int16_t) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  setBaselineWord(5, ValueOfA);
  setBaselineWord(6, ValueOfB);
  if (FileSHORTS[f][4] == 0 && nCases[f] > ScreenWidth) {
    FileSHORTS[f][4] = 1;
    plot::takeActiveChannelScale();
    DrawPlot(0, 0, 0, 0);
  }
  bup();
  strokeBaseline(1, 1.0f, nCases[f], float(nCases[f]));
  if (!rt::windowExists(kBaselineWindow)) return;
  rt::setOutputWindow(kBaselineWindow);
  rt::setButtonState(kSelectAgain, 1);
  rt::setButtonState(kAutoStartEnd, 0);
  rt::setButtonState(kBaselineOK, 1);
  rt::setButtonState(kBaselineCancel, 1);
  action = 0;
}

void DRAW_the_Baseline(float yFrom, float yTo, int32_t xFrom, int32_t xTo) {
  if (!slotIsOpen(TheFileInUse)) return;
  plot::takeActiveChannelScale();
  strokeBaseline(xFrom, yFrom, xTo, yTo);
  bup();
}

}  // namespace qv
