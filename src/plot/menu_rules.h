#pragma once
// The menu rules of the file in use (see core/menu_state.h for the Window menu).
#include <cstdint>

#include "core/menu_state.h"

namespace qv {

// Applies the menu rules for the file in use; mode non-zero restores the tool bar first.
void SETMENU(uint16_t mode);

}  // namespace qv
