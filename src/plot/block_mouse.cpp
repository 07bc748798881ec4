// The plot window's mouse handler: a drag, two clicks or one fixed-width click set the
// block of the file in use, which is then highlighted, shown in the block window and, with
// automatic repeat on, analysed again.
#include <algorithm>
#include <cstdlib>

#include "core/colors.h"
#include "core/cursors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "plot/menu_rules.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/open_rules.h"
#include "core/output_state.h"
#include "plot/block_support.h"
#include "plot/block_texts.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kTop = 31;
constexpr rt::RGB kBlack{0, 0, 0};
constexpr rt::RGB kBlue{0, 0, 65535};

bool blockPicking() { return prefsArray[22] == 10; }

// The band from the press to the pointer, drawn and removed in exclusive-or mode.
void xorBand(int f, int a, int b) {
  if (a == b) return;
  rt::penMode(rt::kPatXor);
  rt::paintRect({std::min(a, b), kTop, std::max(a, b), plot::highlightBottom(f)});
}

// The data bar while the pointer moves with the button down: the case, its time of day,
// the active channel's value there and the width of the band.
void dragReadout(int f, const plot::BlockView& v, int x) {
  const int win = plot::kPlotWindowBase + f;
  const double interval = FileInfoFLOATS[f][1];
  const int64_t c = plot::caseUnder(v, x);
  if (rt::controlExistsIn(win, 54)) rt::setEditTextIn(win, 54, plot::dragCaseText(c, interval));
  if (rt::controlExistsIn(win, 55))
    rt::setEditTextIn(win, 55, plot::dragTimeOfDayText(c, interval, FileInfoFLOATS[f][8]));
  const float* samples = plot::channelSamples(f, ActiveChannel);
  if (samples && ActiveChannel >= 1) {
    tmFloat = samples[std::clamp<int64_t>(c, 1, nCases[f])];
    if (rt::controlExistsIn(win, 56)) {
      rt::setEditTextIn(win, 56, "value " + rt::PSstr(tmFloat));
      rt::setEditColors(56, kBlue, gray);
    }
  }
  if (ScreenWidth >= 832 && rt::controlExistsIn(win, 17)) {
    const double cases = plot::casesAcross(v, std::abs(x - HorizPosition));
    rt::setEditTextIn(win, 17, plot::blockWidthText(cases * interval));
  }
}

// Follows the pointer while the button is held; returns where it was let go.
int trackDrag(int f, const plot::BlockView& v) {
  const int win = plot::kPlotWindowBase + f;
  int last = HorizPosition;
  while (rt::Button()) {
    rt::trackingPump();
    const int x = rt::pointerIn(win).x;
    if (x == last) continue;
    xorBand(f, HorizPosition, last);
    xorBand(f, HorizPosition, x);
    last = x;
    dragReadout(f, v, x);
  }
  xorBand(f, HorizPosition, last);
  return last;
}

void setBlock(int f, const plot::BlockPick& p) {
  BeginBlock[f] = p.begin;
  EndBlock[f] = p.end;
  FileSHORTS[f][11] = p.left;
  FileSHORTS[f][12] = p.right;
  FileSHORTS[f][2] = p.state;
}

// Swallows a click while only the block is to be drawn, printed or saved.
void swallowClick() {
  while (rt::Button()) rt::trackingPump();
  rt::FlushEvents();
  action = eventID = 0;
}

}  // namespace

void HandleMOUSE() {
  const int f = TheFileInUse;
  const int win = plot::kPlotWindowBase + f;
  if (!slotIsOpen(f) || !rt::windowExists(win)) return;
  // Only a press in the plot window of the file in use selects; elsewhere it does nothing.
  if (rt::mouseWindow() != win) return;
  HorizPosition = int16_t(std::clamp(rt::mousePoint().x, -32000, 32000));
  rt::setCursor(rt::Cursor::Arrow);
  SetCrossCursor();
  plot::closeHistograms();
  if (printblock) {
    swallowClick();
    return;
  }
  const plot::BlockView v = plot::blockViewOfSlot(f);
  if (v.kind == plot::BlockViewKind::Paged && v.xstep == 1) {
    FileSHORTS[f][11] = plot::pixelWord(double(BeginBlock[f]) - double(v.pageStart()));
    FileSHORTS[f][12] = plot::pixelWord(double(EndBlock[f]) - double(v.pageStart()));
  }
  rt::setOutputWindow(win);
  rt::penNormal();
  rt::foreColor(kBlack);

  // The old highlight goes as soon as a new selection begins.
  bool oldRemoved = false;
  auto removeOld = [&] {
    if (!oldRemoved && FileSHORTS[f][2] == 2) RefreshPLOTBLOCK(0);
    oldRemoved = true;
  };
  const int16_t h = HorizPosition;
  int released = h;
  if (rt::Button()) {
    if (prefsArray[7] && FileSHORTS[f][2] != 3) lobeep();
    removeOld();
    released = trackDrag(f, v);
  }

  bool complete = true;
  if (released != h) {
    if (prefsArray[29]) PlaySound("upvip.mp3");
    if (FileSHORTS[f][2] == 3) RefreshPLOTBLOCK(0);
    setBlock(f, plot::dragBlock(v, h, released));
    RefreshPLOTBLOCK(0);
  } else if (prefsArray[36]) {
    removeOld();
    if (FileSHORTS[f][2] == 3) RefreshPLOTBLOCK(0);
    setBlock(f, plot::fixedWidthBlock(v, h, ABunit, automaticBlockPixels(ABunit, Xstep, ScreenWidth, nCases[f])));
    if (!blockPicking()) RefreshPLOTBLOCK(0);
    hibeep();
  } else if (FileSHORTS[f][2] != 3) {
    removeOld();
    setBlock(f, plot::firstClick(v, h));
    RefreshPLOTBLOCK(0);
    complete = false;
  } else {
    plot::BlockPick first;
    first.begin = BeginBlock[f];
    first.left = FileSHORTS[f][11];
    RefreshPLOTBLOCK(0);
    setBlock(f, plot::secondClick(v, first, h));
    if (!blockPicking()) RefreshPLOTBLOCK(0);
    hibeep();
  }

  if (complete) {
    chanB = ActiveChannel;
    rt::penNormal();
    if (FileSHORTS[f][2] == 2 && FileSHORTS[f][7] != 2) DrawBLOCK();
    // A pick for another tool (PlotDialogMode 99) must not open the last analysis inside it.
    if (FileSHORTS[f][2] == 2 && AnalysisCode > 0 && prefsArray[14] && PlotDialogMode != 99) AUTO_REPEAT();
  }
  rt::penNormal();
  SETMENU(1);
  if (rt::windowExists(win)) rt::setOutputWindow(win);
}

}  // namespace qv
