// The tool bar (window 1999): a floating bar of small buttons beside, below or above the
// plot window of the file in use. Its close box moves it to the next place (main loop).
#include <algorithm>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/text_constants.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/toolbar_layout.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kVerticalHeight = 666, kLowScreenVerticalHeight = 400;

bool verticalBar() { return prefsArray[33] == 0; }

int plotWindowOfFileInUse() {
  const int f = TheFileInUse;
  return f >= 0 && f < kMaxOpenFiles ? plot::kPlotWindowBase + f : 0;
}

// The bar's frame in screen pixels, moving the plot window where the place needs room.
rt::Rect barFrame(int plotWin) {
  const rt::Rect screen = rt::screenRect();
  rt::Rect p = rt::windowContentRect(plotWin);
  const int place = prefsArray[33];
  if (place == 0) {
    if (p.left <= 91) {
      rt::moveWindow(plotWin, 92, p.top);
      p = rt::windowContentRect(plotWin);
    }
    const int wanted = screen.height() < 481 ? kLowScreenVerticalHeight : kVerticalHeight;
    // The last row of buttons reaches a few pixels past the bar's usual height.
    const int needed = plot::layoutTools(plot::kVerticalBarWidth, true).back().rect.bottom + 4;
    const int height = std::min(std::max(wanted, needed), std::max(screen.height() - 40, 100));
    return {2, 40, 2 + plot::kVerticalBarWidth, 40 + height};
  }
  const int width = std::max(p.width() - 22, 80);
  // A bar whose buttons take more than one row grows a row at a time.
  const int height = plot::horizontalBarHeight(plot::layoutTools(width, false));
  if (place == 1) return {p.left, p.bottom + 18, p.left + width, p.bottom + 18 + height};
  if (p.top - (height + 36) < 1) {
    rt::moveWindow(plotWin, p.left, 61 + height);
    return {p.left, 37, p.left + width, 37 + height};
  }
  return {p.left, p.top - height, p.left + width, p.top};
}

std::string barTitle() {
  if (verticalBar()) return "Toolbar";
  const std::string arrow = " \xE2\x86\x92 ";
  return "Toolbar:    Click close button to change toolbar location   (left" + arrow + "bottom" + arrow + "top) ";
}

bool fileHasBlock(int f) { return f >= 0 && f < kMaxOpenFiles && FileSHORTS[f][2] == 2; }

void toolbutton(const plot::PlacedTool& t) {
  const int id = std::abs(t.id);
  rt::removeControl(id);
  rt::textFont(KestrixFont);
  rt::textSize(12);
  // Buttons of the block start hidden and dimmed, but "Del Mkr"; they keep their place.
  const bool hidden = t.id < 0;
  rt::FBButton(id, hidden && id != 595 ? 0 : 1, t.title, t.rect, 1);
  if (hidden) rt::setControlShown(id, false);
}

void showTool(int id, int state) {
  if (!rt::controlExists(id)) return;
  rt::setControlShown(id, true);
  rt::setButtonState(id, state);
}

}  // namespace

void ToolBar() {
  ScreenHeight = int16_t(std::clamp(rt::screenRect().height(), 0, 32767));
  rt::closeWindow(kToolBarWindow);
  const int plotWin = plotWindowOfFileInUse();
  if (!plotWin || !rt::windowExists(plotWin)) return;
  rt::setOutputWindow(plotWin);
  const rt::Rect frame = barFrame(plotWin);
  rt::openWindow(kToolBarWindow, barTitle(), frame, rt::kFloatingWindowClass, rt::kAttrCloseBox | rt::kAttrResizable);
  rt::setWindowBackground(kToolBarWindow, ToolBarBackgroundColor);
  rt::backColor(ToolBarBackgroundColor);
  rt::setWindowMinSize(kToolBarWindow, 80, 20);
  DRAWTOOLS();
}

void DRAWTOOLS() {
  if (!rt::windowExists(kToolBarWindow)) return;
  RestoreTheToolBar();
  const int barWidth = rt::windowContentRect(kToolBarWindow).width();
  const int saved = rt::outputWindow();
  rt::setOutputWindow(kToolBarWindow);
  for (const plot::PlacedTool& t : plot::layoutTools(barWidth, verticalBar())) toolbutton(t);
  const int f = TheFileInUse;
  if (f >= 0 && f < kMaxOpenFiles) {
    if (FileSHORTS[f][7] == 1) rt::setControlShown(581, false);
    if (FileSHORTS[f][6]) showTool(590, 1);
    if (fileHasBlock(f)) {
      for (int id : {589, 591, 592, 593, 595}) showTool(id, 1);
      for (int id = 565; id <= 576; ++id) showTool(id, id == 574 && nChannels[f] < 2 ? 0 : 1);
    }
  }
  rt::textSize(12);
  const int plotWin = plotWindowOfFileInUse();
  if (plotWin && rt::windowExists(plotWin)) rt::setOutputWindow(plotWin);
  else if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

}  // namespace qv
