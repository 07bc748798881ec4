#pragma once
// The case of the file under the pointer of a plot window, and the half-width in pixels of
// the fixed-width block there (a plain computation, tested on its own).
#include <cstdint>

namespace qv {

struct PointerView {
  int32_t nCases = 0;
  int screenWidth = 0;  // width of the plot area
  int windowWidth = 0;
  bool zoomed = false, compressed = false;
  int32_t zoomLeft = 0, zoomRight = 0;
  int xstep = 1;
  int page = 1;
  int32_t abu = 0, abunit = 0;
};

struct PointerCase {
  int32_t kase = 1;          // always 1..nCases
  int64_t halfWidth = 0;     // pixels
};

PointerCase CaseUnderPointer(const PointerView& v, int x);

}  // namespace qv
