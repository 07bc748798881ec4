#include "core/prefs.h"

namespace qv {

int16_t prefsArray[91];
int16_t WindowTitleFont = 0;
int16_t WindowFont = 8;
int16_t ToolBarBackground = 14;

}  // namespace qv
