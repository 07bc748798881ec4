#pragma once
// Picking a level on the plot with the mouse: a horizontal line follows the pointer and a
// click returns the value at its height.
#include <cstdint>

namespace qv {

namespace pick {

// The value at row y of the single plot drawn from minimum to maximum over plotHeight rows
// above bottom (the line is drawn 8 rows above the value's own row).
float levelAt(int y, float minimum, float maximum, int plotHeight, int bottom);

}  // namespace pick

// Mode 0: the note blinks in window 11 (the scaling window when it is open, else a window
// of its own) and the value goes to the data bar; mode 1: also live into field 111 of
// window 4. Returns the level clicked.
float GetGscale(int16_t mode);
// One frame of the blinking instruction, in the current window: odd frames the text.
void LimitCursorNote(uint8_t frame);

}  // namespace qv
