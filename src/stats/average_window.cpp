// "Descriptive Stats:  Mean, Range, SD, SE": the statistics of one channel over the block,
// narrowed by limits in the block window and optionally by a window of values.
#include <cmath>
#include <optional>
#include <span>
#include <string>

#include "core/backup_cache.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/typed_number.h"
#include "plot/label_strip.h"
#include "core/menus.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "output/commands.h"
#include "output/output.h"
#include "output/results_layout.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_state.h"
#include "stats/analysis_window.h"
#include "stats/block_stats.h"
#include "stats/block_value_range.h"
#include "stats/block_limits.h"
#include "stats/commands.h"
#include "stats/histogram_window.h"
#include "core/script_recorder.h"
#include "stats/stats_block.h"
#include "core/stats_state.h"
#include "output/subset.h"

namespace qv {

namespace {

constexpr int kResultsWindow = 4, kNoticeWindow = 90, kLabelStrip = 966, kCumulativeIntegral = 250;
constexpr int kStatsHelp = 186;
constexpr const char* kTitle = "Descriptive Stats:  Mean, Range, SD, SE";
// Controls of the window (the furniture adds the channel, unit, histogram and scale buttons).
constexpr int kSelect = 130, kUpperBox = 131, kLowerBox = 132, kUpperField = 221, kLowerField = 222;
constexpr int kRightLimit = 119, kLeftLimit = 120, kStore = 121;
constexpr int kHelp = 200, kScale = 231, kDistribution = 232, kBig = 332, kSubsetBox = 99;

// One run of the window.
struct Run {
  int f = -1;
  int32_t begin = 0, end = 0;             // the range analysed
  int32_t leftOffset = 0, rightOffset = 0;  // limits, in cases from the block's first case
  int16_t leftX = 0, rightX = 0;           // their pixels in the block window
  int16_t select = 0;                      // value-window mode
  int16_t large = 0;                       // "(big) "
};

// The interpolated cases of the file in use, made when the window opened; and the texts of
// the limit fields last taken as numbers, put back when a limit typed is not one.
CaseFilters gInterpolation;
std::string gUpperText, gLowerText;

// A limit from its field: the number typed, or (text that is not a number) a message, the
// field's last good text back, and that number.
float typedLimit(int field, std::string& lastGood, const char* name) {
  if (!rt::controlExistsIn(kResultsWindow, field)) return float(rt::PSval(lastGood));
  const std::string text = rt::editTextIn(kResultsWindow, field);
  if (const auto v = typedNumber(text)) {
    lastGood = text;
    return float(*v);
  }
  Warn(1166, "Caution: ", {std::string("The ") + name + " limit is not a number: \"" + text + "\"",
                           "The limit stays " + lastGood + "."});
  rt::setEditTextIn(kResultsWindow, field, lastGood);
  toAnalysisResults();
  return float(rt::PSval(lastGood));
}

// The filters of this computation: the subset as it stands now, the interpolated cases as
// they were when the window opened.
CaseFilters currentFilters() {
  CaseFilters filters = PrepareCaseFilters(true, false);
  if (AvoidInterpolation && gInterpolation.avoidInterpolation) {
    filters.avoidInterpolation = true;
    filters.interpolated = gInterpolation.interpolated;
  }
  return filters;
}

void filterNotice() {
  DataFilterNotice(UseCrossChanIndex ? "Cross-channel selection in use" : "No cross-channel selection");
  toAnalysisResults();
}

void buildControls() {
  const auto x = analysisSamples(TheFileInUse, ch);
  const ValueRange block = blockValueRange(x, BeginBlock.inUse(), EndBlock.inUse());
  gUpperText = rt::PSstr(block.max);
  gLowerText = rt::PSstr(block.min);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kSelect, 1, "Select:", {2, 205, 56, 224}, 1);
  rt::FBButton(kUpperBox, 1, "\u2264", {60, 206, 90, 223}, 2);
  rt::FBEditField(kUpperField, gUpperText, {92, 207, 160, 222}, 3);
  rt::FBButton(kLowerBox, 1, "\u2265", {166, 206, 196, 223}, 2);
  rt::FBEditField(kLowerField, gLowerText, {198, 207, 266, 222}, 3);
  rt::FBButton(kLeftLimit, 1, "Left Limit", {2, 229, 73, 249}, 1);
  rt::FBButton(kRightLimit, 1, "Right Limit", {75, 229, 146, 249}, 1);
  if (!rt::controlExists(kStore)) rt::FBButton(kStore, 1, "Store", {256, 12, 298, 28}, 1);
}

void chooseChannel(Run& r, int c) {
  if (!DumpHist) rt::closeWindow(smallHistogramWindow(ch));
  r.large = 0;
  setAnalysisButton(kBig, 1);
  setAnalysisButton(ch, 1);
  ch = chanB = int16_t(c);
  setAnalysisButton(c, 2);
  DrawBLOCK();
  FIXLIMITS(r.leftOffset, r.rightOffset, r.leftX, r.rightX);
  toAnalysisResults();
  DoAVERAGE(r.select, r.begin, r.end);
}

void setLimit(Run& r, int16_t side) {
  const int id = side ? kRightLimit : kLeftLimit;
  setAnalysisButton(id, 2);
  int32_t& offset = side ? r.rightOffset : r.leftOffset;
  offset = SETLIMITS(offset, side);
  (side ? r.rightX : r.leftX) = HorizPosition;
  (side ? r.end : r.begin) = int32_t(std::min<int64_t>(int64_t(BeginBlock[r.f]) + offset, INT32_MAX));
  toAnalysisResults();
  DoAVERAGE(r.select, r.begin, r.end);
  setAnalysisButton(id, 1);
}

void toggleSubset(Run& r) {
  UseCrossChanIndex = UseCrossChanIndex ? 0 : 1;
  if (UseCrossChanIndex) {
    setAnalysisButton(kSubsetBox, 2);
    DataFilterNotice("cross-channel selection in use");
    r.select = 1;
  } else {
    setAnalysisButton(kSubsetBox, 1);
    rt::closeWindow(kNoticeWindow);
    r.select = 0;
  }
  toAnalysisResults();
  setAnalysisButton(kSelect, r.select ? 2 : 1);
  DoAVERAGE(r.select, r.begin, r.end);
}

void toggleLimit(Run& r, int box) {
  const int pref = box == kUpperBox ? 70 : 69;
  prefsArray[pref] = prefsArray[pref] ? 0 : 1;
  setAnalysisButton(box, prefsArray[pref] ? 2 : 1);
  if (prefsArray[pref]) {
    // A limit switched on takes the keyboard: what is typed next is its value.
    const int field = box == kUpperBox ? kUpperField : kLowerField;
    AnalysisTypingField = int16_t(field);
    rt::selectEditField(field, 0, int(rt::editText(field).size()));
  }
  if (r.select) {
    DoAVERAGE(1, r.begin, r.end);
    filterNotice();
  }
}

void toggleScale() {
  Rscale = Rscale == 1 ? 0 : 1;
  setAnalysisButton(kScale, Rscale == 1 ? 2 : 1);
  Rscale == 1 ? downvip() : upvip();
  BasicSTATS(1);
  if (!rt::controlExists(kStore)) rt::FBButton(kStore, 1, "Store", {256, 12, 298, 28}, 1);
}

// After the scaling window: the results as the factors now make them.
void afterScaling() {
  toAnalysisResults();
  if (Rscale == 1) BasicSTATS(1);
}

// Returns false when the window is left.
bool button(Run& r, int id) {
  if (toolbarButtonPicked(id)) return false;
  if (id != kUpperField && id != kLowerField) AnalysisTypingField = 0;
  if (id >= 1 && id <= std::min<int>(nChannels[r.f], kMaxChannels)) {
    chooseChannel(r, id);
    return true;
  }
  switch (id) {
    case kHelp: OpenHelpBook(); break;
    case kUpperField:
    case kLowerField:
      // Typing a limit takes the keys until Return; it does not recompute by itself.
      AnalysisTypingField = int16_t(id);
      rt::selectEditField(id, 0, int(rt::editText(id).size()));
      break;
    case kUnitSeconds:
    case kUnitMinutes:
    case kUnitHours:
    case kUnitNone:
    case kUnitDays:
      IntegrationUnit = int16_t(id);
      DoINTEGRATION(0);
      break;
    case kSubsetBox: toggleSubset(r); break;
    case kRightLimit: setLimit(r, 1); break;
    case kLeftLimit: setLimit(r, 0); break;
    case kStore:
      SCALERESULTS(meanValue);
      afterScaling();
      break;
    case kSelect:
      r.select = r.select ? 0 : 1;
      setAnalysisButton(kSelect, r.select ? 2 : 1);
      DoAVERAGE(r.select, r.begin, r.end);
      if (r.select) filterNotice();
      break;
    case kUpperBox:
    case kLowerBox: toggleLimit(r, id); break;
    case kScale: toggleScale(); break;
    case kDistribution: HISTOGRAM(r.begin, r.end, meanValue, r.select, r.large); break;
    case kBig:
      r.large = r.large ? 0 : 1;
      setAnalysisButton(kBig, r.large ? 2 : 1);
      HISTOGRAM(r.begin, r.end, meanValue, r.select, r.large);
      break;
    default: break;
  }
  toAnalysisResults();
  return true;
}

bool key(Run& r, int k) {
  return analysisKey(k, r.f, printAnalysisReport, [&r](int c) { chooseChannel(r, c); });
}

bool handle(Run& r) {
  const int id = eventID;
  switch (action) {
    case 1: return button(r, id);
    case 16: return key(r, id);
    case 3:
      // A click in the analysis's own windows keeps it going.
      if (id == kResultsWindow || id == kLabelStrip || isHistogramWindow(id)) return true;
      if (prefsArray[24]) {
        rt::closeWindow(kCumulativeIntegral);
        if (rt::windowExists(1000 + r.f)) rt::bringWindowForward(1000 + r.f);
      }
      return false;
    case 4:
      if (id == kResultsWindow) {
        rt::closeWindow(kResultsWindow);
        return false;
      }
      if (isHistogramWindow(id) || id == 712) rt::closeWindow(id);
      return true;
    default: return true;
  }
}

void leave(const Run& r) {
  AnalysisTypingField = 0;
  if ((r.leftOffset || r.rightOffset) && ActiveChannel == chanB) REFRESHBLOCK();
  if (ActiveChannel != chanB) {
    chanB = ActiveChannel;
    DrawBLOCK();
  }
  closeHistogramWindows();
  rt::FlushEvents();
  bup();
  if (rt::windowExists(1000 + r.f)) rt::bringWindowForward(1000 + r.f);
  Rscale = 0;
  rt::closeWindow(kNoticeWindow);
  clearAnalysisScratchCase(r.f);
  gInterpolation = {};
}

void eventLoop(Run& r) {
  for (;;) {
    ShowButtonChannelLabel(kResultsWindow);
    HelpSubject = kStatsHelp;
    rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
    waitForAnalysisEvent();
    if (MENU_or_ToolBar_PICKED) {
      if (!scaleResultsPicked()) return;
      takeScaleResultsPick();
      afterScaling();
      continue;
    }
    if (!handle(r)) return;
  }
}

}  // namespace

