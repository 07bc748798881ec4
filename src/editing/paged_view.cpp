#include "editing/paged_view.h"

#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/view_state.h"
#include "plot/block_support.h"
#include "plot/marker_order.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"

namespace qv {

SavedViews enterPagedView(int f) {
  SavedViews s;
  s.zoomed = FileSHORTS[f][6] != 0;
  s.zoomLeft = zoomleft[f];
  s.zoomRight = zoomright[f];
  s.wholeFile = FileSHORTS[f][4];
  s.multiChannel = FileSHORTS[f][kViewModeWord];
  if (s.zoomed) {
    FileSHORTS[f][6] = 0;
    FileSHORTS[f][1] = int16_t(markers::pageOf(zoomleft[f], ScreenWidth));
    const int win = plot::kPlotWindowBase + f;
    if (rt::controlExistsIn(win, kPlotSlider)) {
      rt::setOutputWindow(win);
      rt::setControlValue(kPlotSlider, FileSHORTS[f][1]);
    }
  }
  FileSHORTS[f][4] = 0;
  FileSHORTS[f][kViewModeWord] = 0;
  if (s.zoomed || s.wholeFile || s.multiChannel) DrawPlot(0, 0, 0, 1);
  return s;
}

void leavePagedView(int f, const SavedViews& s) {
  FileSHORTS[f][4] = s.wholeFile;
  FileSHORTS[f][kViewModeWord] = s.multiChannel;
  if (s.zoomed) {
    zoomleft[f] = s.zoomLeft;
    zoomright[f] = s.zoomRight;
    FileSHORTS[f][6] = 1;
    ZoomEffect();
    if (s.multiChannel) RefreshMULTICHAN();
    else DrawPlot(0, 0, 0, 1);
    RestoreTheToolBar();
    if (rt::controlExistsIn(kToolBarWindow, 589)) {
      rt::setOutputWindow(kToolBarWindow);
      rt::setControlShown(589, false);
      rt::setButtonState(589, 0);
      rt::setControlShown(590, true);
      rt::setButtonState(590, 1);
    }
  } else if (s.wholeFile && !s.multiChannel) {
    UpdateSCREEN(0, 1);
  } else {
    RefreshSCREEN();
  }
  RestoreTheToolBar();
}

}  // namespace qv
