#pragma once
// Rhythm and frequency tools that the command dispatcher starts.
#include <cstdint>

namespace qv {

void WAVEFORM();
void FFT();
void TIMESERIES();
void AUTOCORRELATE();

// Unit of frequencies in the rhythm tools.
extern int16_t FrequencyUnit;

}  // namespace qv
