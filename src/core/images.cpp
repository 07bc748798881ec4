#include "core/images.h"

namespace qv {

rt::Image CreateCGImageFromBundleResource(const std::string& folder, const std::string& name) {
  return rt::loadImage(folder, name);
}

void DrawThisImage(rt::Image image, int16_t left, int16_t top, int16_t right, int16_t bottom) {
  if (!image) return;
  rt::drawImage(image, {left, top, right, bottom});
  rt::releaseImage(image);
}

}  // namespace qv
