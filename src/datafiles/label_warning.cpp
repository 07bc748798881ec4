// Window 4 after a Sable file without channel labels was opened: it says so, goes away by
// itself after 8 seconds, and then the file-data editor lets the user add the labels.
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/images.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "datafiles/datafiles.h"
#include "datafiles/load_windows.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "core/script_state.h"

namespace qv {

namespace {

constexpr std::string_view kNoLabels = "[ NO LABELS ]";
constexpr uint32_t kLabelWarningTicks = 480;  // 8 s

bool fileHasNoLabels(int f) { return LabelStrings[f][1].compare(0, kNoLabels.size(), kNoLabels) == 0; }

void buildLabelWarning() {
  BuildWINDOW(kLabelWarningWindow, " ", 82, 95, 401, 270, 6);
  rt::setCursor(rt::Cursor::Arrow);
  DrawIcon(129, 23, 38);
  DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "SCCF.gif"), 4, 53, 81, 127);
  EmbossPrint(1, "Caution...", 32, 100, 34);
  if (prefsArray[7] && !RunScript && !prefsArray[48]) PlaySound("brrrp.mp3");
  SetTextStyle(3, 12, 0);
  rt::foreColor(RGBblack);
  PrintAt(125, 162, "click to continue...");
  rt::foreColor(RGBred);
  rt::paintRect({85, 51, 316, 125});
  InvertedBox(85, 51, 316, 125);
  SetTextStyle(KestrixFont, 13, rt::kBold);
  rt::foreColor(RGBwhite);
  PrintAt(90, 68, "Sable files lack channel labels, mass,");
  PrintAt(90, 86, "temperature, or other variables.");
  PrintAt(90, 114, "You can add them in the next window.");
  rt::foreColor(RGBblack);
  rt::flushWindow(kLabelWarningWindow);
}

// Until the mouse button is pressed, a window is clicked, the window's close box, or the
// time is up. Scripted runs do not wait on the clock: the warning goes at its deadline.
void waitForClickOrTimeout() {
  const uint32_t deadline = rt::TickCount() + kLabelWarningTicks;
  if (rt::script::active()) {
    rt::waitUntilTick(deadline);
    return;
  }
  SavedHandlers saved;
  rt::setHandler(rt::Vector::Menu, noMENU);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  action = eventID = 0;
  while (rt::TickCount() < deadline) {
    rt::FBHandleEvents();
    if (rt::Button() || action == 3 || (action == 4 && eventID == kLabelWarningWindow) || gQuitPending) break;
    action = eventID = 0;
  }
  action = eventID = 0;
  MenuIDENTIFIER = MenuItem = 0;
}

}  // namespace

void LABELwarn() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles || !fileHasNoLabels(f)) return;
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  if (rt::windowExists(kToolBarWindow)) rt::hideWindow(kToolBarWindow);
  buildLabelWarning();
  waitForClickOrTimeout();
  rt::closeWindow(kLabelWarningWindow);
  downvip();
  EditFileData(1);
}

}  // namespace qv
