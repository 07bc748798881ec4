// Channel-editing entry points that this build does not have yet.
#include "core/stub_log.h"
#include "editing/commands.h"

namespace qv {

void FixTheBASELINE(int16_t s) { notBuilt(callText("FixTheBASELINE", s), "Correct Baseline"); }
void REMOVESPIKE(int16_t s) { notBuilt(callText("REMOVESPIKE", s), "Remove Spikes"); }
void IntREMOVESPIKE(int16_t s) { notBuilt(callText("IntREMOVESPIKE", s), "Interactive Spike Removal"); }
void REMOVEREFS(int16_t s) { notBuilt(callText("REMOVEREFS", s), "Remove References"); }
void INTEGRATE(int16_t s) { notBuilt(callText("INTEGRATE", s), derive ? "Derivative" : "Integrate"); }
void BLOCKSCALE(int16_t mode, int16_t s) {
  notBuilt(callText("BLOCKSCALE", mode, s), mode ? "Block Scale, 0-100" : "Scale to Block");
}
void BLOCKSET() { notBuilt(callText("BLOCKSET"), "Change Blocks"); }
void CROPFILE() { notBuilt(callText("CROPFILE"), "Crop File to Block"); }
void CUTBLOCK(int16_t mode) {
  notBuilt(callText("CUTBLOCK", mode), mode ? "Cut Block from All Channels" : "Selective Block Removal");
}
void CUTCHANNEL() { notBuilt(callText("CUTCHANNEL"), "Remove Channel"); }
void RemoveMarkersFromBlock() { notBuilt(callText("RemoveMarkersFromBlock"), "Remove Markers in Block"); }
void REARRANGE() { notBuilt(callText("REARRANGE"), "Re-arrange Channels"); }

}  // namespace qv
