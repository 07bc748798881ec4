#include "core/waveform_state.h"

namespace qv {

WaveformRecord LastWaveform;

}  // namespace qv
