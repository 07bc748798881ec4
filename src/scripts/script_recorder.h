#pragma once
// Adding a step to the script being recorded.
#include <cstdint>
#include <initializer_list>

namespace qv {

// The most steps a recording keeps.
constexpr int16_t kMostScriptSteps = 40;

// While recording, and while the script has room, appends a step: the operation code in
// word 1 and the parameters in words 2 onwards (at most 27), then shows the step. False when
// nothing was recorded.
bool RecordScriptStep(int16_t code, std::initializer_list<float> parameters);

}  // namespace qv
