#pragma once
// The step a block analysis adds to the script being recorded.
#include <cstdint>

namespace qv {

// While a script is recorded and fewer than 41 steps are in it, the next step gets the
// operation code in word 1 (its other words cleared) and its number is shown; returns that
// step, or 0 when nothing was recorded.
int16_t recordScriptStep(float operationCode);

}  // namespace qv
