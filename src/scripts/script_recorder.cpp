#include "scripts/script_recorder.h"

#include <algorithm>

#include "scripts/commands.h"
#include "core/script_state.h"

namespace qv {

bool RecordScriptStep(int16_t code, std::initializer_list<float> parameters) {
  if (!RecordSCRIPT || ScriptCOUNT < 0 || ScriptCOUNT > kMostScriptSteps) return false;
  ++ScriptCOUNT;
  float* step = ScriptSequenceArray[ScriptCOUNT];
  std::fill(step, step + 29, 0.0f);
  step[1] = float(code);
  int word = 2;
  for (float p : parameters) {
    if (word > 28) break;
    step[word++] = p;
  }
  FLASHSCRIPTsequenceStep();
  return true;
}

void ArmScriptForEveryFile() {
  ScriptRunOnce = 1;
  RecordSCRIPT = 0;
  autoscript = 1;
  FileJustLoaded = 0;
  RunScript = 1;
}

}  // namespace qv
