#pragma once
// Where the controls of "Cross-channel Subset Selection" go for a file of n channels: a row a
// channel with its label and the greater, less and equal conditions; a list too tall for the
// screen is set in columns side by side, each under its own column titles.
#include <array>
#include <vector>

#include "runtime/geometry.h"

namespace qv {

struct SubsetRowPlace {
  rt::Rect label;
  std::array<rt::Rect, 3> box, field;  // greater, less, equal
};

struct SubsetLayout {
  int width = 0, height = 0;
  int columns = 1, rowsPerColumn = 0;
  rt::Point heading;                        // base line of "use when these channel values are:"
  std::vector<std::array<rt::Point, 3>> titles;  // per column, base lines of " > ", "< ", " = "
  std::vector<SubsetRowPlace> rows;         // rows[c - 1] for channel c
  rt::Rect setIndex, clearAll, done;
};

// `maxHeight` is the tallest the window may be; one column 530 wide and 22n + 110 high while
// that fits.
SubsetLayout subsetWindowLayout(int channels, int maxHeight);

}  // namespace qv
