// Script entry points that this build does not have yet.
#include "core/stub_log.h"
#include "scripts/commands.h"

namespace qv {

void DOSCRIPT() { notBuilt(callText("DOSCRIPT"), "Run Script"); }

}  // namespace qv
