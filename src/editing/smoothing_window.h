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

}  // namespace qv
