#include "plot/block_support.h"

#include "core/filetable.h"
#include "core/prefs.h"
#include "plot/draw_support.h"
#include "plot/plot_state.h"
#include "runtime/menus.h"
#include "runtime/windows.h"

namespace qv::plot {

BlockView blockViewOfSlot(int f) {
  const bool multi = f >= 0 && f < kSlots && FileSHORTS[f][7] != 0;
  return blockViewOf(viewOfSlot(f), multi);
}

int highlightBottom(int f) {
  if (f >= 0 && f < kSlots && FileSHORTS[f][7] != 0) return LastBottom;
  return BottomOfPlotArea - 3;
}

void closeHistograms() {
  for (int w = kFirstHistogramWindow; w <= kLastHistogramWindow; ++w) rt::closeWindow(w);
}

rt::Point blockWindowOrigin(int f) {
  const rt::Rect plot = rt::windowContentRect(kPlotWindowBase + f);
  return {plot.left + 331, plot.top + BottomOfPlotArea + (prefsArray[2] ? 99 : 170)};
}

void setMenuItem(int menu, int item, int state) {
  if (rt::menuExists(menu) && item <= rt::menuItemCount(menu)) rt::menuSetItemState(menu, item, state);
}

}  // namespace qv::plot
