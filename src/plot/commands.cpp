#include "plot/commands.h"

namespace qv {

int32_t zoomleft = 0, zoomright = 0;
int16_t Xstep = 1;
int32_t ABunit = 0, ABu = 0;
int32_t OldBeginBlock = 0, OldEndBlock = 0;
int16_t ScaleMode = 2, DefaultScaleMode = 2, DrawAllScaleMode = 2;
int16_t printblock = 0;
int16_t BlockWindowBottom = 0, BlockWindowRight = 0, BlockWindowIsOpen = 0;
int16_t PlotAsHistogram = 0, CustomPlot = 0, MultiChanSelectorWindow = 1;
int16_t LastInsertedMarker = 83;
int16_t ch = 1, old = 1;
float startsize = 0.0f;

}  // namespace qv
