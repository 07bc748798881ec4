#pragma once
// The comments window's measures: its line count, its height and top, and the buttons of its
// bottom panel for a size of the window.
#include <cstdint>
#include <string_view>
#include <vector>

#include "runtime/geometry.h"

namespace qv {

// Carriage returns in a comment text.
uint32_t commentLineCount(std::string_view text);

struct CommentsPlace {
  int height = 0, top = 0;
};
// Height and top of the window for a comment of `lines` lines; `bottomOfPlotArea` as the plot
// window has it, `screenHeight` the screen's.
CommentsPlace commentsWindowPlace(uint32_t lines, int bottomOfPlotArea, int screenHeight);

struct PanelButton {
  int id;
  const char* title;
  rt::Rect rect;
};
// The buttons of the bottom panel of a window of width W and height H.
std::vector<PanelButton> commentsPanelButtons(int width, int height);

}  // namespace qv
