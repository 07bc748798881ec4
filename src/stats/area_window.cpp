// "Integrate Over Time": one channel integrated over the block, or over a narrower range set
// with limit lines, against a chosen baseline and per chosen time unit; with a running
// accumulator of integrals, the cumulative plot and the baseline drawn over the block window.
#include "stats/area_window.h"

#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/help.h"
#include "core/menus.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "output/commands.h"
#include "output/output.h"
#include "output/results_layout.h"
#include "plot/label_strip.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "stats/analysis_window.h"
#include "output/area_integral.h"
#include "stats/block_limits.h"
#include "stats/block_stats.h"
#include "stats/commands.h"
#include "stats/histogram_window.h"
#include "core/stats_state.h"
#include "output/stats_text.h"
#include "output/subset.h"

namespace qv {

float arealineArray[5] = {};
int16_t AreaLineDrawn = 0;

namespace {

constexpr int kBlockWindow = 2, kResultsWindow = 4, kNoticeWindow = 90, kLabelStrip = 966;
constexpr int kAreaHelp = 188;
constexpr int16_t kStepIntegrate = 28;
constexpr int kBaselineField = 111, kIntegralField = 112, kAccumulatorField = 113;
constexpr int kLeftLimit = 124, kRightLimit = 123, kStore = 134, kScale = 231, kDistribution = 232;
constexpr int kClear = 140, kPlus = 141, kMinus = 142, kPlot = 122, kSubsetBox = 99, kHelp = 200;
constexpr int kBaselineButtons[] = {kBaselineZero, kBaselineStart, kBaselineEnd, kBaselineProportional,
                                    kBaselineUser};
constexpr int kUnitButtons[] = {kUnitNoneArea, kUnitSeconds, kUnitMinutes, kUnitHours, kUnitDays};

// One run of the window.
struct Run {
  int f = -1;
  int32_t a = 0, b = 0;  // limits, in cases from the block's first case
  bool rightSet = false;  // b was set (0 is then the block's first case, not "none")
  int16_t leftX = 0, rightX = 0;
  bool limitMoved = false;
  double accumulator = 0.0;
  std::string accumulatorText = "0";
};

// The last pass: its integral as shown, and whether there was one.
struct Shown {
  bool valid = false;
  double value = 0.0;
} gShown;
// The typed baseline last taken as a number, and its text.
double gUserBaseline = 0.0;
std::string gUserBaselineText = "0";

// After a message the window takes the clicks again; the message stays beside it.
void frontAgain() {
  if (rt::windowExists(kResultsWindow)) rt::bringWindowForward(kResultsWindow);
  toAnalysisResults();
}

bool plotOn() { return prefsArray[24] != 0; }

// The typed baseline: the number in field 111, or (text that is not one) a message and the
// last number back in the field.
double typedBaseline() {
  if (!rt::controlExistsIn(kResultsWindow, kBaselineField)) return gUserBaseline;
  const std::string text = rt::editTextIn(kResultsWindow, kBaselineField);
  double v = 0.0;
  if (rt::PSvalStrict(text, v) && std::isfinite(v)) {
    gUserBaseline = v;
    gUserBaselineText = text;
    return v;
  }
  Warn(1166, "Caution: ", {"The baseline typed is not a number: \"" + text + "\"",
                           "The baseline stays " + gUserBaselineText + "."});
  rt::setEditTextIn(kResultsWindow, kBaselineField, gUserBaselineText);
  frontAgain();
  return gUserBaseline;
}

// Said once a run of the window: every later pass would say it again.
bool gIntervalWarned = false;

void intervalWarning(double interval) {
  if (gIntervalWarned) return;
  gIntervalWarned = true;
  Warn(1166, "Caution: ", {"The sample interval of this file (" + rt::PSstr(interval) + " s) is not a",
                           "positive number: an integral over time cannot be computed.",
                           "Choose \"None\" to integrate the plain sum."});
  frontAgain();
}

void showIntegral(const AreaIntegral& s) {
  toAnalysisResults();
  std::string text;
  if (s.badInterval) text = "**";
  else if (!s.valid()) text = "no valid cases";
  else text = rt::PSstr(float(gShown.value));
  if (rt::controlExists(kIntegralField)) rt::setEditText(kIntegralField, text);
}

void redrawPlot(const Run& r) {
  if (plotOn()) INTPLOT(r.a, r.b, r.rightSet);
  toAnalysisResults();
}

// The block window was drawn anew: no baseline line is on it.
void blockWindowRedrawn(const Run& r) {
  AreaLineDrawn = 0;
  FIXLIMITS(r.a, r.b, r.leftX, r.rightX);
  if (r.rightSet && r.b == 0) {
    HorizPosition = r.rightX;
    DrawRIGHT();
  }
  toAnalysisResults();
}

void xorAreaLine() {
  rt::penNormal();
  rt::penMode(rt::kPatXor);
  rt::moveTo(int(arealineArray[1]), int(arealineArray[2]));
  rt::lineTo(int(arealineArray[3]), int(arealineArray[4]));
  rt::penNormal();
}

void pass(const Run& r) { DoAREA(1, r.a, r.b, r.rightSet); }

void buildControls(const Run& r) {
  InvertedBox(2, 33, 318, 230);
  SetTextStyle(KestrixFont, 13, 0);
  rt::foreColor(RGBblack);
  PrintAt(6, 50, "time unit:");
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kUnitNoneArea, 1, "None", {78, 37, 140, 53}, 3);
  rt::FBButton(kUnitSeconds, 1, "Seconds", {142, 37, 228, 53}, 3);
  rt::FBButton(kUnitMinutes, 1, "Minutes", {230, 37, 316, 53}, 3);
  rt::FBButton(kUnitHours, 1, "Hours", {78, 55, 148, 71}, 3);
  rt::FBButton(kUnitDays, 1, "Days", {150, 55, 216, 71}, 3);
  rt::FBButton(kBaselineZero, 1, "Baseline = Zero", {6, 76, 158, 92}, 3);
  rt::FBButton(kBaselineStart, 1, "Baseline = Block Start", {160, 76, 316, 92}, 3);
  rt::FBButton(kBaselineEnd, 1, "Baseline = Block End", {6, 94, 158, 110}, 3);
  rt::FBButton(kBaselineProportional, 1, "Proportional Baseline", {160, 94, 316, 110}, 3);
  rt::FBButton(kBaselineUser, 1, "User-defined Baseline", {6, 112, 164, 128}, 3);
  rt::FBEditField(kBaselineField, gUserBaselineText, {168, 113, 264, 127}, 3);
  SetTextStyle(KestrixFont, 15, 0);
  PrintAt(6, 153, "integral = ");
  rt::FBEditField(kIntegralField, "", {84, 138, 312, 155}, 7);
  rt::setEditFont(kIntegralField, KestrixFont, 15, rt::kBold);
  rt::setEditColors(kIntegralField, RGBred, RGBwhite);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kPlus, 1, "+", {6, 162, 36, 180}, 1);
  rt::FBButton(kMinus, 1, "-", {38, 162, 68, 180}, 1);
  rt::FBButton(kClear, 1, "Clear", {70, 162, 120, 180}, 1);
  SetTextStyle(KestrixFont, 15, 0);
  PrintAt(124, 177, " = ");
  rt::FBEditField(kAccumulatorField, r.accumulatorText, {152, 163, 312, 179}, 3);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kLeftLimit, 1, "Left Limit", {6, 186, 82, 206}, 1);
  rt::FBButton(kRightLimit, 1, "Right Limit", {84, 186, 162, 206}, 1);
  rt::FBButton(kStore, 1, "Store", {164, 186, 212, 206}, 1);
  rt::FBButton(kPlot, plotOn() ? 2 : 1, "\u2211 Plot", {220, 186, 300, 206}, 2);
  rt::FBButton(kDistribution, 1, "Distribution", {6, 208, 96, 228}, 1);
  rt::FBButton(kScale, Rscale ? 2 : 1, "Scale", {220, 208, 300, 228}, 2);
}

