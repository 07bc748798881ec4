// Block-statistics entry points that this build does not have yet.
#include "core/event_state.h"
#include "core/stub_log.h"
#include "stats/commands.h"

namespace qv {

void GETAREA() { notBuilt(callText("GETAREA"), "Integrate Block"); }
void RUNAVERAGE() { notBuilt(callText("RUNAVERAGE"), "Running Average"); }
void PairsDIFFERENCE() { notBuilt(callText("PairsDIFFERENCE"), "Pairs Difference"); }

}  // namespace qv
