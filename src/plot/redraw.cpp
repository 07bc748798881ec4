// The redraw entry points that commands call after they changed data or the view. Each
// redraws whichever view the file in use shows (FileSHORTS word 7): the single-channel plot
// through DrawPlot, which also draws the block highlight once on the fresh picture, or the
// strips of the multi-channel view.
#include "core/filetable.h"
#include "core/prefs.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "output/output_state.h"
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
  if (!slotIsOpen(TheFileInUse)) return;
  if (multiChannelView()) RefreshMULTICHAN();
  else DrawPlot(0, 0, 0, 1);
}

void UpdateSCREEN(int16_t, int16_t quiet) {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  rt::setCursor(rt::Cursor::Wait);
  if (FileSHORTS[f][kBlockStateWord] == 2) DrawBLOCK();
  // DrawPlot takes the active channel's scale (its limits or FindMinMax) itself.
  if (!multiChannelView()) DrawPlot(0, 0, 0, 0);
  else if (!quiet) DrawONEmultichan();
  makePlotCurrent();
  rt::setCursor(rt::Cursor::Arrow);
}

void DrawNewChan(int16_t quiet) {
  chanB = ActiveChannel;
  UpdateSCREEN(0, quiet);
  MakeNewChan = 1;
}

}  // namespace qv
