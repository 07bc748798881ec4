#pragma once
// Where a window goes so that the whole of it, title bar included, is on the screen.
#include "runtime/geometry.h"

namespace qv {

// Room left above a window's content for its title bar.
constexpr int kTitleBarHeight = 22;

// The content rectangle `want` (screen pixels) moved, size unchanged, the least distance that
// puts it and its title bar inside `screen`; a window larger than the screen keeps its top
// left corner on the screen.
rt::Rect placeOnScreen(rt::Rect want, rt::Rect screen);

// True when the content and its title bar lie inside the screen.
bool fitsOnScreen(rt::Rect content, rt::Rect screen);

}  // namespace qv
