// The data rejection rules of the costs: which missing microclimate values reject a case.
#include "core/event_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "runtime/windows.h"
#include "thermoreg/option_windows.h"

namespace qv {

namespace {

constexpr int16_t kShadeMissing = 1, kSunMissing = 2, kWindMissing = 3, kClose = 10, kHelpButton = 11;
constexpr int16_t kRejectionHelp = 260;

void rule(int16_t id, int16_t word, std::string_view text, std::string_view note, int top, bool enabled) {
  rt::FBButton(id, enabled ? (prefsArray[word] ? 2 : 1) : 0, text, {12, top, 292, top + 20}, 2);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, int16_t(20 + id), note, 32, int16_t(top + 20), 292, int16_t(top + 38), 7, 0);
}

}  // namespace

void SetRejectionRules() {
  BuildWINDOW(kRejectionWindow, "Data Rejection Criteria", 150, 60, 450, 320, 6);
  SetTextStyle(int16_t(rt::fontNumber("Lucida Grande")), 14, 0);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, 30, "Set the criteria for rejecting microclimate data on a case-by-case basis", 10, 8, 290, 48, 7, 0);
  rule(kShadeMissing, 59, "Reject data if shade Ta is missing", "(otherwise, use sun Ta if available) ", 56, true);
  rule(kSunMissing, 60, "Reject data if sun Ta is missing", "(otherwise, use shade Ta if available) ", 104, true);
  rule(kWindMissing, 61, "Reject data if wind speed is missing", "(otherwise, assume wind speed = .01 m/s) ", 152,
       prefsArray[56] != 0);
  rt::FBButton(kHelpButton, 1, "?", {12, 222, 42, 242}, 1);
  rt::FBButton(kClose, 1, "Close", {200, 222, 290, 242}, 4);
  for (bool done = false; !done && !gQuitPending;) {
    const OptionEvent e = nextOptionEvent();
    if (e.kind == 1 && e.id >= kShadeMissing && e.id <= kWindMissing) {
      const int16_t word = int16_t(58 + e.id);
      TogglePrefs(word);
      rt::setButtonStateIn(kRejectionWindow, e.id, prefsArray[word] ? 2 : 1);
    } else if (e.kind == 1 && e.id == kHelpButton) {
      HelpSubject = kRejectionHelp;
      OpenHelpBook();
    } else if ((e.kind == 1 && e.id == kClose) || e.kind == 16 || e.kind == 4) {
      done = true;
    }
  }
  rt::closeWindow(kRejectionWindow);
  if (rt::windowExists(kCostOptionsWindow)) rt::bringWindowForward(kCostOptionsWindow);
}

}  // namespace qv
