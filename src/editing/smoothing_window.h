#pragma once
// Settings of the smoothing window that later smoothings start from (when prefsArray[3] keeps
// them), and the step number of its quiet form.
#include <cstdint>

namespace qv {

// Size button (1..10) and cycles of the last smoothing.
extern int16_t nSmooth;
extern int16_t nCycles;

// SMOOTHING(kQuietSmoothing): the waveform analysis's smoothing of the block.
constexpr int16_t kQuietSmoothing = -999;

// Word 9 of a smoothing step (code 6): 1 when it smoothed the block; the replay then waits for
// a block as a statistics step does. Older steps hold 0 there and smooth the whole channel.
constexpr int kSmoothBlockWord = 9;

}  // namespace qv
