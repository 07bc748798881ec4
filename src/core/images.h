#pragma once
// Our pictures from the resource folders ("DUdoderi" icons, logo and map; "ZUzivuvorovadid"
// splash photographs), loaded and drawn scaled into a rectangle of the output window.
#include <cstdint>
#include <string>

#include "runtime/windows.h"

namespace qv {

// The picture, or none when the file is missing or not a picture. The caller owns it
// (DrawThisImage releases it).
rt::Image CreateCGImageFromBundleResource(const std::string& folder, const std::string& name);

// Draws the picture scaled into the rectangle of the output window, then releases it; none
// draws nothing.
void DrawThisImage(rt::Image image, int16_t left, int16_t top, int16_t right, int16_t bottom);

}  // namespace qv
