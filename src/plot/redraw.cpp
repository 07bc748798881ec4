// The redraw entry points that commands call after they changed data or the view. Each
// redraws whichever view the file in use shows (FileSHORTS word 7): the single-channel plot
// through DrawPlot, which also draws the block highlight once on the fresh picture, or the
// strips of the multi-channel view.
#include <algorithm>

#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/popups.h"
#include "core/undo.h"
#include "core/prefs.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "core/output_state.h"
#include "runtime/windows.h"

namespace qv {

namespace {

bool multiChannelView() {
  const int f = TheFileInUse;
  return slotIsOpen(f) && FileSHORTS[f][kViewModeWord] != 0;
}

void makePlotCurrent() {
  const int f = TheFileInUse;
  if (slotIsOpen(f) && rt::windowExists(1000 + f)) rt::setOutputWindow(1000 + f);
}

}  // namespace

void RefreshSCREEN() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  makePlotCurrent();
  rt::setCursor(rt::Cursor::Wait);
  if (multiChannelView()) {
    RefreshMULTICHAN();
    // The strips leave the header, the markers and the time and date to the caller; the
    // single view's DrawPlot draws all three itself, and markers drawn a second time over
    // the block highlight would stay behind when the highlight is removed.
    if (PortForResultsOutput != 0) DRAWLABELSTUFF();
    if (prefsArray[10] == 1 && FileSHORTS[f][kMarkerCountWord] > 0) DRAWMARKERS(0, 1);
    DRAWTIMEDATE();
  } else {
    LastBottom = BottomOfPlotArea;
    DrawPlot(0, 0, 1, 0);
  }
  rt::setCursor(rt::Cursor::Arrow);
}

void ScaleChangeREDRAW(int16_t) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  if (!multiChannelView()) {
    DrawPlot(0, 0, 0, 1);
    return;
  }
  // The full redraw repaints every strip, the changed one included, and draws the markers;
  // the highlight goes once on the fresh picture.
  RefreshMULTICHAN();
  RefreshPLOTBLOCK(0);
  MultiChannelIndicator();
}

void UpdateSCREEN(int16_t newChannel, int16_t quiet) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  rt::setCursor(rt::Cursor::Wait);
  if (FileSHORTS[f][kBlockStateWord] == 2) DrawBLOCK();
  // DrawPlot takes the active channel's scale (its limits or FindMinMax) itself.
  if (!multiChannelView()) {
    DrawPlot(0, 0, 0, 0);
  } else if (newChannel != 0 && (newChannel == 22 || prefsArray[23])) {
    // A command may have made a channel: the user says again which channels to show.
    const int16_t mode = FileSHORTS[f][kViewModeWord];
    if (newChannel == 22) FileSHORTS[f][kViewModeWord] = 0;
    MultiChannelDisplay(0);
    MultiChannelIndicator();
    if (FileSHORTS[f][kViewModeWord] == 0 && newChannel == 22) FileSHORTS[f][kViewModeWord] = mode;
  } else if (!quiet && ChangedChan >= 1 && ChangedChan <= kMaxChannels && overlayFlag(f, 1, ChangedChan)) {
    DrawALLCHANNELS(ChangedChan);
    RefreshPLOTBLOCK(ChangedChan);
  }
  makePlotCurrent();
  rt::setCursor(rt::Cursor::Arrow);
}

void DrawNewChan(int16_t quiet) {
  chanB = ActiveChannel;
  UpdateSCREEN(0, quiet);
  MakeNewChan = 1;
}

void CHANNELCHANGE(int16_t channel) {
  const int f = TheFileInUse;
  if (channel <= 0 || !slotIsOpen(f)) return;
  ActiveChannel = std::min<int16_t>(channel, nChannels[f]);
  chanB = ActiveChannel;
  UpdateSCREEN(0, 0);
  // A change that did not come through the popup (a replayed step) still shows in it.
  MakeChannelSelectionsPopUp();
  MakeNewChan = 1;
  makePlotCurrent();
}

}  // namespace qv
