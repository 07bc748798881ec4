#include "plot/pick_tracking.h"

#include <algorithm>

#include "core/colors.h"
#include "core/cursors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/pointer_case.h"
#include "plot/cursor_pick.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/pointer_view.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv::pick {

namespace {

// The data bar's case: CaseUnderPointer keeps it inside the file, right for a readout.
int32_t readoutCase(int f, int x, int width) {
  return CaseUnderPointer(plotPointerView(f, width), x).kase;
}

}  // namespace

PlotPointer followPointer(int f, int& lastX) {
  PlotPointer p;
  const int win = plot::kPlotWindowBase + f;
  if (!rt::windowExists(win)) return p;
  const rt::Point at = rt::pointerIn(win);
  const int width = rt::windowContentRect(win).width();
  p.x = at.x;
  p.y = at.y;
  HorizPosition = int16_t(std::clamp(at.x, -32000, 32000));
  VerticalPosition = int16_t(std::clamp(at.y, -32000, 32000));
  p.inside = at.x >= 1 && at.x <= width && at.y >= 20 && at.y < BottomOfPlotArea;
  if (!p.inside) {
    if (WithinThePlotRegion) rt::setCursor(rt::Cursor::Arrow);
    WithinThePlotRegion = 0;
    return p;
  }
  if (!WithinThePlotRegion) SetCrossCursor();
  WithinThePlotRegion = 1;
  p.kase = caseAt(plot::blockViewOfSlot(f), at.x);
  if (at.x != lastX) {
    lastX = at.x;
    const int saved = rt::outputWindow();
    const int32_t c = readoutCase(f, at.x, width);
    UpdateDataBar(float(c) * FileInfoFLOATS[f][1], c);
    if (rt::windowExists(saved)) rt::setOutputWindow(saved);
  }
  return p;
}

}  // namespace qv::pick
