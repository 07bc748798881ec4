// Picking a level on the single plot: a line follows the pointer across the plot and a
// click returns the value at its height.
#include "plot/level_pick.h"

#include <algorithm>

#include "core/colors.h"
#include "core/cursors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/open_rules.h"
#include "plot/block_support.h"
#include "plot/plot_state.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kScalingWindow = 11, kResults = 4, kLiveField = 111, kValueField = 56;
constexpr rt::RGB kRed{56000, 0, 0}, kWhite{65535, 65535, 65535};

// The scaling tool's own window holds the note above its buttons; only a pick without it
// opens a window for the note alone.
void showNote(int f) {
  if (!rt::windowExists(kScalingWindow)) {
    const rt::Rect plot = rt::windowContentRect(plot::kPlotWindowBase + f);
    const int top = std::min(plot.top + BottomOfPlotArea + 10, rt::screenRect().bottom - 40);
    BuildWINDOW(kScalingWindow, "Scaling", int16_t(plot.left + 60), int16_t(top), int16_t(plot.left + 230),
                int16_t(top + 30), 5);
  }
  rt::bringWindowForward(kScalingWindow);
  rt::setOutputWindow(kScalingWindow);
  for (uint8_t frame = 1; frame <= 9; ++frame) {
    LimitCursorNote(frame);
    rt::flushWindow(kScalingWindow);
    rt::waitUntilTick(rt::TickCount() + 1);
  }
}

void xorLine(int y) {
  rt::penMode(rt::kPatXor);
  rt::moveTo(1, y);
  rt::lineTo(ScreenWidth, y);
  rt::penNormal();
}

void showValue(int f, int16_t mode, float value) {
  const int win = plot::kPlotWindowBase + f;
  const std::string text = rt::PSstr(value);
  if (rt::controlExistsIn(win, kValueField)) rt::setEditTextIn(win, kValueField, "value " + text);
  if (mode == 1 && rt::controlExistsIn(kResults, kLiveField)) rt::setEditTextIn(kResults, kLiveField, text);
  rt::setOutputWindow(win);
}

}  // namespace


void LimitCursorNote(uint8_t frame) {
  rt::foreColor(kRed);
  rt::paintRect({2, 2, 168, 29});
  if (frame % 2 == 1) {
    rt::foreColor(kWhite);
    SetTextStyle(KestrixFont, 10, 1);
    rt::moveTo(10, 13);
    rt::drawString("\u2191  Select position  \u2191");
    rt::moveTo(40, 25);
    rt::drawString("and click mouse");
  }
  rt::foreColor({0, 0, 0});
}

float GetGscale(int16_t mode) {
  const int f = TheFileInUse;
  const int win = plot::kPlotWindowBase + f;
  if (!slotIsOpen(f) || !rt::windowExists(win)) return 0;
  if (prefsArray[7]) PlaySound("brrrp.mp3");
  if (mode == 0) showNote(f);
  rt::bringWindowForward(win);
  rt::setOutputWindow(win);
  float value = 0;
  int lineY = -1;
  for (;;) {
    rt::trackingPump();
    const rt::Point p = rt::pointerIn(win);
    const bool inside = p.y > 30 && p.x >= 1 && p.y <= BottomOfPlotArea - 3;
    if (!inside) {
      rt::setCursor(rt::Cursor::Arrow);
      if (lineY >= 0) xorLine(lineY);
      lineY = -1;
      continue;
    }
    SetCrossCursor();
    // The value is that of the row the click is on, even when the press came first.
    if (p.y != lineY) {
      if (lineY >= 0) xorLine(lineY);
      lineY = p.y;
      xorLine(lineY);
      value = pick::levelAt(p.y, minimumValue, maximumValue, PlotHeight, BottomOfPlotArea);
      showValue(f, mode, value);
    }
    if (rt::Button()) break;
  }
  xorLine(lineY);
  rt::penNormal();
  Tick();
  while (rt::Button()) rt::trackingPump();
  rt::setCursor(rt::Cursor::Arrow);
  const int front = mode == 0 ? kScalingWindow : kResults;
  if (rt::windowExists(front)) rt::bringWindowForward(front);
  return value;
}

}  // namespace qv
