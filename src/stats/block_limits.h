#pragma once
// Left and right limits in the block window: an analysis narrows its range to part of the
// block by a click in window 2; the cases outside a limit are shaded there. The shading is
// drawn in exclusive-or mode, so drawing it a second time removes it.
#include <cstdint>

namespace qv {

// Lets the user click a limit in the block window. offset is this limit's current offset
// in cases from the block's first case (0: none yet), side 0 the left limit, 1 the right.
// Returns the new offset (the case nearest the click, inside the block) and leaves
// HorizPosition at its pixel for FIXLIMITS.
int32_t SETLIMITS(int32_t offset, int16_t side);
// Shades both limits again after the block window was redrawn (an offset of 0 is no limit).
void FIXLIMITS(int32_t leftOffset, int32_t rightOffset, int16_t leftX, int16_t rightX);
// Shades the block window from its left edge to HorizPosition.
void DrawLEFT();
// Shades the block window from HorizPosition to its right edge.
void DrawRIGHT();
// The arrow that says which limit is being set (0 left, other right).
void LIMITARROW(int16_t side);

// Pixels per case of the block window: its width over the block's span, one case counting
// as one case wide.
float limitPixelsPerCase(int32_t rightLim, int32_t begin, int32_t end);
// The limit a click at x gives: the nearest case (halves to even) inside 0..end - begin.
int32_t limitOffsetAt(int x, float pixelsPerCase, int32_t begin, int32_t end);

}  // namespace qv
