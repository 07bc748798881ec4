#pragma once
// The lag panels of the time-series window: each sample Y(t) of a block against a later one,
// Y(t + lag + p step), as a mask of lit pixels. Plain functions over a channel's samples
// (index = case number); a pair holding a gap is left out.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace qv {

constexpr int kPanelWidth = 100, kPanelHeight = 94;

// The pixel column (0..99) or row (0..93, 0 at the top) of each case of the block, from the
// block's range lo..hi taken once; a range of 0 puts everything at mid-panel. 255 marks a gap.
struct PanelPlaces {
  int32_t begin = 0;
  std::vector<uint8_t> column, row;  // index t - begin
};
PanelPlaces panelPlaces(std::span<const float> y, int32_t begin, int32_t end, float lo, float hi);

// One panel: x = Y(t), y = Y(t + offset) for t = begin..end - offset. mask[row * 100 + column]
// is 1 where a point falls; the count of pairs plotted is returned. An offset past the block
// leaves the panel empty.
int64_t panelMask(const PanelPlaces& places, int64_t offset, std::vector<uint8_t>& mask);

// The panel's time, (p step + lag) dt in seconds, and its label as the screen and the page
// write it: " step" + seconds + " sec" below 600 s, else minutes + " min".
double panelSeconds(int32_t p, int32_t lag, int32_t step, float dt);
std::string panelLabel(double seconds);
std::string printedPanelLabel(double seconds);

}  // namespace qv
