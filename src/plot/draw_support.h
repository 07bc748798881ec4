#pragma once
// Helpers the plot's drawing routines share: the view of a file as the geometry sees it,
// dotted lines, and the number texts of the plot.
#include <string>

#include "plot/geometry.h"
#include "runtime/geometry.h"

namespace qv::plot {

// The view of slot f with the plot's current width, page, zoom and pixels per case.
PlotView viewOfSlot(int f);

// The strip of a channel of slot f in the multi-channel view (channel clamped to 0..40).
StripEdges stripOfChannel(int f, int channel);

// ScaleMode, minimumValue and maximumValue of the active channel: its mode, then its fixed
// limits (mode -1) or the extremes of the cases shown (FindMinMax).
void takeActiveChannelScale();

// The samples of a channel of a slot, or nullptr when the channel has none.
const float* channelSamples(int f, int channel);

// A dotted line along a row or a column: one pixel in `every`, in the pen's colour and mode.
void dottedHLine(int x1, int x2, int y, int every = 2);
void dottedVLine(int x, int y1, int y2, int every = 2);

// A case count with thousands separators.
std::string caseCountText(long long n);

// The plot's static texts: a field of the output window with its colours and font.
void staticField(int id, const std::string& text, rt::Rect r, rt::RGB textColor, rt::RGB background, int font,
                 int size, int style);

}  // namespace qv::plot
