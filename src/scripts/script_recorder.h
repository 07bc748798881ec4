#pragma once
// Adding a step to the script being recorded: the operation code in word 1 of the next step,
// its parameters after it, then the step's number flashed on the plot window.
#include <cstdint>
#include <initializer_list>

namespace qv {

// Script codes of the steps the data-file roads record.
constexpr int16_t kStepSaveAs = 20;
constexpr int16_t kStepSaveFile = 34;

// The most steps a recording keeps.
constexpr int16_t kMostScriptSteps = 40;

// While recording, and while the script has room, appends a step: the operation code in
// word 1 and the parameters in words 2 onwards (at most 27), then shows the step. False when
// nothing was recorded.
bool RecordScriptStep(int16_t code, std::initializer_list<float> parameters = {});

// Ends recording and arms the recorded steps to run on every file opened from now on.
void ArmScriptForEveryFile();

}  // namespace qv
