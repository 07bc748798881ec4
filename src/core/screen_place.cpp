#include "core/screen_place.h"

#include <algorithm>

namespace qv {

namespace {

// The start of a span of `length` inside [low, high), moved the least from `start`; a span
// longer than the room starts at low.
int fitSpan(int start, int length, int low, int high) { return std::max(low, std::min(start, high - length)); }

}  // namespace

rt::Rect placeOnScreen(rt::Rect want, rt::Rect screen) {
  const int w = want.width(), h = want.height();
  const int left = fitSpan(want.left, w, screen.left, screen.right);
  const int top = fitSpan(want.top, h, screen.top + kTitleBarHeight, screen.bottom);
  return {left, top, left + w, top + h};
}

bool fitsOnScreen(rt::Rect content, rt::Rect screen) {
  return content.left >= screen.left && content.right <= screen.right &&
         content.top - kTitleBarHeight >= screen.top && content.bottom <= screen.bottom;
}

}  // namespace qv
