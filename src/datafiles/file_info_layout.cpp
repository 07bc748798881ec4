#include "datafiles/file_info_layout.h"

#include "core/screen_place.h"

namespace qv {

int fileInfoExtra(int channels) { return channels > 16 ? 13 * channels - 208 : 0; }

rt::Rect fileInfoWindowRect(int mode, rt::Rect plot, int bottomOfPlotArea, int channels, rt::Rect screen) {
  const int extra = fileInfoExtra(channels);
  const int width = mode == 0 ? 316 : 838;
  rt::Rect r;
  if (mode == 2) {
    r = {10, 70, width + 10, extra + 331};
  } else {
    const int top = plot.top + bottomOfPlotArea + 88;
    r = {plot.left, top, plot.left + width, top + 259 + extra};
  }
  return placeOnScreen(r, screen);
}

}  // namespace qv
