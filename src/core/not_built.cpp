// Core entry points that this build does not have yet.
#include "core/commands.h"
#include "core/stub_log.h"

namespace qv {

void SETPREFERENCES() { notBuilt(callText("SETPREFERENCES"), "Preferences"); }
int16_t SETCOLORS() {
  notBuilt(callText("SETCOLORS"), "Plot Styles");
  return 0;
}

}  // namespace qv
