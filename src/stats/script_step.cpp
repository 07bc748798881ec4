#include "stats/script_step.h"

#include <algorithm>

#include "scripts/commands.h"
#include "scripts/script_state.h"

namespace qv {

int16_t recordScriptStep(float operationCode) {
  if (RecordSCRIPT != 1 || ScriptCOUNT >= 41 || ScriptCOUNT < 0) return 0;
  ++ScriptCOUNT;
  float* step = ScriptSequenceArray[ScriptCOUNT];
  std::fill(step, step + 29, 0.0f);
  step[1] = operationCode;
  FLASHSCRIPTsequenceStep();
  return ScriptCOUNT;
}

}  // namespace qv
