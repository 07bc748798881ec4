#pragma once
// The time-series window (lag panels) and its periodicity test, as the window procedures see
// them: the block and channel they work on, taken once when the window opens.
#include <cstdint>
#include <span>
#include <vector>

#include "runtime/geometry.h"

namespace qv {

struct SeriesBlock {
  int f = 0;
  int16_t channel = 1;
  int32_t begin = 0, end = 0;
  float dt = 1.0f;
  float lo = 0.0f, hi = 0.0f;  // the channel's range over the block, taken on entry
  std::span<const float> y;     // the channel, entries 0..nCases
};

// The 18 screen panels (window 6) for this lag and step.
void PLOTSERIES(const SeriesBlock& b, int32_t step, int32_t lag);
// The page of 24 panels with the header and the notes.
void PRINTSERIES(const SeriesBlock& b, int32_t step, int32_t lag);
// The header block and a small trace of the block: in the output window (forPrinter 0, top at
// y 30) or on the page (forPrinter 1, at y 475). `top` moves it down by that many pixels.
void PrintSeriesBASICS(const SeriesBlock& b, uint16_t forPrinter, int top = 0);

// Lit pixels of a panel mask painted in the current colour, the mask's top left at `origin`.
void paintMask(const std::vector<uint8_t>& mask, rt::Point origin);

// The periodicity test: K from window 12 (0 when none), and the test window.
int32_t PERIODICITYSAMPLES(int32_t blockLength);
void SUMTIMESTATS(const SeriesBlock& b, int32_t lag, int32_t step, int32_t K, bool reduced);

}  // namespace qv
