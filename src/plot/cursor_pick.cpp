// The two picking loops the baseline tools call: one case, or one block (or point) through
// the plot's own block selection. Both can be left without a pick.
#include "plot/cursor_pick.h"

#include <algorithm>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/open_rules.h"
#include "plot/pick_tracking.h"
#include "plot/block_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kBaselineWindow = 9, kEndButton = 131, kCancelButton = 132;
constexpr rt::RGB kWhite{65535, 65535, 65535};
constexpr int kEscape = 27, kReturn = 13, kSpace = 32;

bool windowNine() { return (action == 3 || action == 4) && eventID == kBaselineWindow; }
bool escape() { return action == 16 && eventID == kEscape; }
bool pagingKey() { return action == 16 && (eventID == 28 || eventID == 29); }
// Return or Space, typed with or without an edit field in front (CHECKRETURN reports Return
// as event 16 and a blank as -990).
bool viewToggleKey() {
  if (action == -990) return true;
  if (action != 16 || escape() || pagingKey()) return false;
  return eventID == kReturn || eventID == kSpace || rt::editKeyCode() == kReturn;
}

// What every pick sets up and puts back: block state 1, prefsArray[28] off, the plot's
// buttons held off (PlotDialogMode 99), the menus ignored, the caller's handlers.
class PickSession {
 public:
  explicit PickSession(int f) : f_(f), savedPref28_(prefsArray[28]) {
    FileSHORTS[f][2] = 1;
    prefsArray[28] = 0;
    PlotDialogMode = 99;
    rt::setOutputWindow(plot::kPlotWindowBase + f);
    rt::setHandler(rt::Vector::Menu, noMENU);
    rt::setHandler(rt::Vector::Dialog, DoDIALOG);
    rt::setHandler(rt::Vector::Edit, CHECKRETURN);
    rt::FlushEvents();
    action = eventID = 0;
  }
  ~PickSession() {
    rt::penNormal();
    rt::setCursor(rt::Cursor::Arrow);
    prefsArray[28] = savedPref28_;
    PlotDialogMode = 0;
    WithinThePlotRegion = 0;
    action = eventID = 0;
  }
  PickSession(const PickSession&) = delete;
  PickSession& operator=(const PickSession&) = delete;

 private:
  SavedHandlers handlers_;
  int f_;
  uint16_t savedPref28_;
};

void waitForRelease() {
  while (rt::Button()) rt::trackingPump();
}

// The box of a baseline block that follows the pointer, drawn and removed in exclusive-or.
class CursorBox {
 public:
  explicit CursorBox(int f) : f_(f) {}
  void moveTo(int x, int width) {
    if (x_ != kNone && FileSHORTS[f_][1] == page_) frame();
    x_ = x;
    width_ = width;
    page_ = FileSHORTS[f_][1];
    frame();
  }
  void forget() { x_ = kNone; }
  void erase() {
    if (x_ != kNone && FileSHORTS[f_][1] == page_) frame();
    x_ = kNone;
  }

 private:
  static constexpr int kNone = -1000;
  void frame() const {
    rt::setOutputWindow(plot::kPlotWindowBase + f_);
    rt::penMode(rt::kPatXor);
    rt::frameRect({x_ - width_ / 2, 31, x_ + width_ / 2, BottomOfPlotArea - 6});
    rt::penNormal();
  }
  int f_;
  int x_ = kNone, width_ = 2, page_ = 0;
};

int boxWidth(int f, int plotWidth) {
  if (FileSHORTS[f][4] && nCases[f] > 0) {
    const double q = double(plotWidth) / nCases[f];
    return std::max(int(ABu * q + 1), 2);
  }
  return 2 * ABu + 1;
}

void toggleWholeView(int f) {
  FileSHORTS[f][4] = FileSHORTS[f][4] ? 0 : 1;
  DrawPlot(0, 0, 0, 0);
  for (int id : {kEndButton, kCancelButton})
    if (rt::controlExistsIn(kBaselineWindow, id)) rt::setButtonStateIn(kBaselineWindow, id, 1);
  action = eventID = 0;
}

