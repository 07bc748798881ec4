#include <algorithm>
#include <string>

#include "core/filetable.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/view_state.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

void BuildPopMenu(int16_t menu) {
  beginPopup(menu);
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots) return;
  const int n = std::min<int>(nChannels[f], kMaxChannels);
  for (int c = 1; c <= n; ++c) {
    // Entered as a placeholder first, then given its text: a label may hold ";".
    rt::menuSetItems(menu, c, "dummy");
    rt::menuSetItemText(menu, c, std::to_string(c) + "   " + rt::trimRight(RetrieveLabel(c)));
  }
}

void MakeChannelSelectionsPopUp() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles || !rt::windowExists(1000 + f)) return;
  rt::setOutputWindow(1000 + f);
  if (rt::controlExists(kChannelPopup)) rt::removeControl(kChannelPopup);
  BuildPopMenu(kChannelPopup);
  const bool narrow = ScreenWidth < 996;
  const std::string title = (narrow ? "Chan" : "Channel") + rt::PSstrLong(ActiveChannel);
  const int width = narrow ? 70 : 105;
  rt::FBAppearanceButton(kChannelPopup, 1, ActiveChannel, kChannelPopup, 0, title,
                         {ScreenWidth - width, 0, ScreenWidth, 18}, rt::kControlPopupButton);
}

}  // namespace qv
