#pragma once
// An edit that works on the single plot while the multi-channel view is on switches the view
// off for its length and back on at its end.
#include <cstdint>

namespace qv {

struct SinglePlotSwitch {
  bool switched = false;
  int16_t overlay = 0;
  int16_t viewMode = 0;
};

// Switches the multi-channel view of the file in use off (the overlay switch saved and
// cleared, the multi-channel scale mode taken over) and redraws the single plot.
SinglePlotSwitch enterSinglePlot();
// Puts the view back when it was switched off: overlay switch, view mode, the edited
// channel's strip redrawn with the rest.
void leaveSinglePlot(const SinglePlotSwitch& s);

}  // namespace qv
