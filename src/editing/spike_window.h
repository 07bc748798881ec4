#pragma once
// Edit > Remove Spikes... (script step 7): spike sweeps and scans, trimming and absolute value
// of the active channel, and the way on to the interactive repair.
#include <cstdint>

namespace qv {

// After ActiveChannel was stepped by one: wraps it into 1..nChannels, names it in the plot's
// channel popup and redraws the plot.
void ShiftChannelsSpikeMode();

// The interactive repair's settings, kept from one opening to the next: 1 linearizing mode
// (0 spike mode), interpolation markers round each span, passes of the variation-conserving
// fill (1..5).
extern int16_t DoSlant, spikeInterpMarkers, CVX2;

}  // namespace qv
