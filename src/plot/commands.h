#pragma once
// Shared state of the plot window that the dispatcher, the main loop and start-up read and
// write (the entry points are in plot/plot.h).
#include <cstdint>

namespace qv {

// Visible range of a zoomed plot (FileSHORTS word 6 set).
extern int32_t zoomleft, zoomright;
// Pixels per case in the paged view.
extern int16_t Xstep;
// Half-width of the fixed-width block: in cases, and in pixels of the current view.
extern int32_t ABunit, ABu;
// The last block, which Reset Last Block brings back.
extern int32_t OldBeginBlock, OldEndBlock;
// Y scale mode of new channels and of the scaling of all channels: 0 high resolution,
// 1 include zero, 2 normal.
extern int16_t ScaleMode, DefaultScaleMode, DrawAllScaleMode;
// 1 when the next print or save is of the block only.
extern int16_t printblock;
extern int16_t BlockWindowBottom, BlockWindowRight, BlockWindowIsOpen;
extern int16_t PlotAsHistogram, CustomPlot, MultiChanSelectorWindow;
extern int16_t LastInsertedMarker;
// The channel of an analysis window, and the channel that was active before the last change.
extern int16_t ch, old;
// Duration (seconds) offered by the block-width dialog.
extern float startsize;

}  // namespace qv
