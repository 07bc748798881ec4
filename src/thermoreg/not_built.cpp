// The thermoregulatory-costs tool is not in this build yet.
#include "core/stub_log.h"
#include "thermoreg/commands.h"

namespace qv {

void ComputeThermoregulationCosts() {
  notBuilt(callText("ComputeThermoregulationCosts"), "Thermoregulatory Costs");
}

}  // namespace qv