void DoAVERAGE(int16_t mode, int32_t begin, int32_t end) {
  rt::setCursor(rt::Cursor::Wait);
  const auto x = analysisSamples(TheFileInUse, ch);
  const CaseFilters filters = currentFilters();
  ValueWindow window;
  if (mode) {
    const ValueRange block = blockValueRange(x, BeginBlock.inUse(), EndBlock.inUse());
    const float lower = prefsArray[69] ? typedLimit(kLowerField, gLowerText, "lower") : block.min;
    const float upper = prefsArray[70] ? typedLimit(kUpperField, gUpperText, "upper") : block.max;
    LowerScanLimit = lower;
    UpperScanLimit = upper;
    window = {true, lower, upper};
  }
  const BlockStats s = blockStats(x, begin, end, filters, window);
  if (s.tooFewInWindow) {
    // Fewer than 3 values inside the limits: the limits go off.
    prefsArray[69] = prefsArray[70] = 0;
    setAnalysisButton(kUpperBox, 1);
    setAnalysisButton(kLowerBox, 1);
    rt::setCursor(rt::Cursor::Arrow);
    bzot();
  }
  publishStatistics(s, begin, end);
  toAnalysisResults();
  WriteHEADER();
  row = 5;
  BasicSTATS(1);
  action = eventID = 0;
  rt::setCursor(rt::Cursor::Arrow);
}

