#pragma once
// Recording one step of a script while the user works: the operation code in word 1 of the
// next step, then the step's number flashed on the plot window.
#include <cstdint>

namespace qv {

// Script codes of the steps the data-file roads record.
constexpr int16_t kStepSaveAs = 20;
constexpr int16_t kStepSaveFile = 34;

// A step is recorded while ScriptCOUNT is below this: the array holds room for step 41.
constexpr int16_t kLastRecordedStep = 41;

// Records a step with `code` when a script is being recorded and there is room for it;
// true when it was recorded (ScriptCOUNT is then its number).
bool RecordScriptStep(int16_t code);

}  // namespace qv
