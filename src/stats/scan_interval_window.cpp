// The Scan Interval dialog (window 5) and the scan driver: the duration and the exclusion
// limits are asked, the window length announced, the most-variable mode chosen, and the scan
// run over the block of the channel in use.
#include <cmath>
#include <span>
#include <string>

#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/typed_number.h"
#include "core/warning.h"
#include "output/output.h"
#include "core/output_state.h"
#include "output/results_layout.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/analysis_window.h"
#include "stats/block_value_range.h"
#include "stats/commands.h"
#include "stats/scan_result.h"
#include "core/scan_state.h"
#include "stats/scan_windows.h"
#include "core/stats_state.h"

namespace qv {

namespace {

constexpr int kScanWindow = 5, kResultsWindow = 4;
constexpr int kDurationField = 101, kIntervalOK = 124, kReuse = 156, kLowerBox = 157, kUpperBox = 158;
constexpr int kLowerField = 1001, kUpperField = 1002;
constexpr int kOverallSlope = 124, kPointToPoint = 120;
constexpr int kScanHelp = 187;
constexpr int kWidth = 330;

ValueRange blockRange() {
  return blockValueRange(analysisSamples(TheFileInUse, ch), BeginBlock.inUse(), EndBlock.inUse());
}

double sampleInterval() { return analysisSlotInUse(TheFileInUse) ? FileInfoFLOATS[TheFileInUse][1] : 0.0; }

// Below the plot area, beside the results window, and always on the screen.
void openScanWindow(int height) {
  int left = 340, top = 560;
  if (rt::windowExists(kResultsWindow)) {
    const rt::Rect r = rt::windowContentRect(kResultsWindow);
    left = r.right + 12;
    top = r.top;
  } else if (analysisSlotInUse(TheFileInUse) && rt::windowExists(1000 + TheFileInUse)) {
    const rt::Rect p = rt::windowContentRect(1000 + TheFileInUse);
    left = p.left + 334;
    top = p.top + BottomOfPlotArea + 123;
  }
  const rt::Rect s = rt::screenRect();
  left = std::max(s.left, std::min(left, s.right - kWidth));
  top = std::max(s.top + 24, std::min(top, s.bottom - height));
  BuildWINDOW(kScanWindow, "Scan Interval", int16_t(left), int16_t(top), int16_t(left + kWidth), int16_t(top + height),
              6);
}

// The block's cases and duration, and a rule under them.
void headerLines(int y) {
  SetTextStyle(KestrixFont, 12, 0);
  const ResultsHeader h =
      resultsHeader(ch, RetrieveLabel(ch), BeginBlock.inUse(), EndBlock.inUse(), sampleInterval());
  PrintAt(6, y, h.casesLine);
  DoubleLINE(0, kWidth, int16_t(y + 6));
}

void setBox(int id, bool on) {
  if (rt::controlExistsIn(kScanWindow, id)) rt::setButtonStateIn(kScanWindow, id, on ? 2 : 1);
}

void buildDialog(int32_t blockCases, const ValueRange& block) {
  openScanWindow(272);
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(6, 28, " Number of seconds to scan:");
  rt::FBEditField(kDurationField, rt::PSstr(startsize), {210, 10, 318, 34}, 3);
  rt::setEditFont(kDurationField, KestrixFont, 16, rt::kBold);
  headerLines(54);
  INTERVALCHOICE(blockCases);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kReuse, ConstScan ? 2 : 1, "Re-use This Interval", {10, 196, 200, 214}, 2);
  PrintAt(10, 236, "Exclude  if");
  rt::FBButton(kLowerBox, prefsArray[69] ? 2 : 1, "<", {84, 222, 122, 240}, 2);
  rt::FBEditField(kLowerField, rt::PSstr(prefsArray[69] ? LowerScanLimit : block.min), {124, 222, 204, 240}, 3);
  rt::FBButton(kUpperBox, prefsArray[70] ? 2 : 1, " > ", {84, 246, 122, 264}, 2);
  rt::FBEditField(kUpperField, rt::PSstr(prefsArray[70] ? UpperScanLimit : block.max), {124, 246, 204, 264}, 3);
  rt::FBButton(kIntervalOK, 1, "Interval OK", {214, 238, 318, 264}, 4);
  rt::selectEditField(kDurationField, 0, 999);
}

// A limit typed in its field; nothing (after saying so) when the text is not a number.
std::optional<float> typedLimit(int field, const char* name) {
  const std::string text = rt::editTextIn(kScanWindow, field);
  if (const auto v = typedNumber(text)) return float(*v);
  Warn(1166, "Caution: ", {std::string("The ") + name + " limit is not a number: \"" + text + "\".",
                           "Type a number, or switch the limit off."});
  return std::nullopt;
}

std::string badDurationText(const std::string& text) {
  return "\"" + text + "\" cannot be the duration of a scan: type a number of seconds, 0 or more, that "
                       "the file's sample interval can count.";
}

enum class Pass { Wait, Take, Close };

// One event of the dialog's loop.
Pass dialogEvent() {
  const int a = action, id = eventID;
  action = eventID = 0;
  if (MENU_or_ToolBar_PICKED) return Pass::Take;
  if (a == 4) return Pass::Close;
  if (a == 16 || (a == 3 && id != kScanWindow) || (a == 1 && id == kIntervalOK)) return Pass::Take;
  if (a != 1) return Pass::Wait;
  if (id == kReuse) {
    ConstScan = ConstScan ? 0 : 1;
    setBox(kReuse, ConstScan);
  } else if (id == kLowerBox || id == kUpperBox) {
    const int pref = id == kLowerBox ? 69 : 70;
    prefsArray[pref] = prefsArray[pref] ? 0 : 1;
    setBox(id, prefsArray[pref]);
  } else if (id != kDurationField && id != kLowerField && id != kUpperField) {
    action = 1;
    eventID = int16_t(id);
    rt::setOutputWindow(kScanWindow);
    SETimeIntVlCHOICE();
  }
  return Pass::Wait;
}

// The dialog's numbers: false (after saying why) when one of them cannot be taken.
bool takeNumbers(ScanDialogResult& r, bool shown, const ValueRange& block) {
  const std::string text = rt::editTextIn(kScanWindow, kDurationField);
  const std::optional<float> seconds = parseScanSeconds(text, sampleInterval());
  if (!seconds) {
    r.why = badDurationText(text);
    if (shown) {
      Warn(1166, "Scan interval: ", {r.why, "The dialog keeps the last good duration."});
      rt::setEditTextIn(kScanWindow, kDurationField, rt::PSstr(startsize));
    }
    return false;
  }
  std::optional<float> lower = LowerScanLimit, upper = UpperScanLimit;
  if (shown && prefsArray[69]) lower = typedLimit(kLowerField, "lower");
  if (shown && prefsArray[70] && lower) upper = typedLimit(kUpperField, "upper");
  if (!lower || !upper) return false;
  const ScanLimits l = scanLimits(prefsArray[69], *lower, prefsArray[70], *upper, block);
  LowerScanLimit = l.lower;
  UpperScanLimit = l.upper;
  r.seconds = *seconds;
  if (ConstScan) startsize = *seconds;
  return true;
}

}  // namespace

