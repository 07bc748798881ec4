#include "core/pointer_case.h"

#include <algorithm>

namespace qv {

PointerCase CaseUnderPointer(const PointerView& v, int x) {
  PointerCase r;
  const int64_t n = v.nCases;
  const int64_t width = v.screenWidth > 0 ? v.screenWidth : 1;
  int64_t kase;
  if (v.zoomed) {
    const int64_t span = int64_t(v.zoomRight) - v.zoomLeft;
    if (span > 0) {
      kase = v.zoomLeft + span * x / width;
      r.halfWidth = n * (int64_t(v.abu) + 1) / span;
    } else {
      // A zoom of a single case: everything under the pointer is that case.
      kase = v.zoomLeft;
      r.halfWidth = v.abu;
    }
  } else if (!v.compressed || v.windowWidth >= n) {
    const int64_t xstep = v.xstep > 0 ? v.xstep : 1;
    const int64_t page = v.page >= 1 ? v.page : 1;
    kase = std::min<int64_t>(n, (page - 1) * width + x / xstep);
    r.halfWidth = xstep * v.abunit;
  } else {
    kase = int64_t(double(n) * (double(x) / double(width)));
    r.halfWidth = v.abu;
  }
  // The pointer always names a case of the file.
  r.kase = int32_t(std::clamp<int64_t>(kase, 1, std::max<int64_t>(n, 1)));
  r.halfWidth = std::clamp<int64_t>(r.halfWidth, 0, 32000);
  return r;
}

}  // namespace qv
