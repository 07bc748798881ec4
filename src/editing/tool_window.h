#pragma once
// Small pieces the channel edits' windows share.
#include <string>
#include <string_view>

#include "runtime/geometry.h"

namespace qv {

// Grows the window to `height` pixels of content when it is shorter, and moves it up as far
// as it must to keep its bottom on the screen.
void keepToolWindowOnScreen(int window, int height);
// Where a tool window of this content size goes: right of the plot window of the file in use
// when the screen has room there, else over its lower right corner; always on the screen.
rt::Rect besideThePlot(int width, int height);
// The plot after cases were cut from the file (or, with wholeFile false, from the active
// channel alone): the multi-channel view's strips, or the single plot, and the slider.
void redrawAfterReshape(int file, bool wholeFile);
// A label as the file keeps it: cut or padded with blanks to 30 characters.
std::string fixedLabel(std::string_view typed);

}  // namespace qv
