#pragma once
// The per-menu parts of the command dispatcher. Each returns true when the command may have
// changed the channel list (the channel popup is then rebuilt).
#include <cstdint>

namespace qv::dispatch {

// The file in use holds data (a slot with cases and channels).
bool fileInUse();
bool hasBlock();
bool multiChannelView();
// Plays a named sound of the sounds folder when sounds are on.
// Makes slot the file in use, keeping the active channel of the file left behind.
void switchFileInUse(int16_t slot);
// The active channel remembered for a slot (1 when none is).
int16_t rememberedChannel(int16_t slot);

void quit(int16_t menu);
bool fileMenu(uint16_t item);
bool importMenu(uint16_t item);
bool appendMenu(uint16_t item);
bool sendResultsMenu(uint16_t item);

bool editMenu(uint16_t item);
bool respirometryMenu(uint16_t item);
bool compactMenu(uint16_t item);
bool changeRemoveMenu(uint16_t item);

bool analyzeMenu(uint16_t item);
bool timeSeriesMenu(uint16_t item);
bool analysisUtilitiesMenu(uint16_t item);

bool viewMenu(uint16_t item);
bool markersMenu(uint16_t item);
bool gridsMenu(uint16_t item);
bool scalingActiveMenu(uint16_t item);
bool scalingAllMenu(uint16_t item);
bool commentsBlocksMenu(uint16_t item);
bool significantDigitsMenu(uint16_t item);
bool channelPopup(uint16_t item);

bool scriptMenu(uint16_t item);
bool windowMenu(uint16_t item);
bool specialMenu(uint16_t item);
bool applicationMenu(uint16_t item);
bool helpMenu(uint16_t item);

}  // namespace qv::dispatch
