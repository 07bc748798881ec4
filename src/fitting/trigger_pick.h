#pragma once
// A level picked with the mouse as a horizontal line in the block window.
#include <cstdint>

namespace qv {

// The level last picked.
extern float trigger;

// Follows the pointer over the block window (window 2) with a line in colour `colour`, the
// level under it written into the target field as it changes: target 1 field 101 of window
// 4, 2 field 103 of window 4, any other field 109 of window 6 (target 0 first draws that
// field, with its caption, in the current window). A press inside the plot area ends it; a
// press outside does not. Without a block window it only sounds the refusal.
void GetTRIGGER(int16_t colour, int16_t target);

// The level at pixel row y of a block window of plot height upperLimit showing min..max.
float triggerLevelAt(int y, int upperLimit, float min, float max);

}  // namespace qv
