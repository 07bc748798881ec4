#pragma once
// The best-fit lag search of the Lag window: its set-up window 40, the choice of the second
// channel (window 10) and the search, which leaves the found lag in the Lag window's field.
#include <cstdint>

namespace qv {

// "Best-fit Lag Setup": the maximum lag, then the search.
void BestFitLagTime();
// The search with the maximum of field 112: asks for the second channel, scans, writes the
// best lag in seconds into field 111 of window 4.
void CalculateBestLag();
// r² between the active channel over the block and `channel` read `lag` cases earlier, summed
// directly (NaN when the reads leave the channel or either is constant).
float BestLagRegression(int32_t lag, int16_t channel);

}  // namespace qv
