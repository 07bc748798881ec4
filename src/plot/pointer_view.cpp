#include "plot/pointer_view.h"

#include "core/filetable.h"
#include "core/view_state.h"
#include "plot/plot_state.h"

namespace qv {

PointerView plotPointerView(int f, int width) {
  PointerView v;
  v.nCases = nCases[f];
  v.screenWidth = ScreenWidth;
  v.windowWidth = width;
  v.zoomed = FileSHORTS[f][6] != 0;
  v.compressed = FileSHORTS[f][4] != 0;
  v.zoomLeft = zoomleft[f];
  v.zoomRight = zoomright[f];
  v.xstep = Xstep;
  v.page = FileSHORTS[f][1];
  return v;
}

}  // namespace qv
