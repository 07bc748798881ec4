#include "scripts/script_recorder.h"

#include "scripts/commands.h"
#include "scripts/script_state.h"

namespace qv {

bool RecordScriptStep(int16_t code) {
  if (RecordSCRIPT != 1 || ScriptCOUNT < 0 || ScriptCOUNT >= kLastRecordedStep) return false;
  ++ScriptCOUNT;
  ScriptSequenceArray[ScriptCOUNT][1] = float(code);
  FLASHSCRIPTsequenceStep();
  return true;
}

}  // namespace qv