void markOne(std::span<const int> ids, int chosen) {
  for (int id : ids) setAnalysisButton(id, id == chosen || (unitIsNone(int16_t(id)) && unitIsNone(int16_t(chosen))) ? 2 : 1);
}

void chooseBaseline(Run& r, int id) {
  IntegrationMode = int16_t(id);
  markOne(kBaselineButtons, id);
  pass(r);
  redrawPlot(r);
}

void chooseUnit(Run& r, int id) {
  IntegrationUnit = int16_t(id);
  markOne(kUnitButtons, id);
  pass(r);
  redrawPlot(r);
}

void chooseChannel(Run& r, int c) {
  setAnalysisButton(ch, 1);
  ch = chanB = int16_t(c);
  setAnalysisButton(c, 2);
  DrawBLOCK();
  blockWindowRedrawn(r);
  WriteHEADER();
  DoAREA(0, r.a, r.b, r.rightSet);
  redrawPlot(r);
}

void setLimit(Run& r, int16_t side) {
  const int id = side ? kRightLimit : kLeftLimit;
  setAnalysisButton(id, 2);
  // The line goes first, so that the limit's shading is drawn over a clean window.
  EraseAreaLine();
  int32_t& offset = side ? r.b : r.a;
  offset = SETLIMITS(offset, side);
  (side ? r.rightX : r.leftX) = HorizPosition;
  if (side) r.rightSet = true;
  r.limitMoved = true;
  toAnalysisResults();
  DoAREA(0, r.a, r.b, r.rightSet);
  setAnalysisButton(id, 1);
  redrawPlot(r);
}

