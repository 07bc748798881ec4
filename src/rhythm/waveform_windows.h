#pragma once
// The waveform analysis's windows past the results: the wave-shape statistics (window 6) and
// the histograms with the waveform data export (window 7).
#include <cstdint>

namespace qv {

constexpr int16_t kWaveformHelp = 189;

// The last run's peak count, as the windows use it: the statistics window leaves the number
// of decay times read in it for the histograms.
extern int32_t NumberOfWavePeaks;
// The last run's mean interpeak interval, s.
extern float P;

// "Wave Shape Statistics": rise and decay times, their test and chart; returns when closed.
void WaveShapeStats();
// "Waveform Histograms"; returns true when it ended with a click in another window.
bool WaveShapeHistograms();

}  // namespace qv
