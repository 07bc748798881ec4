// The timing-error warning, its list of cases and the longest averaging interval.
#include "thermoreg/timing_windows.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "thermoreg/commands.h"
#include "thermoreg/treg_state.h"

namespace qv {

namespace {

constexpr int16_t kWarningWindow = 25, kListWindow = 1202, kIntervalWindow = 90;
constexpr int kShowErrors = 1, kClose = 2, kCancelSaving = 3;
constexpr int kIntervalField = 3, kIntervalDone = 10;

void buildWarning(int count, bool withCancel) {
  BuildWINDOW(kWarningWindow, "Possible time error", 100, 100, 521, withCancel ? 349 : 319, 6);
  WARNINGSTRIPES(1, 10, 33, 8);
  DrawIcon(129, 30, 66);
  SetTextStyle(KestrixFont, 30, rt::kBold);
  const rt::RGB shades[] = {rgbyellow, RGBred, RGBblack};
  for (int k = 0; k < 3; ++k) {
    rt::foreColor(shades[k]);
    PrintAt(120 + k, 56 + k, "WARNING !");
  }
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 13, 0);
  const std::string first = count == 1 ? "Quorvelant detected a possible timing error"
                                       : "Quorvelant detected " + std::to_string(count) + " possible timing errors";
  const char* rest[] = {"in the data file.   This can cause problems with any",
                        "calculations involving activity periods.   Please check",
                        "the 'time of day' channel and fix any errors."};
  PrintAt(30, 100, first);
  for (int k = 0; k < 3; ++k) PrintAt(30, 118 + 18 * k, rest[k]);
  rt::FBButton(kShowErrors, 1, count < 101 ? "Show Error Locations" : "Show First 100 Error Locations",
               {30, 190, 260, 212}, 1);
  rt::FBButton(kClose, 1, "Close", {300, 190, 390, 212}, 4);
  if (withCancel) rt::FBButton(kCancelSaving, 1, "Cancel Saving of Results", {30, 230, 300, 250}, 2);
}

}  // namespace

void ShowTimingErrors() {
  const int shown = std::min<int>(prefsArray[58], kTimingErrorsListed);
  rt::closeWindow(kListWindow);
  BuildWINDOW(kListWindow, "Timing error locations", 600, 50, 800, 500, 5);
  rt::setWindowMinSize(kListWindow, 200, 120);
  std::string text = "Possible errors at cases:\n";
  for (int k = 1; k <= shown; ++k) text += std::to_string(TimingErrors[size_t(k)]) + "   ";
  rt::FBTextView(1, {8, 8, 192, 442}, false);
  rt::textViewSetPlain(1, text);
  if (rt::windowExists(kWarningWindow)) rt::bringWindowForward(kWarningWindow);
}

int16_t TimingWarning(int16_t withCancel) {
  const int count = prefsArray[58];
  if (count <= 0) return 0;
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  buildWarning(count, withCancel != 0);
  playIfSoundsOn("bzot.mp3");
  if (prefsArray[7] >= 26) scream();
  installModalHandlers();
  action = eventID = 0;
  int16_t cancel = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id == kShowErrors) {
      ShowTimingErrors();
    } else if (a == 1 && id == kCancelSaving && withCancel) {
      cancel = int16_t(cancel ? 0 : 1);
      rt::setButtonState(kCancelSaving, cancel ? 2 : 1);
    } else if (a == 4 && id == kListWindow) {
      rt::closeWindow(kListWindow);
    } else if ((a == 1 && id == kClose) || a == 16 || (a == 4 && id == kWarningWindow) ||
               (a == 3 && id != kWarningWindow && id != kListWindow)) {
      break;
    }
  }
  rt::closeWindow(kWarningWindow);
  if (savedOutput && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  return cancel;
}

void SetLongestTimeAverage() {
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  BuildWINDOW(kIntervalWindow, "Maximum Averaging Interval", 100, 100, 500, 300, 262);
  SetTextStyle(KestrixFont, 13, 0);
  const float now = MaxAverageIntervalinDays;
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, 1,
          "Set the maximum averaging interval for .csv file processing of thermoregulatory cost data (currently" +
              rt::PSstr(now) + (now > 1 ? " days)" : " day)"),
          20, 16, 380, 70, 7, 0);
  PrintAt(20, 106, "New interval: ");
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, kIntervalField, "1", 120, 93, 190, 110, 3, 2);
  PrintAt(200, 106, "day(s)");
  rt::FBButton(kIntervalDone, 1, "Done", {290, 150, 380, 172}, 4);
  rt::selectEditField(kIntervalField, 0, 1);
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == kIntervalDone) || a == 16 || a == 4) break;
  }
  const std::optional<double> typed = typedNumber(rt::editText(kIntervalField));
  MaxAverageIntervalinDays = typed && *typed > 0 ? float(*typed) : 1.0f;
  rt::closeWindow(kIntervalWindow);
  if (savedOutput && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
}

}  // namespace qv
