#pragma once
// The script steps of the fits (16 slope against time, 17 regression) and what the fits
// share around them: the step a replay runs, the words written when the window ends, and the
// message of a log model refused.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>

namespace qv {

// The words of the step being replayed when it is a completed step of this code; nullptr
// otherwise (no replay, another step, or a step whose words were never written).
const float* replayedStep(int16_t code);

// Writes words into the step recorded at the window's start (nothing when step is 0).
void completeFitStep(int16_t step, std::initializer_list<std::pair<int, float>> words);

// A log model asked for where a value is 0 or less: the fit runs linear and says why, in the
// warning window, or in the results window while a script runs (no window waits then).
void logModelRefused(const std::string& why);

}  // namespace qv

namespace qv {
// Channel 0 of a slot, the work column the fits copy into; made when the slot has none.
// False when it cannot be had.
bool scratchChannel(int slot);
}  // namespace qv
