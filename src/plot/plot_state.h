#pragma once
// Shared state of the plot window and the block of the file in use.
#include <cstdint>

namespace qv {

// Plot area of the plot windows: its width in pixels and the bottom of the traces.
extern int16_t ScreenWidth;
extern int16_t ScreenHeight;
extern int16_t BottomOfPlotArea;
extern int16_t LastBottom;
// The channel on the plot, and the channel shown in the block window.
extern int16_t ActiveChannel;
extern int16_t chanB;
// The channel an analysis window works on.
extern int16_t ch;
// The block of the file in use: its first and last case.
extern int32_t BeginBlock;
extern int32_t EndBlock;
// Non-zero while the values of all chosen channels are shown under the pointer.
extern int16_t AllValues;

}  // namespace qv
