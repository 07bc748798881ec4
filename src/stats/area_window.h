#pragma once
// "Integrate Over Time": the analysis window's pass, its baseline line over the block window
// and the cumulative plot (window 250), with what the last pass leaves for the report.
#include <cstdint>
#include <string>

#include "core/stats_state.h"

namespace qv {

// The baseline line last drawn over the block window: x1, y1, x2, y2 in words 1 to 4, and
// whether it is on the window now (drawing it again in exclusive-or removes it).
extern float arealineArray[5];
extern int16_t AreaLineDrawn;

// One pass over the range the limits give (a and b in cases from the block's first case;
// rightSet: b was set, 0 included): baseline, integral, line and field 112. Returns 0.
int16_t DoAREA(int16_t eraseOld, int32_t a, int32_t b, bool rightSet);
// The baseline line from (a, base at begin) to (b or the block's end, base at end).
void DrawAreaLine(float baseAtBegin, float baseAtEnd, int16_t eraseOld, int32_t a, int32_t b, bool rightSet);
// Removes the baseline line when it is on the block window.
void EraseAreaLine();
// The cumulative plot of the same range in window 250.
void INTPLOT(int32_t a, int32_t b, bool rightSet);
constexpr int kCumulativeIntegralWindow = 250;

}  // namespace qv
