#pragma once
// Paging through a file longer than the plot with the arrow keys.
#include <cstdint>

namespace qv::plot {

// The page after key 28 (back) or 29 (on) from `page` of `pageCount` pages: paging wraps
// from the first page to the last and from the last to the first. Other keys keep the page.
int pageAfterKey(int page, int pageCount, int key);

// The page the view shows after a change: a page outside 1..pageCount falls back to the
// page before the change (itself brought inside).
int pageWithin(int page, int previous, int pageCount);

}  // namespace qv::plot
