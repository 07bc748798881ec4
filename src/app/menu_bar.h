#pragma once
// The menu bar of the program, built once at start-up over the menu numbers of core/menus.h.
#include "core/menus.h"

namespace qv {

// Builds the whole menu bar once, before the first file is open.
void MAINMENU();

}  // namespace qv
