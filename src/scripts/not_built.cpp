// Script entry points that this build does not have yet.
#include "core/stub_log.h"
#include "scripts/commands.h"

namespace qv {

void PUSHCHAN(uint16_t mode) { notBuilt(callText("PUSHCHAN", mode), "Change Channel"); }
void DOSCRIPT() { notBuilt(callText("DOSCRIPT"), "Run Script"); }
void FLASHSCRIPTsequenceStep() { notBuilt(callText("FLASHSCRIPTsequenceStep"), ""); }
void CheckScriptRecording() { notBuilt(callText("CheckScriptRecording"), "Record a Script"); }
void LoadScriptFromFile() { notBuilt(callText("LoadScriptFromFile"), "Load Script"); }
void SaveSCRIPTtoFile() { notBuilt(callText("SaveSCRIPTtoFile"), "Save Script"); }
void VIEWSCRIPT() { notBuilt(callText("VIEWSCRIPT"), "View Script"); }
void ClearSCRIPT() { notBuilt(callText("ClearSCRIPT"), "Clear Script"); }

}  // namespace qv
