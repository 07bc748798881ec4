#pragma once
// Our pictures from the resource folders, drawn into the output window.
#include <string>

#include "runtime/geometry.h"

namespace qv {

// Draws the named picture scaled into r; false (and nothing drawn) when it is missing.
bool drawPicture(const std::string& folder, const std::string& name, rt::Rect r);

}  // namespace qv
