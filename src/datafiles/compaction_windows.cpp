// Edit > Compact & Average: the two tool windows, by a number of samples and by a time
// interval. Both show the file's group means on the plot and can save them.
#include <algorithm>
#include <cmath>
#include <string>

#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "datafiles/compaction.h"
#include "datafiles/datafiles.h"
#include "core/fit_state.h"
#include "output/output.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kWindow = 4, kShowSD = 18, kShowDots = 19, kDo = 20, kSave = 21, kNormal = 22, kDone = 23,
                  kHelp = 24, kFactorField = 101, kDurationField = 102, kDesiredField = 103, kCountField = 104,
                  kUnitPopup = 138;
constexpr int16_t kHelpSubject = 180;

void redrawPlot(int f) {
  if (!rt::windowExists(1000 + f)) return;
  rt::bringWindowForward(1000 + f);
  rt::setOutputWindow(1000 + f);
  ComputePlotFactors(0);
  DrawPlot(0, 0, 1, 1);
  rt::bringWindowForward(kWindow);
  rt::setOutputWindow(kWindow);
}

// The factor's groups must fit in a row: otherwise the user is told the smallest that does.
bool compact(int f, int32_t factor) {
  if (compactedGroups(nCases[f], factor) > kMaxCompactedGroups) {
    Warn(1166, "Compaction refused: ",
         {"A factor of" + rt::PSstrLong(factor) + " makes more than 400,000 groups of this file.",
          "The smallest factor that fits is" + rt::PSstrLong(smallestFittingFactor(nCases[f])) + "."});
    rt::setOutputWindow(kWindow);
    return false;
  }
  CompactedChannel[f] = factor;
  parse = factor;
  if (!doPARSE(1)) return false;
  skid();
  redrawPlot(f);
  rt::setButtonStateIn(kWindow, kSave, 1);
  return true;
}

void normalPlot(int f) {
  CompactedChannel[f] = 0;
  parse = 0;
  redrawPlot(f);
}

void commonButtons(const char* save, const char* doIt, const char* sd, const char* dots) {
  // One check box a row: "Highlight Interval Means" needs the window's width.
  rt::FBButton(kShowSD, prefsArray[47] ? 2 : 1, sd, {10, 220, 310, 238}, 2);
  rt::FBButton(kShowDots, ShowDot ? 2 : 1, dots, {10, 240, 310, 258}, 2);
  rt::FBButton(kDo, 1, doIt, {10, 266, 150, 288}, 4);
  rt::FBButton(kNormal, 1, "Normal Plot", {160, 266, 280, 288}, 1);
  rt::FBButton(kSave, 0, save, {10, 296, 200, 318}, 1);
  rt::FBButton(kHelp, 1, "?", {208, 296, 238, 318}, 1);
  rt::FBButton(kDone, 1, "Done", {246, 296, 312, 318}, 1);
}

// Check boxes, help, save and the end shared by both tools; true when the event was one.
bool commonClick(int f, int16_t id, bool& done) {
  if (id == kShowSD) prefsArray[47] = prefsArray[47] ? 0 : 1, rt::setButtonStateIn(kWindow, id, prefsArray[47] ? 2 : 1);
  else if (id == kShowDots) ShowDot = ShowDot ? 0 : 1, rt::setButtonStateIn(kWindow, id, ShowDot ? 2 : 1);
  else if (id == kHelp) HelpSubject = kHelpSubject, OpenHelpBook(), rt::bringWindowForward(kWindow);
  else if (id == kSave) {
    CompactedChannel[f] = parse;
    SAVEDATAFILE(0, 0, 1);
    rt::bringWindowForward(kWindow);
  } else if (id == kNormal) normalPlot(f);
  else if (id == kDone) done = true;
  else return false;
  if (id == kShowSD || id == kShowDots) redrawPlot(f);
  rt::setOutputWindow(kWindow);
  return true;
}

