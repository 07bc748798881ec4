#pragma once
// The printed image of the plot: its page body, its time axis and the title line.
#include <cstdint>
#include <vector>

#include "output/image_page.h"

namespace qv {

struct ImageOptions {
  bool titleBar = true, fileName = true, samplingData = true, comments = true;
  bool dottedLines = true, markers = true, zeroLines = true, customHeights = false;
};

// Zero lines in the strips ("Show Zero Lines").
extern int16_t PZL;
// The plot's width before printing, while the page is drawn at 832 (0 otherwise).
extern int gPrintedFromWidth;

// The cases the page prints: what the plot of slot f shows, or the block with "Block Only".
out::CaseRange printedImageRange(int f);
void PRINTtheCHANNELS(const ImageOptions& o, const std::vector<int>& channels);
void DrawSITimeIndex(int16_t y, uint16_t withLabels);
void TITLE(uint16_t x, int16_t y, uint16_t secondLine);

}  // namespace qv
