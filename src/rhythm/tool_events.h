#pragma once
// The next event of a rhythm tool window's modal loop, taken and cleared in one call.
#include <cstdint>

namespace qv {

struct ToolEvent {
  int action = 0, id = 0;
  bool menuPicked = false;  // a menu or tool-bar command was chosen: the loop ends
};

// Waits for the next event and clears it from the event state.
ToolEvent nextToolEvent();
// The same in a tool window that keeps help and the calculators reachable from the menus.
ToolEvent nextToolEvent(int16_t helpSubject);

}  // namespace qv