void toggleSubset(Run& r) {
  UseCrossChanIndex = UseCrossChanIndex ? 0 : 1;
  if (UseCrossChanIndex) {
    setAnalysisButton(kSubsetBox, 2);
    DataFilterNotice("cross-channel selection in use");
  } else {
    setAnalysisButton(kSubsetBox, 1);
    rt::closeWindow(kNoticeWindow);
  }
  toAnalysisResults();
  pass(r);
  redrawPlot(r);
}

void togglePlot(Run& r) {
  TogglePrefs(24);
  setAnalysisButton(kPlot, plotOn() ? 2 : 1);
  if (plotOn()) redrawPlot(r);
  else rt::closeWindow(kCumulativeIntegralWindow);
  toAnalysisResults();
}

void store() {
  SCALERESULTS(meanValue);
  // The line is erased; the limits' shading stays as it is.
  EraseAreaLine();
  rt::FlushEvents();
  toAnalysisResults();
}

// The distribution of the whole block, limits aside: its own count divides the sum.
void distribution(const Run& r) {
  const auto x = analysisSamples(r.f, ch);
  const BlockStats s = blockStats(x, BeginBlock[r.f], EndBlock[r.f]);
  if (!s.valid()) {
    bzot();
    return;
  }
  mi = s.min;
  ma = s.max;
  StandardDeviation = s.sd;
  HISTOGRAM(BeginBlock[r.f], EndBlock[r.f], s.mean, 0, 0);
  toAnalysisResults();
}

// The accumulator: the number in field 113 (or, text that is not one, a message and the last
// number back) plus or minus the integral shown.
void accumulate(Run& r, int sign) {
  const std::string text = rt::editTextIn(kResultsWindow, kAccumulatorField);
  double v = 0.0;
  if (rt::PSvalStrict(text, v) && std::isfinite(v)) {
    r.accumulator = v;
  } else {
    Warn(1166, "Caution: ", {"The sum typed is not a number: \"" + text + "\"",
                             "The sum stays " + r.accumulatorText + "."});
    frontAgain();
  }
  if (sign != 0) {
    if (!gShown.valid) {
      bzot();
    } else {
      r.accumulator += sign * gShown.value;
      if (prefsArray[7]) PlaySound(sign > 0 ? "lobeep.mp3" : "endbeep.mp3");
    }
  } else {
    r.accumulator = 0.0;
  }
  r.accumulatorText = r.accumulator == 0.0 ? "0" : rt::PSstr(float(r.accumulator));
  rt::setEditTextIn(kResultsWindow, kAccumulatorField, r.accumulatorText);
}

void toggleScale() {
  Rscale = Rscale ? 0 : 1;
  setAnalysisButton(kScale, Rscale ? 2 : 1);
  Rscale ? downvip() : upvip();
}

