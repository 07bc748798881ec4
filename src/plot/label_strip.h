#pragma once
// The label strip: a small window under an analysis window that shows the label of the
// channel button under the pointer. And the printing of the active channel's label.
#include <cstdint>
#include <string_view>

namespace qv {

constexpr int kLabelStripWindow = 966;

// Builds the strip (window 966, hidden) under the current output window; output then
// returns to `returnWindow`.
void MakeButtonChannelLabelWindow(int16_t returnWindow);

// Called after every pass of an analysis window's loop: prefsArray[79] holds the channel
// button under the pointer (1..40: its label is shown) or -99 (the strip is hidden); any
// other value leaves the strip as it is. Output then returns to `returnWindow`.
void ShowButtonChannelLabel(int16_t returnWindow);

// Where printed text goes: the results output route installs its writer here; until one is
// installed, text is drawn into the current output window at the pen, a line end starting
// the next line.
using TextOutputRoute = void (*)(std::string_view text);
void setTextOutputRoute(TextOutputRoute route);
void PrintText(std::string_view text);

// Prints the 30-character label of ActiveChannel and a line end.
void PrintChannelLabel();

}  // namespace qv