ScanDialogResult ScanInterval(int32_t blockCases) {
  ScanDialogResult r;
  PlotForward();
  const ValueRange block = blockRange();
  if (!block.valid) {
    r.end = ScanDialogEnd::Refused;
    r.why = "The block holds no sample, only gaps: there is nothing to scan.";
    return r;
  }
  buildDialog(blockCases, block);
  HelpSubject = kScanHelp;
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  const bool shown = ConstScan == 0;
  for (bool done = !shown; !done;) {
    if (rt::windowExists(kScanWindow) && rt::frontWindow() != kScanWindow) rt::bringWindowForward(kScanWindow);
    action = eventID = 0;
    do rt::FBHandleEvents();
    while (action == 0 && !MENU_or_ToolBar_PICKED);
    const Pass p = dialogEvent();
    if (p == Pass::Close) {
      rt::closeWindow(kScanWindow);
      action = eventID = 0;
      return r;
    }
    done = p == Pass::Take && takeNumbers(r, true, block);
    if (!done) rt::bringWindowForward(kScanWindow);
  }
  if (!shown && !takeNumbers(r, false, block)) {
    rt::closeWindow(kScanWindow);
    r.end = ScanDialogEnd::Refused;
    return r;
  }
  r.end = ScanDialogEnd::Taken;
  // Scans take no account of the cross-channel subset; a subset that is on is said not to apply.
  DataFilterNotice(UseCrossChanIndex ? "Cross-channel selection not applied to scans" : "No cross-channel selection");
  rt::closeWindow(kScanWindow);
  action = eventID = 0;
  return r;
}

