#include "stats/subset_layout.h"

#include <algorithm>

namespace qv {

namespace {

// The label takes "40:  " and a label of the format's full 30 characters at 12 points.
constexpr int kLabelWidth = 260;
constexpr int kColumnWidth = kLabelWidth + 270, kRowStep = 22, kAboveRows = 34, kBelowRows = 76;

SubsetRowPlace rowPlace(int x0, int y) {
  SubsetRowPlace r;
  r.label = {x0 + 8, y - 2, x0 + 8 + kLabelWidth, y + 14};
  for (int k = 0; k < 3; ++k) {
    const int x = x0 + kLabelWidth + 12 + 86 * k;
    r.box[size_t(k)] = {x, y, x + 16, y + 14};
    r.field[size_t(k)] = {x + 18, y, x + 78, y + 14};
  }
  return r;
}

}  // namespace

SubsetLayout subsetWindowLayout(int channels, int maxHeight) {
  SubsetLayout l;
  const int n = std::max(0, channels);
  const int rowsThatFit = std::max(1, (maxHeight - kAboveRows - kBelowRows) / kRowStep);
  l.columns = std::max(1, (n + rowsThatFit - 1) / rowsThatFit);
  l.rowsPerColumn = (n + l.columns - 1) / l.columns;
  l.width = kColumnWidth * l.columns;
  l.height = kRowStep * l.rowsPerColumn + kAboveRows + kBelowRows;
  l.heading = {10, 22};
  for (int c = 0; c < l.columns; ++c) {
    const int x0 = c * kColumnWidth;
    const int t = x0 + kLabelWidth + 40;
    l.titles.push_back({rt::Point{t, 44}, rt::Point{t + 88, 44}, rt::Point{t + 172, 44}});
  }
  const int perColumn = std::max(1, l.rowsPerColumn);
  for (int c = 1; c <= n; ++c) {
    const int column = (c - 1) / perColumn, row = (c - 1) % perColumn + 1;
    l.rows.push_back(rowPlace(column * kColumnWidth, kRowStep * row + kAboveRows));
  }
  // The buttons keep their places, centred under the columns.
  const int x0 = (l.width - kColumnWidth) / 2, bottom = l.height - 10;
  const int b = x0 + (kColumnWidth - 480) / 2;
  l.setIndex = {b + 40, bottom - 22, b + 150, bottom};
  l.clearAll = {b + 185, bottom - 22, b + 295, bottom};
  l.done = {b + 330, bottom - 22, b + 440, bottom};
  return l;
}

}  // namespace qv
