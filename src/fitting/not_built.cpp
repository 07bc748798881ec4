// Fitting entry points that this build does not have yet.
#include "core/stub_log.h"
#include "fitting/commands.h"

namespace qv {

void TIMESLOPE() { notBuilt(callText("TIMESLOPE"), "Slope vs Time"); }
void REGRESSION() { notBuilt(callText("REGRESSION"), "Regress Channels"); }
void ASYMPTOTE() { notBuilt(callText("ASYMPTOTE"), "Find Asymptote"); }
void FITPOLYNOMIAL() { notBuilt(callText("FITPOLYNOMIAL"), "Fit Polynomial"); }
void TIMEINTEGRATE(int16_t mode) {
  notBuilt(callText("TIMEINTEGRATE", mode),
           mode == 1 ? "Event Counting" : mode == 2 ? "Selective Integration" : "Time Integration");
}

}  // namespace qv