namespace {

// Word w of step s, when s is a step.
float* stepWordOf(int16_t s, int w) {
  return s >= 1 && s < kScriptRecords ? &ScriptSequenceArray[s][w] : nullptr;
}

// The script step that replays this scan with its duration given, or 0.
int16_t replayedStep() {
  if (!RunScript || ScriptCOUNT < 1 || ScriptCOUNT >= kScriptRecords) return 0;
  return ScriptSequenceArray[ScriptCOUNT][2] > 0.0f ? ScriptCOUNT : 0;
}

// The most-variable mode: 0 overall slope, 1 point-to-point.
int16_t variableMode(int16_t recordedStep) {
  if (const int16_t s = replayedStep()) {
    ConstScan = autoscript == 1 ? 1 : 0;
    return ScriptSequenceArray[s][10] == 1.0f ? 1 : 0;
  }
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kOverallSlope, 1, "Maximum Overall Slope", {35, 100, 290, 122}, 4);
  rt::FBButton(kPointToPoint, 1, "Maximum Point-to-Point Variance", {35, 128, 290, 150}, 1);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  rt::setHandler(rt::Vector::Menu, noMENU);
  int16_t mode = -1;
  while (mode < 0) {
    action = eventID = 0;
    do rt::FBHandleEvents();
    while (action == 0);
    if (action == 1 && eventID == kPointToPoint) mode = 1;
    else if (action == 1 && eventID == kOverallSlope) mode = 0;
    else if (action == 16 || action == 4 || (action == 3 && eventID != kScanWindow)) mode = 0;
  }
  action = eventID = 0;
  rt::setOutputWindow(kScanWindow);
  rt::setButtonState(mode ? kPointToPoint : kOverallSlope, 2);
  rt::removeControl(mode ? kOverallSlope : kPointToPoint);
  const int16_t current = RunScript && ScriptCOUNT >= 1 && ScriptCOUNT < kScriptRecords &&
                                  ScriptSequenceArray[ScriptCOUNT][2] == 0.0f
                              ? ScriptCOUNT
                              : 0;
  for (int16_t s : {recordedStep, current})
    if (float* w = stepWordOf(s, 10)) *w = float(mode);
  return mode;
}

}  // namespace

std::optional<ScanWinner> PerformTheScan(int16_t code, const CaseFilters& interpolation, int16_t recordedStep) {
  rt::closeWindow(kScanWindow);
  const int32_t blockCases = EndBlock.inUse() - BeginBlock.inUse() + 1;
  if (MMLpoints > blockCases) ConstScan = 0;
  openScanWindow(code == kCodeMostVariable ? 164 : 104);
  headerLines(20);
  SetTextStyle(KestrixFont, 18, 0);
  PrintAt(40, 65, "scan is " + scanDurationText(MMLpoints, sampleInterval()));
  SetTextStyle(KestrixFont, 12, 0);

  ScanKind kind = scanKindOf(code);
  if (code == kCodeMostVariable) {
    const int16_t mode = variableMode(recordedStep);
    rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
    rt::setHandler(rt::Vector::Mouse, noMOUSE);
    // A new interval may change the mode: the code follows the mode of this scan.
    AnalysisCode = mode == 1 ? kCodeMostVariablePointToPoint : kCodeMostVariable;
    if (mode == 1) kind = ScanKind::MostVariablePoints;
  }

  rt::setCursor(rt::Cursor::Wait);
  const int32_t span = std::max<int32_t>(blockCases - MMLpoints + 1, 1);  // the window starts
  buildProgressBAR(35, 80, 262, 91, span, kScanWindow);
  ScanRequest q;
  q.samples = analysisSamples(TheFileInUse, ch);
  q.begin = BeginBlock.inUse();
  q.end = EndBlock.inUse();
  q.length = MMLpoints;
  q.kind = kind;
  q.avoidInterpolation = AvoidInterpolation && interpolation.avoidInterpolation;
  if (q.avoidInterpolation) q.interpolated = interpolation.interpolated;
  q.limits = scanLimits(prefsArray[69], LowerScanLimit, prefsArray[70], UpperScanLimit, blockRange());
  q.progress = [](int32_t done) {
    rt::setOutputWindow(kScanWindow);
    UpdateProgressBar(done);
    rt::refreshPump();
  };
  const std::optional<ScanWinner> found = q.samples.empty() ? std::nullopt : scanIntervals(q);
  rt::setOutputWindow(kScanWindow);
  UpdateProgressBar(span);
  rt::setCursor(rt::Cursor::Arrow);
  skid();
  if (found) MMLBegin = found->first;
  rt::closeWindow(kScanWindow);
  if (rt::windowExists(kResultsWindow)) {
    rt::bringWindowForward(kResultsWindow);
    rt::setOutputWindow(kResultsWindow);
  }
  return found;
}

}  // namespace qv