void pageWithPlotButtons(bool key) {
  PlotDialogMode = key ? 2 : 0;
  HandlePlotDIALOG();
  PlotDialogMode = 99;
}

// A first edge placed (state 3) completes the pick: the edge's line goes, the block is set
// around it and shown as the selection of the mode asks.
void completeFromEdge(int f) {
  RefreshPLOTBLOCK(0);  // removes the pending edge's line
  const int32_t c = BeginBlock[f];
  if (prefsArray[22] == 10) {
    const pick::CaseSpan s = pick::blockAround(c, NpointsInBaselineBlock, nCases[f]);
    BeginBlock[f] = s.begin;
    EndBlock[f] = s.end;
  } else {
    EndBlock[f] = c;
  }
  const plot::BlockView v = plot::blockViewOfSlot(f);
  FileSHORTS[f][11] = plot::caseColumn(v, BeginBlock[f]);
  FileSHORTS[f][12] = plot::caseColumn(v, EndBlock[f]);
  FileSHORTS[f][2] = 2;
  if (prefsArray[22] == 10) DrawBLOCK();
  else RefreshPLOTBLOCK(0);
}

}  // namespace

bool GETPoint() {
  const int f = TheFileInUse;
  const int win = plot::kPlotWindowBase + f;
  if (!slotIsOpen(f) || !rt::windowExists(win) || nCases[f] < 2) return false;
  PickSession session(f);
  rt::setHandler(rt::Vector::Mouse, DoMouse);
  int lastX = -1;
  for (;;) {
    rt::FBHandleEvents();
    const pick::PlotPointer p = pick::followPointer(f, lastX);
    if (escape() || windowNine() || (action == 1 && eventID == kCancelButton)) return false;
    if (action == -999 && eventID != 0) {
      waitForRelease();
      if (p.inside && p.kase && *p.kase < nCases[f]) {
        BeginBlock[f] = *p.kase;
        return true;
      }
    }
    action = eventID = 0;
    rt::backColor(kWhite);
  }
}

bool GetBlocksWithCursor(int16_t allowViewToggle) {
  const int f = TheFileInUse;
  const int win = plot::kPlotWindowBase + f;
  if (!slotIsOpen(f) || !rt::windowExists(win) || nCases[f] < 2) return false;
  if (BaseLineButton > 130) return false;
  PickSession session(f);
  CursorBox box(f);
  int lastX = -1;
  for (bool ended = false; !ended;) {
    rt::FBHandleEvents();
    if (windowNine()) BaseLineButton = kEndButton;
    if (action == 1 && (eventID == kEndButton || eventID == kCancelButton)) BaseLineButton = eventID;
    if (escape()) BaseLineButton = kCancelButton;
    if (viewToggleKey() && allowViewToggle) {
      toggleWholeView(f);
      box.forget();
    }
    if (pagingKey()) {
      pageWithPlotButtons(true);
    } else if (SliderEvent) {
      pageWithPlotButtons(false);
    }
    const pick::PlotPointer p = pick::followPointer(f, lastX);
    // Clicks off the plot region select nothing.
    rt::setHandler(rt::Vector::Mouse, p.inside ? HandleMOUSE : noMOUSE);
    if (prefsArray[22] == 10 && p.inside) box.moveTo(p.x, boxWidth(f, rt::windowContentRect(win).width()));
    if (FileSHORTS[f][2] == 3) completeFromEdge(f);
    ended = FileSHORTS[f][2] == 2 || BaseLineButton > 130;
    action = eventID = 0;
    rt::backColor(kWhite);
  }
  box.erase();
  rt::penSize(1, 1);
  return FileSHORTS[f][2] == 2 && BaseLineButton <= 130;
}

}  // namespace qv
