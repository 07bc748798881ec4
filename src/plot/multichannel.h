#pragma once
// The strips of the multi-channel view, as the redraws, the picker and the set-up windows
// share them.
#include <cstdint>
#include <vector>

namespace qv::plot {

// Channels of slot f that have a strip (row 1 of OverlayArray), in channel order.
std::vector<int> shownChannels(int f);
// Flags channel 1 when no channel has a strip, sets LastMCH and, unless custom heights are
// kept, gives the shown channels equal strips (display words 8, 9, 11, 12).
void layOutStrips(int f);
// The strip of channel ch in the output window, scaled by `mode` (-1: the channel's fixed
// limits); the scale globals and ActiveChannel are as before afterwards.
void drawStrip(int f, int ch, int16_t mode);

}  // namespace qv::plot

namespace qv::plot {
// Back to the single-channel view of slot f: the strips' flags (row 1) cleared, their
// buttons and the picker gone, the single plot drawn and the menus of that view enabled.
void returnToSingleView(int f);
}  // namespace qv::plot
