#pragma once
// Tools that take clicks on the plot work on the paged single-channel view: zoom, the
// whole-file view and the multi-channel view are switched off while they run and put back
// when they end.
#include <cstdint>

namespace qv {

struct SavedViews {
  bool zoomed = false;
  int32_t zoomLeft = 0, zoomRight = 0;
  int16_t wholeFile = 0, multiChannel = 0;
};

// Switches slot f to the paged view (the page that shows the zoom's left edge) and redraws.
SavedViews enterPagedView(int f);
// Puts the views back and redraws.
void leavePagedView(int f, const SavedViews& s);

}  // namespace qv
