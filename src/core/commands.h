#pragma once
// Entry points of the application core that the dispatcher and start-up call and that are
// built apart from them: the preferences dialog and the colour dialog.
#include <cstdint>

namespace qv {

// The preferences dialog.
void SETPREFERENCES();
// The colour dialog; non-zero when the colours changed.
int16_t SETCOLORS();

}  // namespace qv
