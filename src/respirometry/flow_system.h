#pragma once
// The flow-system configuration windows: pictures of the chamber and mask set-ups (window 6)
// with a button for each mode. FLOWSYSTEM itself is declared in stand_ins.h.
#include <cstdint>

#include "runtime/geometry.h"

namespace qv {

// Window kinds: 133 O2 chambers, 134 CO2 chambers, 135 O2 masks, 136 CO2 masks.
constexpr int16_t kO2Chambers = 133, kCO2Chambers = 134, kO2Masks = 135, kCO2Masks = 136;

// Opens window 6 with the kind's title and picture at that screen rectangle; any other kind
// opens it without a picture.
void buildFlowSystemWindow(int16_t kind, int16_t left, int16_t top, int16_t right, int16_t bottom);

// Where the respirometry windows that sit beside the plot go: the plot window's right edge and
// top (20 pixels higher with the window-offset preference), kept on the screen.
rt::Rect besidePlotWindow(int width, int height);

// The mask window: 3 when a mask configuration was accepted, 2 to go back to the chambers.
int16_t MASKSYSTEMS();

}  // namespace qv
