#include "plot/plot_state.h"

namespace qv {

int16_t ScreenWidth = 1000;
int16_t ScreenHeight = 700;
int16_t BottomOfPlotArea = 500;
int16_t LastBottom = 500;
int16_t ActiveChannel = 1;
int16_t chanB = 1;
int16_t ch = 1;
int32_t BeginBlock = 0;
int32_t EndBlock = 0;
int16_t AllValues = 0;

}  // namespace qv
