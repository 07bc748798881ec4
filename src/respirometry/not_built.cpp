// Respirometry entry points that this build does not have yet.
#include "core/stub_log.h"
#include "respirometry/commands.h"

namespace qv {

void GASEXCHANGE(int16_t fromScript) {
  const char* name = GasType == 2 ? "Compute VCO\u2082" : GasType == 3 ? "Compute EWL" : "Compute VO\u2082";
  notBuilt(callText("GASEXCHANGE", fromScript), name);
}
void WATERVO2(int16_t fromScript) { notBuilt(callText("WATERVO2", fromScript), "VO\u2082 in Water"); }
void ANALYZER_HUMIDITY(int16_t fromScript) {
  notBuilt(callText("ANALYZER_HUMIDITY", fromScript), "Sensor Humidity Correction");
}
void EFFECTIVEVOLUME() { notBuilt(callText("EFFECTIVEVOLUME"), "Effective Volume"); }

}  // namespace qv