void leave(int f) {
  rt::closeWindow(kWindow);
  bup();
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  if (FileSHORTS[f][kViewModeWord] != 0) RefreshSCREEN();
}

void showFactor(int f, int32_t n) {
  rt::setEditTextIn(kWindow, kFactorField, rt::PSstrLong(n));
  rt::setEditTextIn(kWindow, kDurationField, rt::PSstr(double(n) * FileInfoFLOATS[f][1]));
  rt::setButtonStateIn(kWindow, 17, n > 1 ? 1 : 0);
  rt::setButtonStateIn(kWindow, 15, n > 10 ? 1 : 0);
  rt::setButtonStateIn(kWindow, 16, n == 100 || (n == 50 && nCases[f] <= 999) ? 0 : 1);
}

}  // namespace

void PARSEbySAMPLES() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  SavedHandlers saved;
  OpenResultsWindow(0, 0, "Compact and Average", 0);
  EmbossPrint(1, "Multi-sample averaging", 20, 10, 30);
  ch = ActiveChannel;
  int32_t n = CompactedChannel[f] ? CompactedChannel[f] : 10;
  parse = n;
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 60, "Compaction factor:");
  PrintAt(10, 84, "Block duration:");
  PrintAt(10, 130, "Samples to average:");
  PrintAt(230, 84, "sec");
  buildef(0, kFactorField, "", 140, 48, 220, 64, 7, 0);
  buildef(0, kDurationField, "", 140, 72, 220, 88, 7, 0);
  static constexpr int kPresets[] = {5, 10, 20, 30, 40, 50, 100, 200};
  for (int b = 1; b <= 8; ++b) {
    if ((b == 7 && nCases[f] < 3000) || (b == 8 && nCases[f] < 8000)) continue;
    const int x = 10 + ((b - 1) % 4) * 50, y = 140 + ((b - 1) / 4) * 24;
    const bool dimmed = (b == 1 && nCases[f] >= 250000) || (b == 2 && nCases[f] >= 500000);
    rt::FBButton(b, dimmed ? 0 : 1, std::to_string(kPresets[b - 1]), {x, y, x + 45, y + 20}, 1);
  }
  rt::FBButton(16, 1, " + 1", {216, 140, 262, 160}, 1);
  rt::FBButton(17, 1, "-1", {266, 140, 312, 160}, 1);
  rt::FBButton(14, 1, " + 10", {216, 164, 262, 184}, 1);
  rt::FBButton(15, 1, "-10", {266, 164, 312, 184}, 1);
  commonButtons("Save Compacted Data", "Do Compaction", "show S.D.", "Highlight Data Means");
  showFactor(f, n);
  installModalHandlers();
  action = eventID = 0;
  for (bool done = false; !done;) {
    const auto [a, id] = takeAction();
    rt::setOutputWindow(kWindow);
    if (a == 4 || (a == 3 && id != kWindow)) break;
    if (a == 16 && (id == '?' || id == '/')) HelpSubject = kHelpSubject, OpenHelpBook();
    if (a != 1) continue;
    if (id >= 1 && id <= 8) n = kPresets[id - 1];
    else if (id == 14 || id == 15) n = std::max(2, n + (id == 14 ? 10 : -10));
    else if (id == 16 || id == 17) n = std::max(2, n + (id == 16 ? 1 : -1));
    else if (id == kDo) {
      if (n < 2) n = 10;
      compact(f, n);
    } else {
      parse = n;
      commonClick(f, id, done);
      n = parse ? parse : n;
    }
    parse = n;
    showFactor(f, n);
  }
  leave(f);
}

