#include "core/script_recorder.h"

#include <algorithm>

#include "core/script_state.h"
#include "core/shell_hooks.h"

namespace qv {

namespace {

// The step whose recording ended the recording (the last the script has room for), so that
// taking it back can turn recording on again.
int16_t gStepThatEndedRecording = 0;

void clearStep(int16_t step) { std::fill(ScriptSequenceArray[step], ScriptSequenceArray[step] + kScriptWords, 0.0f); }

int16_t lastHeldStep() {
  for (int16_t k = kMostScriptSteps; k >= 1; --k)
    if (ScriptSequenceArray[k][1] != 0.0f) return k;
  return 0;
}

}  // namespace

int16_t RecordScriptStep(int16_t code, std::initializer_list<float> parameters) {
  // A step never goes over one the script holds, wherever a load or a clear left the count.
  ScriptCOUNT = std::max(ScriptCOUNT, lastHeldStep());
  if (!RecordSCRIPT || ScriptCOUNT < 0 || ScriptCOUNT >= kMostScriptSteps) return 0;
  const int16_t step = ++ScriptCOUNT;
  clearStep(step);
  float* words = ScriptSequenceArray[step];
  words[1] = float(code);
  int word = 2;
  for (float p : parameters) {
    if (word >= kScriptWords) break;
    words[word++] = p;
  }
  if (step == kMostScriptSteps) {
    RecordSCRIPT = 0;
    gStepThatEndedRecording = step;
  }
  hooks::call(hooks::flashScriptStep);
  return step;
}

void WithdrawScriptStep(int16_t step) {
  if (step < 1 || step > ScriptCOUNT || step > kMostScriptSteps) return;
  if (step < ScriptCOUNT) {
    ScriptSequenceArray[step][1] = float(kStepDeleted);
    return;
  }
  clearStep(step);
  --ScriptCOUNT;
  if (gStepThatEndedRecording == step) {
    RecordSCRIPT = 1;
    gStepThatEndedRecording = 0;
  }
}

void ArmScriptForEveryFile() {
  ScriptRunOnce = 1;
  RecordSCRIPT = 0;
  autoscript = 1;
  FileJustLoaded = 0;
  RunScript = 1;
  gStepThatEndedRecording = 0;
}

}  // namespace qv
