#pragma once
// Stepping the block through the file by its own width, and the width of the fixed-width
// block that one click selects.
#include <cstdint>
#include <optional>
#include <string>

namespace qv::plot {

// The block begin..end moved one width left (direction -1) or right (+1) in a file of
// nCases cases; with `overlap` the new block shares one case with the old one. Empty when
// the move would leave the file (case 0 holds no sample, so a block never starts there).
struct ShiftedCases {
  int32_t begin = 0, end = 0;
};
std::optional<ShiftedCases> shiftedBlock(int32_t begin, int32_t end, int32_t nCases, bool overlap, int direction);

// The duration the block-width dialog offers: about twelve sample intervals, cut to
// hundredths of a second; 0 when the interval cannot give one.
double offeredBlockSeconds(double interval);

// Half-width in cases of a fixed-width block of `seconds`, or the message that says why the
// duration cannot be taken (the duration must lie between 0 and the file's length).
struct HalfWidth {
  int32_t cases = 0;
  std::string error;
};
HalfWidth blockHalfWidth(double seconds, double interval, int32_t nCases);

// Field 17's text for a fixed-width block of `halfCases` cases either side: its whole width
// in seconds below two minutes, else in minutes.
std::string fixedWidthText(int32_t halfCases, double interval);

}  // namespace qv::plot
