// Window 6 "Conditional Data Save": which channel's values decide whether a row is saved,
// the test, and the value tested against.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/warning.h"
#include "datafiles/save_options.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kWindow = 6, kValue = 100, kOk = 30, kFirstTest = 125, kLastTest = 129;
const char* const kTestTitles[] = {"<", " =< ", " = ", " >=  ", " > "};

// Return: typed in the window, or in its edit field (which leaves no key number).
bool returnKey(int16_t what, int16_t id) { return what == 16 && (id == 13 || id == 3 || id == 0); }

void build(int n) {
  BuildWINDOW(kWindow, "Conditional Data Save", 40, 75, 610, int16_t(conditionalWindowBottom(n)), 262);
  for (int k = 1; k <= n; ++k)
    rt::FBButton(k, k == prefsArray[26] ? 2 : 1, "channel" + rt::PSstrLong(k) + ":  " + RetrieveLabel(k),
                 {10, 17 * k + 10, 370, 17 * k + 28}, 3);
  for (int16_t t = kFirstTest; t <= kLastTest; ++t) {
    const int top = 30 + 23 * (t - kFirstTest);
    rt::FBButton(t, t == prefsArray[27] ? 2 : 1, kTestTitles[t - kFirstTest], {390, top, 440, top + 20}, 3);
  }
  EFForeColor = 0;
  EFBackColor = 6;
  std::string value = rt::PSstr(selectionvalue);
  if (!value.empty() && value[0] == ' ') value.erase(0, 1);
  buildef(1, kValue, value, 439, 76, 550, 96, 1, 0);
  SetTextStyle(KestrixFont, 18, 0);
  PrintAt(20, 20, "Save if this channel's values       .....       meet this condition:");
  rt::FBButton(kOk, 1, "Selection OK", {370, 160, 550, 180}, 4);
}

void pick(int16_t first, int16_t last, int16_t id) {
  for (int16_t b = first; b <= last; ++b) rt::setButtonStateIn(kWindow, b, b == id ? 2 : 1);
}

bool takeValue() {
  double v = 0;
  const std::string text = rt::editTextIn(kWindow, kValue);
  if (rt::PSvalStrict(text, v) && std::isfinite(float(v))) {
    selectionvalue = float(v);
    return true;
  }
  Warn(1166, "Conditional save: ", {"\u201C" + text + "\u201D is not a number.", "Please type the value to test against."});
  rt::setOutputWindow(kWindow);
  return false;
}

}  // namespace

void ConditionalSaveWindow(int16_t firstSaved) {
  const int f = TheFileInUse;
  const int n = std::clamp<int>(nChannels[f], 0, kMaxChannels);
  SavedHandlers saved;
  if (firstSaved >= 1 && firstSaved <= n) prefsArray[26] = firstSaved;
  build(n);
  installModalHandlers();
  action = eventID = 0;
  for (bool done = false; !done;) {
    const auto [what, id] = takeAction();
    if (what == 1 && id >= 1 && id <= n) {
      prefsArray[26] = id;
      pick(1, int16_t(n), id);
    } else if (what == 1 && id >= kFirstTest && id <= kLastTest) {
      prefsArray[27] = id;
      pick(kFirstTest, kLastTest, id);
    } else if ((what == 1 && id == kOk) || returnKey(what, id) || (what == 3 && id != kWindow)) {
      // A test and a number to test against: the window stays until both are there.
      const int16_t t = prefsArray[27];
      if ((t < kFirstTest || t > kLastTest) && (t < 25 || t > 29)) {
        Warn(1166, "Conditional save: ", {"Please choose the test the values must meet."});
        rt::setOutputWindow(kWindow);
        continue;
      }
      done = takeValue();
      if (!done && rt::windowExists(kWindow)) rt::bringWindowForward(kWindow);
    }
  }
  rt::closeWindow(kWindow);
}

}  // namespace qv
