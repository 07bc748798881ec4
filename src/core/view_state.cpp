#include "core/view_state.h"

namespace qv {

int16_t ScreenWidth = 1000;
int16_t ScreenHeight = 700;
int16_t BottomOfPlotArea = 500;
int16_t ActiveChannel = 1;

}  // namespace qv
