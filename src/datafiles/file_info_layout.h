#pragma once
// Where the file information window stands and how tall it is.
#include "runtime/geometry.h"

namespace qv {

// Rows beyond the sixteen the base window holds push what stands below them down.
int fileInfoExtra(int channels);

// Window 444 under the plot area of the plot window whose content is `plot` (forms 0, 1 and
// 3), or at its fixed place over the comments window (form 2); moved up, never shortened,
// so that the whole of it stays on `screen`.
rt::Rect fileInfoWindowRect(int mode, rt::Rect plot, int bottomOfPlotArea, int channels, rt::Rect screen);

}  // namespace qv
