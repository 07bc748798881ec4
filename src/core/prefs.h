#pragma once
// Preference switches and the settings the preferences file keeps.
#include <cstdint>

namespace qv {

// Words 1 to 90 (entry 0 unused).
extern int16_t prefsArray[91];

// Fonts of window titles (0 "Lucida Grande", 1 "Century", 2 "Copperplate", 3 the interface font)
// and of windows; tool-bar background code (1 plain, 14 blue-grey, 20 black).
extern int16_t WindowTitleFont;
extern int16_t WindowFont;
extern int16_t ToolBarBackground;

}  // namespace qv
