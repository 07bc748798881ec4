#pragma once
// What the block routines of the plot window share: the window numbers, the block view of a
// file as the mouse sees it, the bottom row of the highlight and where the block window goes.
#include "plot/block_geometry.h"
#include "runtime/geometry.h"

namespace qv::plot {

constexpr int kBlockWindow = 2;
constexpr int kBlockInstructions = 2002;
constexpr int kPlotWindowBase = 1000;
constexpr int kFirstHistogramWindow = 151, kLastHistogramWindow = 174;
constexpr int kEditMenu = 2;
constexpr int kResetLastBlockItem = 2, kClearBlockItem = 7;

// The block view of slot f with the plot's current width, page, zoom and pixels per case.
BlockView blockViewOfSlot(int f);

// The bottom row of the highlight: above the time axis in the single-channel view, the
// last strip's bottom in the multi-channel view.
int highlightBottom(int f);

// The histogram windows show the block as it was: they go when the block changes.
void closeHistograms();

// Top-left corner of the block window and of the block instructions, below the plot
// window of slot f (lower when the comment strip is shown).
rt::Point blockWindowOrigin(int f);

// Sets an item of a menu when the menu exists (the menus may not be built yet).
void setMenuItem(int menu, int item, int state);

}  // namespace qv::plot
