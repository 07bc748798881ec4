#pragma once
// Shared state of the plot window that the dispatcher, the main loop and start-up read and
// write, besides what plot/plot_state.h holds (the entry points are in plot/plot.h).
#include <cstdint>

namespace qv {

// Half-width of the fixed-width block: in cases, and in pixels of the current view.
extern int32_t ABunit, ABu;
// The last block, which Reset Last Block brings back.
extern int32_t OldBeginBlock, OldEndBlock;
// Y scale mode new files give their channels (0 high resolution, 1 include zero, 2 normal).
extern int16_t DefaultScaleMode;
extern int16_t BlockWindowIsOpen;
// Custom strip heights of the printed multi-channel layout; the channel selector window shown.
extern int16_t CustomPlot, MultiChanSelectorWindow;
extern int16_t LastInsertedMarker;
// The channel of an analysis window.
extern int16_t ch;
// Duration (seconds) offered by the block-width dialog.
extern float startsize;

}  // namespace qv
