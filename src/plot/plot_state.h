#pragma once
// Shared state of the plot window and the block of the file in use.
#include <cstdint>
#include <vector>

#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/view_state.h"
#include "core/results_scaling.h"

namespace qv {

// ScreenWidth, ScreenHeight, BottomOfPlotArea and ActiveChannel are in core/view_state.h.
extern int16_t LastBottom;
// Pixels one full scale spans (content height - 78).
extern int16_t PlotHeight;
// Right limit of the analysis tools that draw into the plot (ScreenWidth - 321).
extern int32_t RightLim;
// Where the block window goes: the plot's width and the screen height of the layout.
extern int16_t BlockWindowRight, BlockWindowBottom;

// The channel shown in the block window.
extern int16_t chanB;
// The channel that was active before the last change of channel.
extern int16_t old;
// The channel shown last in each file, so that switching files brings it back.
extern int16_t ActiveChannelArray[kSlots];
// The channel of the last plot drawing.
extern int16_t PlotChan;
// A case number kept per slot, as the block's edges are: indexed, slot f's; inUse(), the file
// in use's, which is what the commands that work on the block read and write. A slot outside
// the table (no file in use) reads and writes a spare entry.
class PerSlotCase {
 public:
  int32_t& operator[](int slot) { return v_[index(slot)]; }
  int32_t operator[](int slot) const { return v_[index(slot)]; }
  int32_t& inUse() { return (*this)[TheFileInUse]; }
  int32_t inUse() const { return (*this)[TheFileInUse]; }
  PerSlotCase() = default;
  PerSlotCase(const PerSlotCase&) = delete;
  PerSlotCase& operator=(const PerSlotCase&) = delete;

 private:
  static int index(int slot) { return slot >= 0 && slot < kSlots ? slot : kSlots; }
  int32_t v_[kSlots + 1] = {};
};

// The block of each file: its first and last case (FileSHORTS word 2 says whether it is
// shown, words 11 and 12 hold its pixel edges, word 14 its channel).
extern PerSlotCase BeginBlock;
extern PerSlotCase EndBlock;
// The block of the last block-window drawing.
extern int32_t OldBeginBlock, OldEndBlock;
// Half-width of the fixed-width block in cases, and in pixels of the whole-file view.
extern int32_t ABunit, ABu;
// The value under the pointer during a drag.
extern float tmFloat;

// The block window (window 2): open or not, its size at the last drawing (0 never drawn),
// the height of its trace area, the block's extremes of its channel and its pixels per case.
extern int16_t BlockWindowIsOpen;
extern int16_t LastBlockWindowWidth, LastBlockWindowHeight;
extern int16_t UpperLimit;
extern float BlockMinY, BlockMaxY;
extern double BlockXscale;
// Non-zero while the values of all chosen channels are shown under the pointer.
extern int16_t AllValues;
// Top-left corner of the all-values column in the plot window.
extern int16_t avbx, avby;

// Horizontal scale: pixels per case of the paged view.
extern int16_t Xstep;
// Pixels per case of the whole-file view's page lines.
extern float XpositionStep;
// Zoomed range of each file, read while FileSHORTS[slot][6] is set.
extern int32_t zoomleft[kSlots];
extern int32_t zoomright[kSlots];

// Vertical scale of the channel drawn last: mode (-1 fixed limits, 0 high resolution,
// 1 include zero, 2 normal), limits, their difference, grid intervals and the mantissa of
// the rounded scale.
extern int16_t ScaleMode;
extern float minimumValue, maximumValue, range;
extern int16_t PlotLines;
extern float span;
// scalingFactorArray (output/results_scaling.h) holds per channel, besides the results
// scaling in words 1-3, the scale mode in word 4 and the fixed limits in words 5 and 6.
// printblock, DrawAllScaleMode and the channel selection flags are in core/channel_selection.h.

// Traces drawn as bars.
extern int16_t PlotAsHistogram;
// Lower end of the last min/max column drawn.
extern int16_t MinimumYposition;
// 1 = the editing tools write their result to a new channel (set by the overlay drawing).
extern int16_t MakeNewChan;

// Compacted data: the factor of the current compaction, the factor last used on each file
// (0 none), and each file's compacted rows: row c (1..40) the group means of channel c,
// row c + 40 their standard deviations, group j at index j. Kept per file, so that a file
// never draws another's means.
extern int32_t parse;
extern int32_t CompactedChannel[kSlots];
extern std::vector<float> ParseArray[kSlots][81];
// The data generation (core/data_generation.h) each file's compacted rows were made from:
// rows of data since changed are no longer shown or saved.
extern uint32_t ParseGeneration[kSlots];
// Marks each compacted mean with a dot.
extern int16_t ShowDot;

// Y scale mode new files give their channels (0 high resolution, 1 include zero, 2 normal).
extern int16_t DefaultScaleMode;
// Custom strip heights of the printed multi-channel layout; the channel selector window shown.
extern int16_t CustomPlot, MultiChanSelectorWindow;
// Keeps the on-screen strip heights chosen in window 11 (0: every full redraw lays out equal
// strips); the last channel with a strip.
extern int16_t CustomScreenPlot, LastMCH;
// The printed multi-channel layout of each slot, apart from the screen's strips: per channel
// the height and base (word 9's counterpart) in page units, set by window 11 for print.
struct PrintedStrip {
  float height = 0, base = 0;
};
extern PrintedStrip PrintedStrips[kSlots][kMaxChannels + 1];
extern int16_t LastInsertedMarker;
// Show the channels' colour legend after a custom overlay choice.
extern int16_t showcolorlegend;
// The channel of an analysis window.
extern int16_t ch;
// Duration (seconds) offered by the block-width dialog.
extern float startsize;
// Non-zero while a baseline is being shown or edited (the plot's baseline buttons answer then).
extern int16_t BaselineON;
// Half-width in cases of a "Use 1 ±" cursor pick.
extern int16_t NpointsInBaselineBlock;

}  // namespace qv