namespace {

void BadParseInterval(bool tooLong) {
  WarningSpec s;
  s.window = 1166;
  s.title = "Bad Compaction Interval!";
  s.heading = "The selected interval is";
  s.lines = {tooLong ? "too long " : "too short ", tooLong ? " ( > 20% of file duration)" : " (< 1 sample interval)"};
  s.sound = "";
  s.icon = 128;
  s.endsOnWindowClick = true;
  bzot();
  ShowWarning(s);
}

// Shows the desired interval's factor, its 'true' interval and the count; false when refused.
bool RealTimeParseInterval(int f, bool warn, double value, int unit) {
  const TimeCompaction t = timeCompaction(value, unit, FileInfoFLOATS[f][1], nCases[f]);
  rt::setOutputWindow(kWindow);
  rt::setEditTextIn(kWindow, kDurationField, rt::PSstrLong(t.factor));
  rt::setEditTextIn(kWindow, kFactorField, rt::PSstr(t.achieved));
  if (t.intervals > 0) {
    rt::setEditTextIn(kWindow, kCountField, rt::PSstrLong(t.intervals));
    return true;
  }
  if (warn) BadParseInterval(t.tooLong);
  rt::setOutputWindow(kWindow);
  return false;
}

}  // namespace

void PARSEbyTIME() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  SavedHandlers saved;
  OpenResultsWindow(0, 0, "Compact and Average", 0);
  EmbossPrint(1, "Time interval averaging", 20, 10, 30);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(185, 51, "Desired interval");
  PrintAt(7, 95, " 'true'");
  PrintAt(7, 109, "interval:");
  PrintAt(7, 133, "Block size:");
  PrintAt(161, 133, "intervals:");
  buildef(1, kDesiredField, "1", 120, 40, 180, 56, 1, 0);
  buildef(0, kFactorField, "", 70, 98, 150, 114, 7, 0);
  buildef(0, kDurationField, "", 80, 122, 150, 138, 7, 0);
  buildef(0, kCountField, "", 230, 122, 300, 138, 7, 0);
  int unit = initialTimeUnit(FileInfoFLOATS[f][1], nCases[f]);
  TimeAveragingPopup(kUnitPopup);
  rt::FBAppearanceButton(kUnitPopup, 1, unit, kUnitPopup, 0, "", {185, 60, 320, 80}, rt::kControlPopupButton);
  static constexpr const char* kPresets[] = {"1", "2", "5", "10", "15", "20", "30", "40", "50", "100"};
  for (int b = 1; b <= 10; ++b) {
    const int x = 7 + ((b - 1) % 5) * 45, y = 160 + ((b - 1) / 5) * 24;
    rt::FBButton(b, 1, kPresets[b - 1], {x, y, x + 40, y + 20}, 1);
  }
  commonButtons("Save Averaged Data", "Do Averaging", "Show S.D.", "Highlight Interval Means");
  rt::setButtonStateIn(kWindow, 1, 1);
  RealTimeParseInterval(f, false, 1, unit);
  double lastValue = 1;
  installModalHandlers();
  action = eventID = 0;
  for (bool done = false; !done;) {
    const auto [a, id] = takeAction();
    rt::setOutputWindow(kWindow);
    if (a == 4) break;
    const bool elsewhere = a == 3 && id != kWindow;
    if (a == 1 && id >= 1 && id <= 10) {
      rt::setEditTextIn(kWindow, kDesiredField, kPresets[id - 1]);
      continue;
    }
    const double value = rt::PSval(rt::editTextIn(kWindow, kDesiredField));
    if (a == 1 && id == kUnitPopup) {
      unit = rt::controlValueIn(kWindow, kUnitPopup);
      if (value > 0) RealTimeParseInterval(f, true, value, unit), lastValue = value;
      continue;
    }
    if ((a == 16 || elsewhere) && value > 0 && value != lastValue) {
      RealTimeParseInterval(f, true, value, unit);
      lastValue = value;
    }
    if (elsewhere || a != 1) continue;
    if (id == kDo) {
      int32_t n = int32_t(rt::PSval(rt::editTextIn(kWindow, kDurationField)));
      if (n < 2) n = 5;
      TimeUnits = unit <= 2 ? 2 : unit == 3 ? 1 : 0;
      compact(f, n);
    } else {
      commonClick(f, id, done);
    }
  }
  leave(f);
}

}  // namespace qv
