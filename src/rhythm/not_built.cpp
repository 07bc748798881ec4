// Rhythm entry points that this build does not have yet.
#include "core/stub_log.h"
#include "rhythm/commands.h"

namespace qv {

void FFT() { notBuilt(callText("FFT"), "FFT"); }
void TIMESERIES() { notBuilt(callText("TIMESERIES"), "Basic Time Series"); }
void AUTOCORRELATE() { notBuilt(callText("AUTOCORRELATE"), "Stepped Sampling"); }

}  // namespace qv
