#include "fitting/trigger_pick.h"

#include <cmath>

#include "core/colors.h"
#include "core/cursors.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

float trigger = 0.0f;

namespace {

constexpr int kBlockWindow = 2, kResultsWindow = 4, kSecondWindow = 6;
constexpr int kUpperField = 101, kLowerField = 103, kTriggerField = 109;

int targetWindow(int16_t target) { return target == 1 || target == 2 ? kResultsWindow : kSecondWindow; }
int targetField(int16_t target) { return target == 1 ? kUpperField : target == 2 ? kLowerField : kTriggerField; }

void line(int y) {
  rt::moveTo(1, y);
  rt::lineTo(RightLim - 2, y);
}

}  // namespace

float triggerLevelAt(int y, int upperLimit, float min, float max) {
  const double scale = (double(max) - min) / (upperLimit - 4 != 0 ? upperLimit - 4 : 1);
  return float(double(upperLimit - 2 - y) * scale + min);
}

void GetTRIGGER(int16_t colour, int16_t target) {
  action = 0;
  if (target == 0) {
    SetTextStyle(KestrixFont, 16, 0);
    rt::foreColor(RGBblack);
    PrintAt(30, 136, "trigger value:");
    rt::FBEditField(kTriggerField, "", {150, 121, 290, 139}, 7);
  }
  if (!rt::windowExists(kBlockWindow)) {
    bzot();
    return;
  }
  const int window = targetWindow(target), field = targetField(target);
  float shown = 99999.0f;
  int y = 0;
  for (;;) {
    rt::trackingPump();
    const rt::Point at = rt::pointerIn(kBlockWindow);
    const bool down = rt::Button();
    if (at.y < 1 || at.y > UpperLimit || at.x <= 0) {
      rt::setCursor(rt::Cursor::Arrow);
      continue;
    }
    SetCrossCursor();
    y = at.y;
    trigger = triggerLevelAt(y, UpperLimit, BlockMinY, BlockMaxY);
    if (down) break;
    if (trigger != shown && rt::controlExistsIn(window, field)) {
      rt::setEditTextIn(window, field, rt::PSstr(trigger));
      shown = trigger;
    }
    // The line follows the pointer: drawn and taken away again in exclusive-or.
    rt::setOutputWindow(kBlockWindow);
    rt::penNormal();
    rt::colorNumber(colour);
    rt::penMode(rt::kPatXor);
    line(y);
    rt::flushWindow(kBlockWindow);
    line(y);
  }
  while (rt::Button()) rt::trackingPump();
  rt::setOutputWindow(kBlockWindow);
  rt::penNormal();
  rt::colorNumber(colour);
  line(y);
  rt::penNormal();
  rt::colorNumber(1);
  if (rt::controlExistsIn(window, field)) rt::setEditTextIn(window, field, rt::PSstr(trigger));
  Tick();
  action = 0;
  rt::setCursor(rt::Cursor::Arrow);
  if (rt::windowExists(window)) {
    rt::bringWindowForward(window);
    rt::setOutputWindow(window);
  }
}

}  // namespace qv
