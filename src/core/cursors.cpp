#include "core/cursors.h"

#include "core/colors.h"
#include "core/prefs.h"
#include "runtime/events.h"
#include "runtime/windows.h"

namespace qv {

void ChangeCursor(const std::string& imageName) { rt::setImageCursor(imageName, 6, 6); }

void KillSpinningCursor() { rt::keepResponsive(); }

void SetCrossCursor() {
  rt::setCursor(rt::Cursor::Cross);
  const bool dark = plotBackColor.red <= 16999 && plotBackColor.green <= 16999 && plotBackColor.blue <= 16999;
  if (prefsArray[68] == 1 && dark) ChangeCursor("NewCrossCursor.png");
}

}  // namespace qv
