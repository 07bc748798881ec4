// Rhythm entry points that this build does not have yet.
#include "core/stub_log.h"
#include "rhythm/commands.h"

namespace qv {

void WAVEFORM() { notBuilt(callText("WAVEFORM"), "Waveform"); }

}  // namespace qv
