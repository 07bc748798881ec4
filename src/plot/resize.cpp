// After the user resized a plot window: the plot geometry taken from the new size, the view
// redrawn, the bars and the block window rebuilt, and the comments window moved along.
#include <algorithm>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot/strip_layout.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kCommentWindow = 3;
constexpr int kMarkersButton = 332, kWidthField = 17, kControl100 = 100;

void blockDurationField(int f) {
  if (ScreenWidth < 832 || !rt::controlExists(kWidthField)) return;
  const bool hasBlock = FileSHORTS[f][kBlockStateWord] == 2;
  const double seconds = (double(EndBlock[f]) - double(BeginBlock[f])) * FileInfoFLOATS[f][1];
  rt::setEditText(kWidthField, plot::blockDurationText(hasBlock, seconds));
}

void rebuildBlockWindow(int f) {
  const rt::Rect screen = rt::screenRect();
  const bool hasBlock = FileSHORTS[f][kBlockStateWord] == 2;
  const int below = prefsArray[2] ? 72 : 132;
  const int present = hasBlock && rt::windowExists(2) ? rt::windowContentRect(2).height() : 240;
  BlockWindowRight = ScreenWidth;
  BlockWindowBottom = int16_t(std::min(screen.height(), BottomOfPlotArea + below + present));
  rt::closeWindow(2);
  rt::closeWindow(2002);
  BlockWindowIsOpen = 0;
  OPENBLOCKWINDOW();
  DrawBLOCK();
  FixTheCommentsWindow();
}

}  // namespace

void ResizeTheMainWindow(int16_t rebuild) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(1000 + f)) return;
  const int win = 1000 + f;
  rt::setOutputWindow(win);
  rt::removeControl(kMarkersButton);
  const rt::Rect content = rt::windowContentRect(win);
  ScreenWidth = int16_t(std::clamp(content.width(), 1, 32767));
  BottomOfPlotArea = int16_t(std::clamp(content.height() - 38, 40, 32767));
  PlotHeight = int16_t(std::clamp(content.height() - 78, 1, 32767));
  rt::removeControl(kPlotSlider);
  rt::removeControl(kWidthField);
  rt::removeControl(kControl100);
  if (prefsArray[30] && prefsArray[33]) {
    ToolBar();
    rt::setOutputWindow(win);
  }
  const int16_t sounds = prefsArray[7];
  prefsArray[7] = 0;
  if (FileSHORTS[f][kViewModeWord] != 0) {
    CustomScreenPlot = 0;
    DrawALLCHANNELS(0);
    RefreshPLOTBLOCK(0);
  } else {
    DrawPlot(0, 0, 0, 1);
  }
  prefsArray[7] = sounds;
  rt::setOutputWindow(win);
  MakeChannelSelectionsPopUp();
  rt::setOutputWindow(win);
  if (nCases[f] > ScreenWidth) MakeSlider();
  rt::setOutputWindow(win);
  blockDurationField(f);
  if (rebuild) rebuildBlockWindow(f);
  rt::setOutputWindow(win);
}

void FixTheCommentsWindow() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || !rt::windowExists(kCommentWindow) || !rt::windowExists(1000 + f)) return;
  // The same place the comments window is built at: below the plot, past the data bar's start.
  const rt::Rect plot = rt::windowContentRect(1000 + f);
  rt::moveWindow(kCommentWindow, plot.left + 331, plot.bottom + 30);
}

}  // namespace qv