void AVERAGE() {
  const int f = TheFileInUse;
  // The command is offered only while a block is set.
  if (!analysisBlockSet(f)) return;
  SavedHandlers savedHandlers;
  clearAnalysisScratchCase(f);
  HelpSubject = kStatsHelp;
  RecordScriptStep(12);
  gInterpolation = PrepareCaseFilters(false, true);
  AnalysisCode = kCodeDescriptiveStats;
  if (IntegrationUnit != kUnitSeconds && IntegrationUnit != kUnitMinutes && IntegrationUnit != kUnitHours)
    IntegrationUnit = kUnitMinutes;
  OpenResultsWindow(0, 1, kTitle, 0);
  BasicStatsTextStuff(99);
  ch = analysisStartChannel(f);
  CHANNELSELECT();
  buildControls();
  IntBUTTON();

  Run r;
  r.f = f;
  r.begin = BeginBlock[f];
  r.end = EndBlock[f];
  nPoints = int32_t(std::min<int64_t>(int64_t(r.end) - r.begin + 1, INT32_MAX));
  prefsArray[69] = prefsArray[70] = 0;
  DoAVERAGE(0, r.begin, r.end);
  setAnalysisButton(IntegrationUnit, 2);
  if (Rscale == 1) setAnalysisButton(kScale, 2);
  setAnalysisButton(ch, 2);

  installModalHandlers();
  rt::setHandler(rt::Vector::Edit, AnalysisWindowKeys);
  AnalysisTypingField = 0;
  eventLoop(r);
  leave(r);
}

}  // namespace qv
