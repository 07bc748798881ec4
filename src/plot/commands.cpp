#include "plot/commands.h"

namespace qv {

int32_t ABunit = 0, ABu = 0;
int32_t OldBeginBlock = 0, OldEndBlock = 0;
int16_t DefaultScaleMode = 2;
int16_t BlockWindowIsOpen = 0;
int16_t CustomPlot = 0, MultiChanSelectorWindow = 1;
int16_t LastInsertedMarker = 83;
int16_t ch = 1;
float startsize = 0.0f;

}  // namespace qv
