#include "plot/plot_state.h"

namespace qv {

int16_t LastBottom = 500;
int16_t PlotHeight = 460;
int32_t RightLim = 679;
int16_t BlockWindowRight = 1000, BlockWindowBottom = 700;
int16_t chanB = 1;
int16_t old = 1;
int16_t ActiveChannelArray[kSlots];
int16_t PlotChan = 1;
PerSlotCase BeginBlock;
PerSlotCase EndBlock;
int32_t OldBeginBlock = 0, OldEndBlock = 0;
int32_t ABunit = 0, ABu = 0;
float tmFloat = 0;
int16_t BlockWindowIsOpen = 0;
int16_t LastBlockWindowWidth = 0, LastBlockWindowHeight = 0;
int16_t UpperLimit = 100;
float BlockMinY = 0, BlockMaxY = 1;
double BlockXscale = 1;
int16_t AllValues = 0;

int16_t Xstep = 1;
float XpositionStep = 1;
int32_t zoomleft[kSlots];
int32_t zoomright[kSlots];

int16_t ScaleMode = 2;
float minimumValue = 0, maximumValue = 1, range = 1;
int16_t PlotLines = 5;
float span = 1;

int16_t PlotAsHistogram = 0;
int16_t MinimumYposition = 0;
int16_t MakeNewChan = 0;

int32_t parse = 0;
int32_t CompactedChannel[kSlots];
std::vector<float> ParseArray[kSlots][81];
uint32_t ParseGeneration[kSlots] = {};
int16_t ShowDot = 0;

int16_t DefaultScaleMode = 2;
int16_t CustomPlot = 0, MultiChanSelectorWindow = 1;
int16_t CustomScreenPlot = 0, LastMCH = 1;
PrintedStrip PrintedStrips[kSlots][kMaxChannels + 1];
int16_t LastInsertedMarker = 83;
int16_t ch = 1;
float startsize = 0.0f;
int16_t BaselineON = 0;
int16_t NpointsInBaselineBlock = 0;

}  // namespace qv
