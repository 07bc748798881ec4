#pragma once
// Adding a step to the script being recorded: the operation code in word 1 of the next step,
// its parameters after it, then the step's number flashed on the plot window; and taking a
// step back when the run that recorded it was cancelled or refused.
#include <cstdint>
#include <initializer_list>

namespace qv {

// Script codes of the steps the data-file roads record.
constexpr int16_t kStepSaveAs = 20;
constexpr int16_t kStepSaveFile = 34;
// A step that stays in place but does nothing when the script runs.
constexpr int16_t kStepDeleted = 99;

// The most steps a recording keeps; recording ends with the last of them.
constexpr int16_t kMostScriptSteps = 40;

// While recording, and while the script has room, appends a step after the last one the
// script holds (and after ScriptCOUNT): the operation code in word 1 and the parameters in words 2 onwards (words 2..27), then shows the step. Returns the
// number of the step written, 0 when nothing was recorded. The caller writes any later words
// into that step, never into ScriptCOUNT's.
int16_t RecordScriptStep(int16_t code, std::initializer_list<float> parameters = {});

// A cancelled or refused run records nothing: its step is cleared and ScriptCOUNT goes back
// (recording resumes if that step had ended it). When a later step was recorded meanwhile,
// the step stays in place as a deleted one. Step 0 does nothing.
void WithdrawScriptStep(int16_t step);

// Ends recording and arms the recorded steps to run on every file opened from now on.
void ArmScriptForEveryFile();

}  // namespace qv
