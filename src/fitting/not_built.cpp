// Fitting entry points that this build does not have yet.
#include "core/stub_log.h"
#include "fitting/commands.h"

namespace qv {

void TIMEINTEGRATE(int16_t mode) {
  notBuilt(callText("TIMEINTEGRATE", mode),
           mode == 1 ? "Event Counting" : mode == 2 ? "Selective Integration" : "Time Integration");
}

}  // namespace qv
