#pragma once
// The one source of chance in the program: the splash animation and the start-up sound.

namespace qv {

// A whole number from lo to hi, both included, evenly drawn.
int randomIn(int lo, int hi);

}  // namespace qv
