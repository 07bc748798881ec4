#pragma once
// The tool bar's buttons and where they go: a pure function of the bar's width and its
// layout (one vertical column of rows, or horizontal rows that wrap).
#include <cstdint>
#include <string>
#include <vector>

#include "runtime/geometry.h"

namespace qv::plot {

// Width and gap before a button in one layout.
struct ToolSize {
  int16_t width, gap;
};

struct ToolButton {
  int16_t id;          // negative: placed but hidden until a block is set
  std::string title;   // UTF-8
  ToolSize horizontal, vertical;
};

// The 48 buttons in their horizontal order.
const std::vector<ToolButton>& toolButtons();

// The vertical bar is this wide; its buttons are 24 pixels high, 21 on a horizontal bar.
constexpr int kVerticalBarWidth = 89;
constexpr int kRowStep = 23;

struct PlacedTool {
  int16_t id;  // as in the table (negative ids start hidden)
  std::string title;
  rt::Rect rect;
};

// Every button placed on a bar of content width `barWidth` (vertical: place 0).
std::vector<PlacedTool> layoutTools(int barWidth, bool vertical);

// The height a horizontal bar needs for its rows: 24 pixels for one row, 23 more for each
// further row.
int horizontalBarHeight(const std::vector<PlacedTool>& placed);

}  // namespace qv::plot
