// Respirometry entry points that this build does not have yet.
#include "core/stub_log.h"
#include "respirometry/commands.h"
#include "respirometry/stand_ins.h"

namespace qv {

void WATERVO2(int16_t fromScript) { notBuilt(callText("WATERVO2", fromScript), "VO\u2082 in Water"); }

}  // namespace qv
