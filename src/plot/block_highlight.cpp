// The block's highlight on the plot (an exclusive-or box, or the line of a pending first
// edge), clearing the block and bringing the last one back, and the block-window refresh.
#include <algorithm>
#include <cmath>

#include "core/colors.h"
#include "core/filetable.h"
#include "plot/menu_rules.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "plot/block_support.h"
#include "plot/block_texts.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kTop = 31;
constexpr int kWidthField = 17;
constexpr rt::RGB kBlack{0, 0, 0};

// The block kept for a slot lies inside its file and is not empty.
bool keptBlockIsValid(int f) { return BeginBlock[f] >= 1 && EndBlock[f] > BeginBlock[f] && EndBlock[f] <= nCases[f]; }

void writeWidthField(int f, const std::string& text, rt::RGB background) {
  const int win = plot::kPlotWindowBase + f;
  if (ScreenWidth < 832 || !rt::controlExistsIn(win, kWidthField)) return;
  rt::setEditTextIn(win, kWidthField, text);
  const int saved = rt::outputWindow();
  rt::setOutputWindow(win);
  rt::setEditColors(kWidthField, kBlack, background);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

}  // namespace

void RefreshPLOTBLOCK(int16_t strip) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(plot::kPlotWindowBase + f)) return;
  const int16_t state = FileSHORTS[f][2];
  if (state != 2 && state != 3) return;
  if (state == 3 && prefsArray[22] == 10) return;  // block picking draws no edge lines

  int top = kTop, bottom = plot::highlightBottom(f);
  if (strip > 0 && strip <= kMaxChannels) {
    const plot::StripEdges e = plot::stripOfChannel(f, strip);
    bottom = std::min(e.bottom, int(LastBottom));
    top = std::max(e.top, kTop);
  }
  const int saved = rt::outputWindow();
  rt::setOutputWindow(plot::kPlotWindowBase + f);
  rt::penNormal();
  rt::penMode(rt::kPatXor);
  rt::foreColor(kBlack);
  const plot::BlockView v = plot::blockViewOfSlot(f);
  if (state == 2) {
    const plot::Highlight h = plot::highlightOf(v, BeginBlock[f], EndBlock[f], FileSHORTS[f][11], FileSHORTS[f][12]);
    FileSHORTS[f][11] = h.left;
    FileSHORTS[f][12] = h.right;
    if (h.boxLeft && bottom > top) rt::paintRect({*h.boxLeft, top, *h.boxRight + 1, bottom});
  } else if (const auto x = plot::edgeLineOf(v, BeginBlock[f], FileSHORTS[f][11])) {
    FileSHORTS[f][11] = int16_t(*x);
    rt::moveTo(*x, bottom);
    rt::lineTo(*x, top);
  }
  rt::penNormal();
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

void CLEARBLOCK() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  plot::closeHistograms();
  RefreshPLOTBLOCK(0);
  FileSHORTS[f][2] = 0;
  downvip();
  if (FileSHORTS[f][7] != 2) {
    const int win = plot::kPlotWindowBase + f;
    if (rt::windowExists(win)) rt::setOutputWindow(win);
    writeWidthField(f, "      none", rgbyellow);
    rt::backColor(gray);
    SETMENU(0);
    OPENBLOCKWINDOW();
    if (rt::windowExists(win)) rt::setOutputWindow(win);
  }
  if (EndBlock[f] <= nCases[f] && EndBlock[f] > BeginBlock[f])
    plot::setMenuItem(plot::kEditMenu, plot::kResetLastBlockItem, 1);
}

void ResetLastBlock() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || FileSHORTS[f][2] == 2 || !keptBlockIsValid(f)) return;
  FileSHORTS[f][2] = 2;
  RefreshPLOTBLOCK(0);
  const double seconds = double(EndBlock[f] - BeginBlock[f]) * FileInfoFLOATS[f][1];
  writeWidthField(f, plot::blockWidthText(seconds), LightGray);
  DrawBLOCK();
  plot::setMenuItem(plot::kEditMenu, plot::kResetLastBlockItem, 0);
  SETMENU(1);
  const int win = plot::kPlotWindowBase + f;
  if (rt::windowExists(win)) rt::setOutputWindow(win);
}

void REFRESHBLOCK() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  const bool set = FileSHORTS[f][2] == 2;
  if (!set && !prefsArray[20]) return;
  if (rt::windowExists(plot::kBlockWindow)) rt::setOutputWindow(plot::kBlockWindow);
  if (set) DrawBLOCK();
}

}  // namespace qv
