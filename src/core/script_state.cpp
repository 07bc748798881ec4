#include "core/script_state.h"

namespace qv {

int16_t RunScript = 0;
int16_t RecordSCRIPT = 0;
int16_t ScriptCOUNT = 0;
int16_t ScriptRunOnce = 0;
int16_t autoscript = 0;
int16_t FileJustLoaded = 0;
float ScriptSequenceArray[kScriptRecords][kScriptWords];
int16_t ScriptStepFailed = 0;
std::string ScriptFailureText;

void setStepWord(int step, int word, float value) {
  if (step >= 1 && step < kScriptRecords && word >= 2 && word < kScriptWords) ScriptSequenceArray[step][word] = value;
}

}  // namespace qv
