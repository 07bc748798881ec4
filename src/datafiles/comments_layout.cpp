#include "datafiles/comments_layout.h"

#include <algorithm>

namespace qv {

uint32_t commentLineCount(std::string_view text) { return uint32_t(std::count(text.begin(), text.end(), '\r')); }

CommentsPlace commentsWindowPlace(uint32_t lines, int bottomOfPlotArea, int screenHeight) {
  // The count comes from a text of any length: the height is worked out in 64 bits.
  int64_t h = 16 * int64_t(lines) + 64;
  int top;
  if (h >= 500) top = 100;
  else if (h < 300) h = 300, top = bottomOfPlotArea + 35;
  else top = bottomOfPlotArea - 75;
  h = std::min<int64_t>(h, screenHeight - 120);
  return {int(h), top};
}

std::vector<PanelButton> commentsPanelButtons(int W, int H) {
  const int t = H - 35, b = H - 15;
  return {{5, "?", {W - 446, t, W - 415, b}},
          {6, "Print", {W - 407, t, W - 350, b}},
          {4, "Save Changes", {W - 340, t, W - 230, b}},
          {3, "Show A-D Data", {W - 220, t, W - 105, b}},
          {2, "Done", {W - 95, t, W - 20, b}}};
}

}  // namespace qv
