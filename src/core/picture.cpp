#include "core/picture.h"

#include "runtime/windows.h"

namespace qv {

bool drawPicture(const std::string& folder, const std::string& name, rt::Rect r) {
  rt::Image img = rt::loadImage(folder, name);
  if (!img) return false;
  rt::drawImage(img, r);
  rt::releaseImage(img);
  return true;
}

}  // namespace qv
