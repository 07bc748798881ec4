#include "output/scaling_layout.h"

#include <algorithm>

namespace qv {

namespace {

constexpr int kColumnWidth = 528, kRowStep = 22, kBelowRows = 51, kMinHeight = 315;

int heightFor(int rows) { return std::max(kMinHeight, kRowStep * rows + kBelowRows); }

ScalingRowPlace rowPlace(int k, int x0, int y) {
  ScalingRowPlace r;
  r.caption = {x0 + (k < 10 ? 9 : 3), y + 9};
  // The label starts a little right of its old place: "channel 40," in the desktop's font
  // reaches x 77.
  r.label = {x0 + 83, y - 2, x0 + 265, y + 12};
  r.multiply = {x0 + 271, y - 5, x0 + 287, y + 11};
  r.divide = {x0 + 293, y - 5, x0 + 309, y + 11};
  r.factor = {x0 + 320, y - 2, x0 + 405, y + 10};
  r.plus = {x0 + 412, y + 9};
  r.constant = {x0 + 428, y - 2, x0 + 518, y + 10};
  return r;
}

}  // namespace

ScalingLayout scalingWindowLayout(int channels, int maxHeight) {
  ScalingLayout l;
  const int n = std::max(0, channels);
  const int rowsThatFit = std::max(1, (maxHeight - kBelowRows) / kRowStep);
  l.columns = std::max(1, (n + rowsThatFit - 1) / rowsThatFit);
  l.rowsPerColumn = (n + l.columns - 1) / l.columns;
  l.width = kColumnWidth * l.columns;
  l.height = heightFor(l.rowsPerColumn);
  for (int k = 1; k <= n; ++k) {
    const int column = (k - 1) / std::max(1, l.rowsPerColumn), row = (k - 1) % std::max(1, l.rowsPerColumn) + 1;
    l.rows.push_back(rowPlace(k, column * kColumnWidth, kRowStep * row));
  }
  l.lineY = kRowStep * l.rowsPerColumn + 19;
  l.lineRight = l.width - 8;
  // The buttons stay at their place under the last column.
  const int x0 = l.width - kColumnWidth;
  l.clearAll = {x0 + 200, l.height - 27, x0 + 330, l.height - 6};
  l.done = {x0 + 360, l.height - 27, x0 + 500, l.height - 6};
  return l;
}

}  // namespace qv