// Returns false when the window is left.
bool button(Run& r, int id) {
  if (toolbarButtonPicked(id)) {
    rt::closeWindow(kCumulativeIntegralWindow);
    return false;
  }
  if (id != kBaselineField && id != kAccumulatorField) AnalysisTypingField = 0;
  if (id >= 1 && id <= std::min<int>(nChannels[r.f], kMaxChannels)) {
    chooseChannel(r, id);
    return true;
  }
  if (std::find(std::begin(kBaselineButtons), std::end(kBaselineButtons), id) != std::end(kBaselineButtons)) {
    chooseBaseline(r, id);
    return true;
  }
  if (std::find(std::begin(kUnitButtons), std::end(kUnitButtons), id) != std::end(kUnitButtons)) {
    chooseUnit(r, id);
    return true;
  }
  switch (id) {
    case kBaselineField:
    case kAccumulatorField:
      AnalysisTypingField = int16_t(id);
      rt::selectEditField(id, 0, int(rt::editText(id).size()));
      break;
    case kLeftLimit: setLimit(r, 0); break;
    case kRightLimit: setLimit(r, 1); break;
    case kStore: store(); break;
    case kScale:
      toggleScale();
      pass(r);
      break;
    case kDistribution: distribution(r); break;
    case kClear: accumulate(r, 0); break;
    case kPlus: accumulate(r, 1); break;
    case kMinus: accumulate(r, -1); break;
    case kPlot: togglePlot(r); break;
    case kSubsetBox: toggleSubset(r); break;
    case kHelp:
      rt::closeWindow(kCumulativeIntegralWindow);
      OpenHelpBook();
      redrawPlot(r);
      break;
    default: break;
  }
  toAnalysisResults();
  return true;
}

// "P": the clock times of the report are those of the range integrated.
void report() {
  x1float = float(BeginAverage);
  SecondXvalue = float(EndAverage);
  if (!gShown.valid) {
    bzot();
    return;
  }
  DRAFTPRINT("p");
  toAnalysisResults();
}

bool key(Run& r, int k) {
  return analysisKey(k, r.f, [](int) { report(); }, [&r](int c) { chooseChannel(r, c); });
}

bool handle(Run& r) {
  const int id = eventID;
  switch (action) {
    case 1: return button(r, id);
    case 16: return key(r, id);
    case 3:
      if (id == kResultsWindow || id == kLabelStrip || id == kCumulativeIntegralWindow || isHistogramWindow(id))
        return true;
      return false;
    case 4:
      if (id == kResultsWindow) {
        rt::closeWindow(kResultsWindow);
        return false;
      }
      if (id != 1) rt::closeWindow(id);
      if (id == kCumulativeIntegralWindow && plotOn()) {
        prefsArray[24] = 0;
        setAnalysisButton(kPlot, 1);
      }
      return true;
    case 55:
      prefsArray[24] = 0;
      setAnalysisButton(kPlot, 1);
      if (rt::windowExists(1000 + r.f)) rt::bringWindowForward(1000 + r.f);
      if (rt::windowExists(kResultsWindow)) rt::bringWindowForward(kResultsWindow);
      return true;
    default: return true;
  }
}

void leave(const Run& r) {
  AnalysisTypingField = 0;
  rt::closeWindow(kCumulativeIntegralWindow);
  if (ActiveChannel == chanB) {
    if (AreaLineDrawn || r.limitMoved) REFRESHBLOCK();
  } else {
    chanB = ActiveChannel;
    DrawBLOCK();
  }
  AreaLineDrawn = 0;
  if (DumpHist) closeHistogramWindows();
  rt::closeWindow(kNoticeWindow);
  rt::FlushEvents();
  if (rt::windowExists(1000 + r.f)) rt::bringWindowForward(1000 + r.f);
  bup();
  clearAnalysisScratchCase(r.f);
}

void eventLoop(Run& r) {
  for (;;) {
    ShowButtonChannelLabel(kResultsWindow);
    HelpSubject = kAreaHelp;
    rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
    waitForAnalysisEvent();
    if (MENU_or_ToolBar_PICKED) {
      if (!scaleResultsPicked()) {
        rt::closeWindow(kCumulativeIntegralWindow);
        return;
      }
      takeScaleResultsPick();
      toAnalysisResults();
      pass(r);
      continue;
    }
    if (!handle(r)) return;
  }
}

}  // namespace

