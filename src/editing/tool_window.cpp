#include "editing/tool_window.h"

#include <algorithm>

#include "core/filetable.h"
#include "core/kit.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "plot/plot.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

void keepToolWindowOnScreen(int window, int height) {
  if (!rt::windowExists(window)) return;
  rt::Rect r = rt::windowContentRect(window);
  if (r.bottom - r.top < height) r.bottom = r.top + height;
  // Room for the title bar above the content.
  const rt::Rect screen = rt::screenRect();
  const int excess = r.bottom - screen.bottom;
  if (excess > 0) {
    const int up = std::min(excess, std::max(0, r.top - screen.top - 24));
    r.top -= up;
    r.bottom -= up;
  }
  r.bottom = std::min(r.bottom, screen.bottom);
  rt::setWindowContentRect(window, r);
}

rt::Rect besideThePlot(int width, int height) {
  const rt::Rect screen = rt::screenRect();
  const int plotWindow = 1000 + TheFileInUse;
  rt::Rect plot = rt::windowExists(plotWindow) ? rt::windowContentRect(plotWindow) : rt::Rect{0, 60, 0, 300};
  int left = plot.right + 8;
  if (left + width > screen.right) left = screen.right - width - 8;
  int top = std::clamp(plot.top + 40, screen.top + 24, std::max(screen.top + 24, screen.bottom - height - 8));
  left = std::max(left, screen.left);
  return {left, top, left + width, top + height};
}

void redrawAfterReshape(int f, bool wholeFile) {
  if (!rt::windowExists(1000 + f)) return;
  rt::bringWindowForward(1000 + f);
  if (FileSHORTS[f][kViewModeWord] != 0) {
    if (!wholeFile) ChangedChan = ActiveChannel;
    DrawALLCHANNELS(wholeFile ? 0 : ActiveChannel);
    if (wholeFile) MakeSlider();
    RefreshSCREEN();
    return;
  }
  FindMinMax();
  DrawPlot(0, 0, 0, 1);
  MakeSlider();
}

std::string fixedLabel(std::string_view typed) {
  return rt::fitChars(typed, kLabelWidth);
}

}  // namespace qv
