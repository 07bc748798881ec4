#include "plot/toolbar_layout.h"

#include <algorithm>

#include "core/text_constants.h"
#include "runtime/macroman.h"

namespace qv::plot {

namespace {

std::vector<ToolButton> buildTable() {
  const std::string leftGuillemet = rt::macRomanChar(199), rightGuillemet = rt::macRomanChar(200);
  // The vertical title of the change-block button is longer; it is swapped in by layoutTools.
  return {
      {598, "Info", {36, 2}, {36, 2}},
      {587, "Dup", {30, 6}, {33, 0}},
      {551, "BsLn", {36, 0}, {38, 6}},
      {552, "RmRf", {38, 0}, {40, 0}},
      {553, "lag", {29, 0}, {40, 0}},
      {554, integral, {19, 0}, {40, 0}},
      {555, derivative, {19, 0}, {40, 0}},
      {556, "Smth", {38, 0}, {40, 0}},
      {557, "Trim", {38, 0}, {40, 0}},
      {558, "Spk", {29, 0}, {40, 0}},
      {559, "VO₂", {36, 0}, {40, 0}},
      {560, "VCO₂", {41, 0}, {40, 0}},
      {561, "VH₂O", {41, 0}, {40, 0}},
      {562, "Transform", {70, 0}, {80, 0}},
      {594, delta + " blk", {38, 0}, {80, 0}},
      {563, "Open", {46, 8}, {80, 10}},
      {564, "Append", {55, 4}, {80, 0}},
      {596, "Stack", {50, 0}, {80, 0}},
      {586, "Save", {36, 4}, {38, 0}},
      {585, "SavAs", {43, 4}, {43, 0}},
      {-565, "Avg", {30, 8}, {40, 6}},
      {-566, "Min", {30, 0}, {40, 0}},
      {-567, "Max", {30, 0}, {40, 0}},
      {-568, summation, {20, 0}, {40, 0}},
      {-569, derivative + "T", {30, 0}, {40, 0}},
      {-570, "Asmp", {39, 0}, {40, 0}},
      {-571, "Poly", {36, 0}, {40, 0}},
      {-572, "Wave", {40, 0}, {40, 0}},
      {-573, "tSer", {36, 0}, {40, 0}},
      {-574, "Regr", {36, 0}, {40, 0}},
      {-575, "tInt", {36, 0}, {40, 0}},
      {-576, "eCnt", {36, 0}, {40, 0}},
      {577, "Nml", {30, 6}, {40, 6}},
      {578, "In" + rt::macRomanChar(175), {30, 0}, {40, 0}},
      {579, "Ms", {22, 0}, {40, 0}},
      {580, "Rdr", {30, 0}, {40, 0}},
      {582, "MCh", {30, 0}, {40, 0}},
      {581, "OvL", {30, 0}, {40, 0}},
      {583, "Cmt", {30, 0}, {40, 0}},
      {584, "Blk", {30, 0}, {40, 0}},
      {588, delta + " View", {45, 0}, {47, 0}},
      {-589, "Zoom In", {57, 6}, {80, 0}},
      {-590, "Zoom Out", {65, 0}, {80, 0}},
      {-591, "Cut Block", {71, 0}, {80, 0}},
      {-592, leftGuillemet + " blk", {38, 6}, {40, 6}},
      {-593, "blk " + rightGuillemet, {38, 0}, {40, 0}},
      {-595, "Del Mkr", {58, 0}, {80, 0}},
      {599, "Key", {44, 2}, {44, 2}},
  };
}

// The vertical order: "Dup" goes after "Blk".
std::vector<ToolButton> verticalOrder(const std::vector<ToolButton>& table) {
  std::vector<ToolButton> v;
  v.reserve(table.size());
  for (const ToolButton& b : table) {
    if (b.id == 587) continue;
    v.push_back(b);
    if (b.id == 594) v.back().title = delta + " block";
    if (b.id == 584) v.push_back(table[1]);
  }
  return v;
}

}  // namespace

const std::vector<ToolButton>& toolButtons() {
  // Built on first use: the symbol strings are set at start-up.
  static const std::vector<ToolButton> table = buildTable();
  return table;
}

std::vector<PlacedTool> layoutTools(int barWidth, bool vertical) {
  const std::vector<ToolButton> order = vertical ? verticalOrder(toolButtons()) : toolButtons();
  std::vector<PlacedTool> placed;
  placed.reserve(order.size());
  int x = 6, y = 1;
  const int height = vertical ? 24 : 21;
  for (const ToolButton& b : order) {
    const ToolSize s = vertical ? b.vertical : b.horizontal;
    int gap = s.gap;
    if (x + s.width + gap > barWidth) {
      x = 6;
      y += kRowStep;
      gap = 0;
    }
    const int left = x + gap;
    placed.push_back({b.id, b.title, {left, y, left + s.width, y + height}});
    x = left + s.width;
  }
  return placed;
}

int horizontalBarHeight(const std::vector<PlacedTool>& placed) {
  int top = 1;
  for (const PlacedTool& p : placed) top = std::max(top, p.rect.top);
  return 24 + (top - 1);
}

}  // namespace qv::plot
