#pragma once
// What the ground needs to know of the plot on screen: where it ends, for placing tool
// windows beside and below it, and the channel it shows, which the channel lists offer first.
#include <cstdint>

namespace qv {

// Plot area of the plot windows: its width in pixels and the bottom of the traces. The
// plot window in front defines them.
extern int16_t ScreenWidth;
extern int16_t ScreenHeight;
extern int16_t BottomOfPlotArea;
// The channel on the plot.
extern int16_t ActiveChannel;

}  // namespace qv
