#pragma once
// One pass of a loop that asks the user to point at the plot of the file in use.
#include <cstdint>
#include <optional>

namespace qv::pick {

struct PlotPointer {
  int x = 0, y = 0;
  bool inside = false;            // within the plot region
  std::optional<int32_t> kase;    // the case a click here picks (the view's own mapping)
};

// Reads the pointer over the plot window of slot f, shows the cross cursor inside and the
// arrow outside, and writes the case under it into the data bar when the column changed
// (lastX keeps the column last shown).
PlotPointer followPointer(int f, int& lastX);

}  // namespace qv::pick
