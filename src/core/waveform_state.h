#pragma once
// The numbers of the last waveform run that its report and spreadsheet rows read. The run
// keeps its own peak count and interval S.D. here: the wave-shape window reuses the shared
// count and S.D. for the rise and decay times.
#include <cstdint>

namespace qv {

struct WaveformRecord {
  int32_t nPeaks = 0;
  double P = 0.0, sd = 0.0;           // mean interpeak interval and its S.D., s
  double dn = 0.0, dw = 0.0, ds = 0.0;  // amplitudes counted, their sum and sum of squares
  double vn = 0.0, dxx = 0.0;          // valleys counted; S.D. of the amplitudes
  int16_t direction = 0;               // 1 amplitudes to the prior valley, 0 to the next
};

extern WaveformRecord LastWaveform;

}  // namespace qv
