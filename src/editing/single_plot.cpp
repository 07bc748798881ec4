#include "editing/single_plot.h"

#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/undo.h"
#include "plot/plot.h"
#include "plot/plot_state.h"

namespace qv {

SinglePlotSwitch enterSinglePlot() {
  SinglePlotSwitch s;
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || FileSHORTS[f][kViewModeWord] == 0) return s;
  s.switched = true;
  s.overlay = prefsArray[25];
  s.viewMode = FileSHORTS[f][kViewModeWord];
  prefsArray[25] = 0;
  FileSHORTS[f][kViewModeWord] = 0;
  ScaleMode = DrawAllScaleMode;
  if (ScaleMode >= 0) FindMinMax();
  DrawPlot(0, 0, 0, 1);
  return s;
}

void leaveSinglePlot(const SinglePlotSwitch& s) {
  const int f = TheFileInUse;
  if (!s.switched || !slotIsOpen(f)) return;
  prefsArray[25] = s.overlay;
  ChangedChan = ActiveChannel;
  FileSHORTS[f][kViewModeWord] = s.viewMode;
  UpdateSCREEN(0, 0);
  DrawALLCHANNELS(0);
}

}  // namespace qv
