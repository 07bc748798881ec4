#pragma once
// Asking the user for a case or a block of the plot of the file in use while the rest of
// the program waits. Both loops follow the pointer with the plot's own case mapping (the
// paged, whole-file or zoomed view as shown) and can be left without a pick.
#include <cstdint>
#include <optional>

#include "plot/block_geometry.h"

namespace qv {

namespace pick {

// The case a click at x names in the view; none when it lies outside 1..nCases, so that a
// click past the data or at the left edge picks nothing.
std::optional<int32_t> caseAt(const plot::BlockView& v, int x);

// The baseline block around clicked case c: c - half .. c + half, kept inside 1..nCases.
struct CaseSpan {
  int32_t begin = 0, end = 0;
};
CaseSpan blockAround(int32_t c, int32_t half, int32_t nCases);

}  // namespace pick

// One case: true with the case (1 <= case < nCases) in BeginBlock, false when the user
// cancelled (Escape, button 132, a click in window 9) or the file has fewer than 2 cases.
bool GETPoint();
// One block (or one case in points mode, prefsArray[22] 0) by the plot's own selection:
// true with block state 2 and BeginBlock/EndBlock set; false when ended by button 131 or
// window 9 (BaseLineButton 131) or cancelled (Escape or button 132: BaseLineButton 132).
// With allowViewToggle, Return or Space switches the whole-file view.
bool GetBlocksWithCursor(int16_t allowViewToggle);

}  // namespace qv
