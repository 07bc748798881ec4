// Pointer tracking of the main loop: which case the pointer is over, the data bar, the
// values of the chosen channels, the distance from the block's first edge and the outline
// box of the fixed-width block.
#include <algorithm>
#include <cstdint>
#include <string>

#include "core/colors.h"
#include "core/channel_selection.h"
#include "core/commands.h"
#include "core/popups.h"
#include "core/undo.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "app/main_loop.h"
#include "core/cursors.h"
#include "core/menu_state.h"
#include "core/pointer_case.h"
#include "core/prefs.h"
#include "core/text_format.h"
#include "core/open_rules.h"
#include "plot/plot.h"
#include "plot/pointer_view.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

void frameOutlineBox(int left, int right) {
  rt::penMode(rt::kPatXor);
  rt::frameRect({left, 31, right, BottomOfPlotArea - 3});
  rt::penNormal();
}

std::string distanceText(double seconds) {
  if (seconds < 120) return rt::PSstr(seconds) + " sec";
  return rt::PSstr(seconds * 0.0166667) + " min";
}

void showValues(int f, int32_t kase) {
  const int w = 1000 + f;
  int field = 201;
  for (int k = 1; k <= nChannels[f]; ++k) {
    if (k == ActiveChannel || !OverlayArray[f][126 + k]) continue;
    if (rt::controlExistsIn(w, field))
      rt::setEditTextIn(w, field, " ch" + std::to_string(k) + ": " + StringFormatter(GetDatum(f, k, kase)));
    ++field;
  }
}

}  // namespace

void TrackPointer() {
  const int f = TheFileInUse;
  const int w = 1000 + f;
  if (f < 0 || f >= 20 || !rt::windowExists(w) || nCases[f] < 1) return;
  if (FileSHORTS[f][1] < 1) FileSHORTS[f][1] = 1;
  const rt::Point p = rt::pointerIn(w);
  const int width = rt::windowContentRect(w).width();
  HorizPosition = int16_t(std::clamp(p.x, -32000, 32000));
  VerticalPosition = int16_t(std::clamp(p.y, -32000, 32000));
  const bool inside = p.x > 0 && p.x <= width && p.y >= 20 && p.y < BottomOfPlotArea - 3;
  if (!inside) {
    if (WithinThePlotRegion) rt::setCursor(rt::Cursor::Arrow);
    WithinThePlotRegion = 0;
    rt::setHandler(rt::Vector::Mouse, noMOUSE);
    rt::backColor(gray);
    if (prefsArray[36] && IntBoxLeft != -10) {
      rt::setOutputWindow(w);
      frameOutlineBox(IntBoxLeft, IntBoxRight);
      IntBoxLeft = -10;
      IntBoxRight = -5;
    }
    return;
  }
  if (!WithinThePlotRegion) SetCrossCursor();
  WithinThePlotRegion = 1;
  PointerView v = plotPointerView(f, width);
  // The fixed-width box of the file in use, whichever file set the width last.
  v.abu = automaticBlockPixels(ABunit, Xstep, ScreenWidth, nCases[f]);
  v.abunit = ABunit;
  const PointerCase c = CaseUnderPointer(v, p.x);
  if (p.x != LastHorizPosition) {
    LastHorizPosition = int16_t(p.x);
    rt::setOutputWindow(w);
    if (prefsArray[36]) {
      if (IntBoxLeft != -10) frameOutlineBox(IntBoxLeft, IntBoxRight);
      IntBoxLeft = int16_t(std::clamp<int64_t>(p.x - c.halfWidth, -32000, 32000));
      IntBoxRight = int16_t(std::clamp<int64_t>(p.x + c.halfWidth, -32000, 32000));
      frameOutlineBox(IntBoxLeft, IntBoxRight);
    }
    const float interval = FileInfoFLOATS[f][1];
    UpdateDataBar(float(c.kase) * interval, c.kase);
    if (AllValues) showValues(f, c.kase);
    const int state = FileSHORTS[f][2];
    if (ScreenWidth >= 641 && (state == 1 || state == 3) && width >= 832 && rt::controlExistsIn(w, 17)) {
      rt::setEditTextIn(w, 17, distanceText(double(c.kase > BeginBlock.inUse() ? c.kase - BeginBlock.inUse() : BeginBlock.inUse() - c.kase) *
                                            interval));
      rt::setEditFont(17, 3, 12, 0);
    }
  }
  rt::setOutputWindow(w);
  rt::setHandler(rt::Vector::Mouse, HandleMOUSE);
}

}  // namespace qv
