#pragma once
// Duplicating a channel: the pieces that do not touch a window.
#include <cstdint>
#include <string>

namespace qv {

// The channel the last copy made.
extern int16_t DestinationChannel;

// The label a copy of the scratch channel (an FFT's result) gets: "FFT: channel", the block
// window's channel, ";", the points of the transform and " points", cut to 30 characters.
std::string scratchChannelLabel(int16_t blockChannel, int32_t halfWidth);

// A copy's display row of 41 words: words 0..13 of the source, word 1 moved by 100 so the
// copy's trace is told apart; words 14..40 of the destination are left as they are.
void copyDisplayRow(const float* source, float* destination);

}  // namespace qv
