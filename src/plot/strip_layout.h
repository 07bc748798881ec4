#pragma once
// The arithmetic of the multi-channel view, apart from any window: equal strips from the
// shown channels, custom heights from the clicks of the strip-heights window, the pixels per
// case of a printed block and the block duration of the data bar. Plain values in and out.
#include <cstdint>
#include <string>
#include <vector>

namespace qv::plot {

// Display words of one strip: word 8 (height) and word 9 (base); word 11 is base - 2.
struct StripWords {
  int channel = 0;
  float height = 0, base = 0;
};

// Equal strips from the top of the data area (row 31) down to `bottomOfPlotArea`, one per
// channel in `shown` (in channel order); the rows the integer division leaves over stay
// empty at the bottom. An empty list gives channel 1 alone.
std::vector<StripWords> equalStrips(std::vector<int> shown, int bottomOfPlotArea);

// The example area of the strip-heights window: rows base..Y, a strip of p example pixels is
// p * factor high, and its word 9 is (bottom - base) * factor + offset.
struct HeightsFrame {
  double base = 0, Y = 0, factor = 1, offset = 0;
};

// The least height (example pixels) kept for every strip still to come: 16, or less when
// n strips of 16 do not fit the band, never below 1.
int leastStripHeight(const HeightsFrame& fr, int n);

// Where a click at row y puts the bottom of a strip whose top is `top` when `remaining`
// strips follow it: held inside top + least .. Y - remaining * least - 1.
double clampedPick(const HeightsFrame& fr, double top, int remaining, int least, double y);

// Strips from the clicked bottoms (one per strip but the last, already clamped): heights
// and bases in the frame's units; the last strip takes the rest down to Y.
std::vector<StripWords> pickedStrips(const HeightsFrame& fr, const std::vector<int>& channels,
                                     const std::vector<double>& bottoms);

// Pixels per case when only the block [first, last] is drawn across the width.
double blockPixelsPerCase(int screenWidth, int32_t first, int32_t last);

// The data bar's block duration: below 120 s in seconds (the number cut to 7 characters),
// else in minutes; "      none" without a block.
std::string blockDurationText(bool hasBlock, double seconds);

}  // namespace qv::plot