int16_t DoAREA(int16_t eraseOld, int32_t a, int32_t b, bool rightSet) {
  const int f = TheFileInUse;
  if (!analysisSlotInUse(f)) return 0;
  rt::setCursor(rt::Cursor::Wait);
  const auto x = analysisSamples(f, ch);
  const AreaRange range = areaRange(BeginBlock[f], EndBlock[f], a, b, rightSet, nCases[f]);
  BeginAverage = range.begin;
  EndAverage = range.end;
  const double user = IntegrationMode == kBaselineUser ? typedBaseline() : gUserBaseline;
  const CaseFilters filters = UseCrossChanIndex ? PrepareCaseFilters(true, false) : CaseFilters{};
  const double interval = FileInfoFLOATS[f][1];
  const AreaIntegral s = integrateArea(x, range, IntegrationMode, user, IntegrationUnit, interval, filters);
  if (s.badInterval) intervalWarning(interval);
  ibase = s.baseAtBegin;
  if (!range.empty()) DrawAreaLine(s.baseAtBegin, s.baseAtEnd, eraseOld, a, b, rightSet);
  else if (eraseOld) EraseAreaLine();

  meanValue = s.valid() ? s.integral : 0.0;
  nrPoints = s.valid() ? s.n : 0;
  StandardDeviation = 0.0f;
  mi = s.min;
  ma = s.max;
  x1float = float(range.begin);
  SecondXvalue = float(range.end);
  LastAreaReport.mode = IntegrationMode;
  LastAreaReport.baselineAtBegin = s.baseAtBegin;
  LastAreaReport.baselineAtEnd = s.baseAtEnd;
  LastAreaReport.userBaseline = gUserBaselineText;
  gShown.valid = s.valid();
  gShown.value = Rscale ? scaledIntegral(s.integral, s.n, scalingFor(ch), IntegrationMode, IntegrationUnit, interval)
                        : s.integral;
  if (!std::isfinite(float(gShown.value))) gShown.valid = false;
  showIntegral(s);
  rt::setCursor(rt::Cursor::Arrow);
  return 0;
}

void DrawAreaLine(float baseAtBegin, float baseAtEnd, int16_t eraseOld, int32_t a, int32_t b, bool rightSet) {
  const int f = TheFileInUse;
  if (!analysisSlotInUse(f) || !rt::windowExists(kBlockWindow)) return;
  (void)eraseOld;  // the drawn flag knows whether a line is there to remove
  EraseAreaLine();
  rt::setOutputWindow(kBlockWindow);
  const float p = limitPixelsPerCase(RightLim, BeginBlock[f], EndBlock[f]);
  const double x1 = double(a) * p;
  const double x2 = rightSet ? double(b) * p : double(RightLim);
  // The block window's vertical mapping; a flat block spans one unit.
  const double lo = BlockMinY, hi = BlockMaxY > BlockMinY ? double(BlockMaxY) : double(BlockMinY) + 1.0;
  const double scale = UpperLimit / (hi - lo);
  const double y0 = std::trunc(lo * scale + UpperLimit + 1);
  auto yOf = [&](double v) { return std::clamp(std::round(y0 - v * scale), -30000.0, 30000.0); };
  arealineArray[1] = float(std::clamp(x1, -30000.0, 30000.0));
  arealineArray[2] = float(yOf(baseAtBegin));
  arealineArray[3] = float(std::clamp(x2, -30000.0, 30000.0));
  arealineArray[4] = float(yOf(baseAtEnd));
  xorAreaLine();
  AreaLineDrawn = 1;
  toAnalysisResults();
}

void EraseAreaLine() {
  if (!AreaLineDrawn || !rt::windowExists(kBlockWindow)) {
    AreaLineDrawn = 0;
    return;
  }
  rt::setOutputWindow(kBlockWindow);
  xorAreaLine();
  AreaLineDrawn = 0;
  toAnalysisResults();
}

void GETAREA() {
  const int f = TheFileInUse;
  // The command is offered only while a block is set.
  if (!analysisBlockSet(f)) return;
  SavedHandlers savedHandlers;
  clearAnalysisScratchCase(f);
  HelpSubject = kAreaHelp;
  RecordScriptStep(kStepIntegrate);
  AnalysisCode = kCodeAreaIntegration;
  OpenResultsWindow(0, 1, "Integrate Over Time", 0);
  ch = analysisStartChannel(f);
  chanB = ch;
  CHANNELSELECT();

  Run r;
  r.f = f;
  AreaLineDrawn = 0;
  gIntervalWarned = false;
  buildControls(r);
  DoAREA(0, 0, 0, false);
  markOne(kUnitButtons, IntegrationUnit);
  markOne(kBaselineButtons, IntegrationMode);
  setAnalysisButton(ch, 2);
  if (plotOn()) INTPLOT(0, 0, false);
  toAnalysisResults();
  MakeButtonChannelLabelWindow(kResultsWindow);
  installModalHandlers();
  rt::setHandler(rt::Vector::Edit, AnalysisWindowKeys);
  AnalysisTypingField = 0;
  action = eventID = 0;
  eventLoop(r);
  leave(r);
}

}  // namespace qv
