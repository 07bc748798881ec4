#include "datafiles/text_size_warning.h"

#include "core/colors.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "runtime/windows.h"

namespace qv {

void KestRixTextSizeWarning() {
  constexpr int16_t kWindow = 20;
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  BuildWINDOW(kWindow, "Large File Size", 120, 120, 520, 255, 6);
  WARNINGSTRIPES(1, 10, 33, 6);
  DrawIcon(129, 18, 60);
  SetTextStyle(KestrixFont, 20, rt::kBold);
  rt::foreColor(RGBred);
  rt::moveTo(60, 45);
  rt::drawString("Caution: ");
  SetTextStyle(KestrixFont, 16, 0);
  rt::foreColor(RGBblack);
  rt::drawString(" this file will contain more");
  PrintAt(60, 67, "cases than can be read by old versions");
  PrintAt(60, 89, "of Quorvelant  (OK for new versions).");
  rt::FBButton(1, 1, "close", {290, 100, 380, 122}, 4);
  action = eventID = 0;
  installModalHandlers();
  for (;;) {
    waitForAction();
    const bool done = (action == 1 && eventID == 1) || (action == 16 && (eventID == 13 || eventID == 3)) ||
                      (action == 4 && eventID == kWindow);
    action = eventID = 0;
    if (done) break;
  }
  rt::closeWindow(kWindow);
  if (rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
}

}  // namespace qv
