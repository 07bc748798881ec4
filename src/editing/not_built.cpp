// Channel-editing entry points that this build does not have yet.
#include "core/stub_log.h"
#include "editing/baseline.h"
#include "editing/baseline_window.h"
#include "editing/commands.h"

namespace qv {

bool baselineMethodBuilt(int16_t method) { return method == kAutoStartEnd; }
int16_t AutoPeriodicBASELINE(int16_t s) {
  notBuilt(callText("AutoPeriodicBASELINE", s), "Automatic (periodic) Baseline");
  return 0;
}
int16_t CURSORstartEndBaseline(int16_t m, int16_t s) {
  notBuilt(callText("CURSORstartEndBaseline", m, s), m == kCursorStartOrEnd ? "Use Cursor: Start OR End" : "Use Cursor: Start AND End");
  return 0;
}
int16_t MultiCURSORbaseline(int16_t s) {
  notBuilt(callText("MultiCURSORbaseline", s), "Use Cursor: Multiple Points");
  return 0;
}
int16_t TEXTstartANDendBaseline(int16_t s) {
  notBuilt(callText("TEXTstartANDendBaseline", s), "Enter Begin and End Points");
  return 0;
}
int16_t ConstantTEXTbaseline(int16_t s) {
  notBuilt(callText("ConstantTEXTbaseline", s), "Enter Constant Baseline");
  return 0;
}
void BLOCKSCALE(int16_t mode, int16_t s) {
  notBuilt(callText("BLOCKSCALE", mode, s), mode ? "Block Scale, 0-100" : "Scale to Block");
}
void BLOCKSET() { notBuilt(callText("BLOCKSET"), "Change Blocks"); }

}  // namespace qv
