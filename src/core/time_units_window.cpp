// "Time Units": the unit the time fits give their slopes in, and for the slope window
// whether Y is fitted as its logarithm.
#include <algorithm>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/view_state.h"
#include "core/fit_state.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kWindow = 7, kSeconds = 11, kDays = 14, kLogBox = 15;

rt::Rect placeFor(int16_t mode) {
  const int plot = 1000 + TheFileInUse;
  const rt::Rect p = rt::windowExists(plot) ? rt::windowContentRect(plot) : rt::Rect{0, 40, 800, 500};
  if (mode == 1) return {p.left + 125, p.top + 109, p.left + 335, p.top + 225};
  // Below the plot area, kept on the screen.
  const int top = std::min(p.top + BottomOfPlotArea + 20, rt::screenRect().bottom - 150);
  return {p.left + 330, top, p.left + 540, top + 141};
}

}  // namespace

void TIMECHOICE(int16_t mode, float blockMinimum) {
  SavedHandlers saved;
  const int plot = 1000 + TheFileInUse;
  if (rt::windowExists(plot)) rt::bringWindowForward(plot);
  // Only 1 means log Y here: the regression's other models are not the time fit's.
  UseLogY = UseLogY == 1 ? 1 : 0;
  rt::openWindow(kWindow, "Time Units", placeFor(mode), rt::kDocumentWindowClass, 0);
  rt::setWindowBackground(kWindow, VeryLightGray);
  TimeUnits = 0;
  const char* names[] = {"Seconds", "Minutes", "Hours", "Days"};
  for (int k = 0; k < 4; ++k)
    rt::FBButton(kSeconds + k, 1, names[k], {10 + (k % 2) * 100, 12 + (k / 2) * 30, 100 + (k % 2) * 100, 32 + (k / 2) * 30},
                 k == 0 ? 4 : 1);
  const bool logOffered = mode == 0 && blockMinimum >= 0.0f;
  if (logOffered) rt::FBButton(kLogBox, UseLogY == 1 ? 2 : 1, "Use log(Y) ", {10, 108, 200, 128}, 2);
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  for (;;) {
    action = eventID = 0;
    waitForAction();
    if (action == 1 && eventID >= kSeconds && eventID <= kDays) {
      TimeUnits = int16_t(eventID - kSeconds);
      break;
    }
    if (action == 1 && eventID == kLogBox && logOffered) {
      UseLogY = UseLogY ? 0 : 1;
      rt::setOutputWindow(kWindow);
      rt::setButtonState(kLogBox, UseLogY ? 2 : 1);
      continue;
    }
    if (action == 3 || action == 16 || (action == 4 && eventID == kWindow)) break;
  }
  action = 16;
  rt::closeWindow(kWindow);
}

}  // namespace qv
