// Button and key events of the plot window and the tool bar: paging, the whole-file view,
// the block buttons, and the buttons that queue a menu command.
#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/menu_state.h"
#include "core/script_state.h"
#include "core/shell_hooks.h"
#include "plot/block_support.h"
#include "plot/geometry.h"
#include "plot/paging.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kPageChange = -kPlotSlider, kCommentsWindow = 3;

int plotWindowOf(int f) { return plot::kPlotWindowBase + f; }
bool multiChannel(int f) { return FileSHORTS[f][7] != 0; }

int pagesOf(int f) {
  return FileSHORTS[f][13] >= 1 ? FileSHORTS[f][13] : plot::pageCount(nCases[f], ScreenWidth);
}

void clearEvent() {
  if (action != 16) eventID = 0;
  PlotDialogMode = 0;
}

void redrawMultiChannel() {
  DrawALLCHANNELS(0);
  RefreshPLOTBLOCK(0);
}

void setSlider(int f, int page) {
  const int w = plotWindowOf(f);
  if (!rt::controlExistsIn(w, kPlotSlider)) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(w);
  rt::setControlValue(kPlotSlider, page);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

// Step 3: a key the main loop handed over. False when the key is not taken.
bool pagingKey(int f) {
  if (PlotDialogMode <= 9 && nCases[f] <= ScreenWidth) return false;
  const int key = eventID;
  if (key == 28 || key == 29) {
    FileSHORTS[f][1] = int16_t(plot::pageAfterKey(FileSHORTS[f][1], pagesOf(f), key));
    action = 1;
    eventID = kPageChange;
  } else if (key == 13 || key == 32) {
    action = 1;
    eventID = 1;
    PlotDialogMode = 0;
  }
  setSlider(f, FileSHORTS[f][1]);
  return true;
}

// Step 5, id 1: the whole-file view on or off (a zoom is undone first).
void toggleWholeView(int f) {
  const bool wasOn = FileSHORTS[f][4] != 0;
  if (multiChannel(f)) {
    FileSHORTS[f][4] = wasOn ? 0 : 1;
    redrawMultiChannel();
  } else if (FileSHORTS[f][6]) {
    FileSHORTS[f][6] = 0;
    FileSHORTS[f][4] = 0;
    DrawPlot(0, 0, 0, 0);
  } else if (nCases[f] > ScreenWidth) {
    FileSHORTS[f][4] = wasOn ? 0 : 1;
    DrawPlot(0, 0, 0, 0);
  }
  if (wasOn && !FileSHORTS[f][4]) BaseLineButton = 1;
}

void pageChanged(int f) {
  if (SliderEvent) FileSHORTS[f][1] = int16_t(rt::controlValueIn(plotWindowOf(f), kPlotSlider));
  FileSHORTS[f][6] = 0;
  const int w = plotWindowOf(f);
  if (rt::controlExistsIn(w, 190)) {
    const int saved = rt::outputWindow();
    rt::setOutputWindow(w);
    rt::setControlShown(190, false);
    if (rt::windowExists(saved)) rt::setOutputWindow(saved);
  }
  LastHorizPosition = 0;
}

// A strip label of the multi-channel view: its channel leaves the view.
void stripLabelClicked(int f, int channel) {
  if (channel < 1 || channel > nChannels[f]) return;
  overlayFlag(f, 1, channel) = 0;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(plotWindowOf(f));
  for (int id = 701; id <= 700 + nChannels[f]; ++id) rt::removeControl(id);
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
  redrawMultiChannel();
}

// Step 6: the tool bar's and the plot's buttons from 551 on.
void highButton(int f, int id) {
  if (id >= 601 && id <= 640) {
    MultiChanSelectorButtonClicked = int16_t(id);
  } else if (id >= 551 && id <= 589) {
    SetMenuButton(int16_t(id));
  } else if (id >= 701 && id <= 798) {
    stripLabelClicked(f, id - 700);
  } else {
    switch (id) {
      case 590:
        MenuIDENTIFIER = 4;
        MenuItem = 7;
        break;
      case 591: hooks::call(hooks::cutBlock, int16_t(1)); break;
      case 592: ShiftBlockLeft(); break;
      case 593: ShiftBlockRight(); break;
      case 594: ChangeBlockButtonClicked = 1; break;
      case 595: hooks::call(hooks::removeMarkersFromBlock); break;
      case 598: hooks::call(hooks::fileInfo, "", "", "", int16_t(1)); break;
      case 599:
        HelpSubject = 266;
        OpenHelpBook();
        break;
      default: break;  // 596 and 597: nothing
    }
  }
  clearEvent();
}

// Step 7: the baseline tools' buttons, then the page kept inside the file and the redraw.
void afterViewChange(int f, int id, int previousPage) {
  if (id == 135 && RunScript) BaseLineButton = 135;
  if (id >= 131 && BaselineON) BaseLineButton = int16_t(id);
  if (id == 1) {
    clearEvent();
    return;
  }
  FileSHORTS[f][1] = int16_t(plot::pageWithin(FileSHORTS[f][1], previousPage, pagesOf(f)));
  setSlider(f, FileSHORTS[f][1]);
  action = 0;
  clearEvent();
  if (FileSHORTS[f][4]) return;
  if (multiChannel(f)) redrawMultiChannel();
  else DrawPlot(0, 0, 0, 0);
}

}  // namespace

void HandlePlotDIALOG() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) {
    PlotDialogMode = 0;
    return;
  }
  const int previousPage = FileSHORTS[f][1];
  if (SliderEvent) {
    action = 1;
    eventID = kPageChange;
  }
  if (PlotDialogMode < 2 || PlotDialogMode > 98) {
    MenuIDENTIFIER = 0;
    MenuItem = 0;
    if (PlotDialogMode != 0 && action == 1 && eventID >= 131) BaseLineButton = eventID;
    if (action == 3 && eventID == kCommentsWindow) {
      hooks::call(hooks::fixComments, uint16_t(0));
      rt::closeWindow(515);
      action = eventID = 0;
      rt::FlushEvents();
      DRAWCOMMENTS();
    }
  } else if (!pagingKey(f)) {
    PlotDialogMode = 0;
    return;
  }
  if (action != 1) {
    clearEvent();
    return;
  }
  const int id = eventID;
  if (id >= 551) {
    highButton(f, id);
    return;
  }
  if (id == 1 && PlotDialogMode == 0) toggleWholeView(f);
  else if (id == kPageChange || id == 26) pageChanged(f);
  afterViewChange(f, id, previousPage);
}

}  // namespace qv
