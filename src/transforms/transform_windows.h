#pragma once
// The helper windows and controls of the transformations window: the breakpoint set-up,
// the polynomial entry, the block fill and the copy, new-channel and block buttons.
#include <cstdint>
#include <optional>
#include <string_view>

namespace qv {

// Window 19: fills BreakpointArray (it starts as the identity on both sides).
void BREAKPOINT();
// Window 6: fills PolyDegree and PolynomialValues and writes them into script step `step`
// (1..40; none for 0). In replay no window opens and nothing changes.
void POLYNOMIAL(std::string_view title, int16_t step);
// The coefficient rows of window 6 for the current PolyDegree.
void SHOWPOLY();
// Sets every case of the block of the active channel to value; quiet: no undo copy, no redraw.
void ZEROBLOCK(float value, int16_t quiet);
// The copy and new-channel buttons (below 40 channels) and the block-value controls (with a
// block) in the output window.
void COPYBUTTON();

// The number typed in edit field `field` of the output window, when it is one a stored word
// (32-bit) can hold.
std::optional<float> typedSingle(int field);

}  // namespace qv
