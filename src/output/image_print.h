#pragma once
// The printed image of the plot: its page body, its time axis and the title line.
#include <cstdint>
#include <functional>
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
// The whole page of slot f (the file in use) with these options and chosen channels, drawn
// between FBRoute(128) and FBRoute(0); the caller ends it with CloseLPrint. `afterStrip`, when
// given, hears the number of strips drawn so far after each one.
void drawImagePage(int f, const ImageOptions& o, const std::vector<int>& channels,
                   const std::function<void(int)>& afterStrip = {});
// Window 1166 "Printing Alert" while a page of `strips` strips is drawn; its progress bar
// (777) shows `done` strips of them.
void showPrintingAlert(int strips);
void showPrintingProgress(int done);
void PRINTtheCHANNELS(const ImageOptions& o, const std::vector<int>& channels,
                      const std::function<void(int)>& afterStrip = {});
void DrawSITimeIndex(int16_t y, uint16_t withLabels);
void TITLE(uint16_t x, int16_t y, uint16_t secondLine);

}  // namespace qv
