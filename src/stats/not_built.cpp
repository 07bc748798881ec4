// Block-statistics entry points that this build does not have yet.
#include "core/event_state.h"
#include "core/stub_log.h"
#include "stats/commands.h"

namespace qv {

void Minimum_Maximum_Level(int16_t code) {
  const char* name = code == 13 ? "Minimum Value" : code == 14 ? "Maximum Value" : code == 19 ? "Most Level" : "Most Variable";
  notBuilt(callText("Minimum_Maximum_Level", code), name);
}

}  // namespace qv
