// Minimum, Maximum, Most Level and Most Variable: the results window of an interval scan. It
// asks the duration, runs the scan, shows the window found, and can make it the block, scan
// again with a new duration or on another channel, chart it, store it or report it.
#include <algorithm>
#include <cmath>

#include "core/help.h"
#include "core/menus.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/respirometry_settings.h"
#include "core/shell_hooks.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "output/commands.h"
#include "output/output.h"
#include "core/output_state.h"
#include "output/results_layout.h"
#include "plot/label_strip.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "stats/analysis_window.h"
#include "stats/commands.h"
#include "stats/histogram_window.h"
#include "stats/interval_scan.h"
#include "core/scan_state.h"
#include "stats/scan_windows.h"
#include "stats/stats_block.h"
#include "core/stats_state.h"
#include "output/subset.h"

namespace qv {

int32_t MMLpoints = 1;
int32_t MMLBegin = 0;
int16_t InCH = 1;
int16_t ConstScan = 0;
float testslopeon = 0.0f;

namespace {

constexpr int kResultsWindow = 4, kScanWindow = 5, kNoticeWindow = 90, kLabelStrip = 966, kHistogram = 151;
constexpr int kBlockWindowCheck = 50;
constexpr int kScanHelp = 197;
constexpr int kSetBlock = 118, kStore = 121, kNewInterval = 123, kRescan = 156, kConstantVolume = 157;
constexpr int kHelp = 200, kScale = 231, kDistribution = 232, kBig = 332;

struct Run {
  int f = -1;
  int16_t code = 13;
  int16_t step = 0;  // the step recorded for this analysis, 0 none
  std::optional<ScanWinner> found;
  CaseFilters interpolation;
  int16_t large = 0;
};

const char* titleOf(int16_t code) {
  switch (code) {
    case 22: return "Most Variable Segment";
    case 19: return "Most Level Segment";
    case 13: return "Minimum Continuous Mean";
    default: return "Maximum Continuous Mean";
  }
}

// The step a replayed script runs with its duration given, or 0.
int16_t replayedStep() {
  if (!RunScript || ScriptCOUNT < 1 || ScriptCOUNT >= kScriptRecords) return 0;
  return ScriptSequenceArray[ScriptCOUNT][2] > 0.0f ? ScriptCOUNT : 0;
}

// The replayed step whose duration the dialog fills in (word 2 left 0), or 0.
int16_t stepAskingDuration() {
  if (!RunScript || ScriptCOUNT < 1 || ScriptCOUNT >= kScriptRecords) return 0;
  return ScriptSequenceArray[ScriptCOUNT][2] == 0.0f ? ScriptCOUNT : 0;
}

void refuse(const std::string& why) {
  if (RunScript && ScriptCOUNT >= 1) {
    ScriptStepFailed = ScriptCOUNT;
    ScriptFailureText = why;
  } else {
    Warn(1166, "Scan interval: ", {why, "Nothing was scanned."});
  }
}

// Asks the duration and sets MMLpoints; false when nothing is to be scanned.
bool askDuration(Run& r, bool opening) {
  const int32_t blockCases = EndBlock.inUse() - BeginBlock.inUse() + 1;
  // While window 5 is up its own 156 and 157 take the clicks; those of window 4 wait.
  setAnalysisButton(kRescan, 0);
  setAnalysisButton(kConstantVolume, 0);
  const ScanDialogResult d = ScanInterval(blockCases);
  if (d.end != ScanDialogEnd::Taken) {
    if (d.end == ScanDialogEnd::Refused) refuse(d.why);
    if (opening && d.end == ScanDialogEnd::Closed) rt::closeWindow(kResultsWindow);
    return false;
  }
  for (int16_t s : {r.step, stepAskingDuration()})
    if (s >= 1 && s < kScriptRecords) ScriptSequenceArray[s][2] = d.seconds;
  MMLpoints = scanWindowCases(d.seconds, FileInfoFLOATS[r.f][1]).value_or(1);
  startsize = d.seconds;
  return true;
}

void scan(Run& r) {
  InCH = ch;
  r.found = PerformTheScan(r.code, r.interpolation, r.step);
}

void enableControls() {
  toAnalysisResults();
  const int n = std::min<int>(nChannels[TheFileInUse], kMaxChannels);
  for (int k = 1; k <= n; ++k) setAnalysisButton(k, k == ch ? 2 : 1);
  for (int id : {kNewInterval, kDistribution, kSetBlock}) setAnalysisButton(id, 1);
  setAnalysisButton(kRescan, ScanNewSelectedChannel ? 2 : 1);
  setAnalysisButton(kConstantVolume, DoConstantVolume ? 2 : 1);
  if (Rscale) setAnalysisButton(kScale, 2);
}

// The controls first: the window found (or none) then says which of them can act on it.
void show(Run& r, int16_t first) {
  enableControls();
  ComputeMinMaxLevel(r.code, r.found, first, r.interpolation);
}

void buildControls() {
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kNewInterval, 0, "New Interval...", {2, 205, 110, 224}, 1);
  rt::FBButton(kSetBlock, 0, "Set Block", {114, 205, 196, 224}, 1);
  // Under the caption, clear of the channel rows however many channels the file has.
  rt::FBButton(kRescan, 0, "Rescan New Channels", {2, 340, 164, 358}, 2);
  rt::FBButton(kConstantVolume, 0, "C.V.R. Data...", {168, 340, 276, 358}, 2);
}

void setBlock(Run& r) {
  if (!r.found) return;
  SWITCHBLOCKS();
  if (RecordSCRIPT && r.step >= 1 && r.step < kScriptRecords) ScriptSequenceArray[r.step][0] = 1.0f;
}

void newInterval(Run& r) {
  if (rt::controlExistsIn(kResultsWindow, kStore)) {
    toAnalysisResults();
    rt::removeControl(kStore);
  }
  const int16_t kept = ConstScan;
  ConstScan = 0;
  const bool taken = askDuration(r, false);
  ConstScan = kept;
  if (taken) {
    scan(r);
    REFRESHBLOCK();
  }
  show(r, 0);
}

void chooseChannel(Run& r, int c) {
  rt::closeWindow(kHistogram);
  r.large = 0;
  setAnalysisButton(kBig, 1);
  setAnalysisButton(ch, 1);
  chanB = ch = int16_t(c);
  if (ScanNewSelectedChannel) InCH = int16_t(c);
  DrawBLOCK();
  if (ScanNewSelectedChannel) scan(r);
  show(r, 0);
}

void toggleScale() {
  Rscale = Rscale == 1 ? 0 : 1;
  setAnalysisButton(kScale, Rscale == 1 ? 2 : 1);
  Rscale == 1 ? downvip() : upvip();
  BasicSTATS(1);
  toAnalysisResults();
  if (!rt::controlExists(kStore)) rt::FBButton(kStore, 1, "Store", {256, 12, 298, 28}, 1);
}

void histogram(Run& r) {
  if (!r.found) return;
  HISTOGRAM(MMLBegin, MMLBegin + MMLpoints - 1, meanValue, 0, r.large);
}

// Returns false when the window is left.
bool button(Run& r, int id) {
  if (toolbarButtonPicked(id)) return false;
  if (id >= 1 && id <= std::min<int>(nChannels[r.f], kMaxChannels)) {
    chooseChannel(r, id);
    return true;
  }
  switch (id) {
    case kHelp: OpenHelpBook(); break;
    case kUnitSeconds:
    case kUnitMinutes:
    case kUnitHours:
    case kUnitNone:
    case kUnitDays:
      // The unit of the results only: the next scan keeps the duration chosen.
      IntegrationUnit = int16_t(id);
      DoINTEGRATION(1);
      break;
    case kScale: toggleScale(); break;
    case kSetBlock: setBlock(r); break;
    case kStore:
      if (r.found) SCALERESULTS(meanValue);
      break;
    case kNewInterval: newInterval(r); break;
    case kRescan:
      ScanNewSelectedChannel = ScanNewSelectedChannel ? 0 : 1;
      setAnalysisButton(kRescan, ScanNewSelectedChannel ? 2 : 1);
      break;
    case kConstantVolume:
      DoConstantVolume = DoConstantVolume ? 0 : 1;
      setAnalysisButton(kConstantVolume, DoConstantVolume ? 2 : 1);
      if (DoConstantVolume) hooks::call(hooks::constantVolumeWindow);
      REFRESHBLOCK();
      show(r, 0);
      break;
    case kDistribution: histogram(r); break;
    case kBig:
      r.large = r.large ? 0 : 1;
      setAnalysisButton(kBig, r.large ? 2 : 1);
      if (r.large) histogram(r);
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
    case 3: return id == kResultsWindow || id == kLabelStrip;
    case 4:
      if (id == kResultsWindow) rt::closeWindow(kResultsWindow);
      else rt::closeWindow(id);
      return false;
    default: return true;
  }
}

void eventLoop(Run& r) {
  for (;;) {
    ShowButtonChannelLabel(kResultsWindow);
    HelpSubject = kScanHelp;
    rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
    if (rt::windowExists(kResultsWindow) && rt::frontWindow() != kResultsWindow)
      rt::bringWindowForward(kResultsWindow);
    setAnalysisButton(ch, 2);
    waitForAnalysisEvent();
    if (MENU_or_ToolBar_PICKED) {
      if (!scaleResultsPicked()) return;
      takeScaleResultsPick();
      toAnalysisResults();
      if (Rscale == 1) BasicSTATS(1);
      continue;
    }
    if (!handle(r)) return;
  }
}

void leave(const Run& r) {
  if (rt::windowExists(kResultsWindow)) {
    toAnalysisResults();
    rt::setWindowBackground(kResultsWindow, gray);
  }
  REFRESHBLOCK();
  bup();
  testslopeon = 0.0f;
  if (DumpHist == 1) closeHistogramWindows();
  rt::FlushEvents();
  rt::closeWindow(kNoticeWindow);
  rt::closeWindow(kHistogram);
  Rscale = 0;
  if (ActiveChannel != chanB) {
    chanB = ActiveChannel;
    DrawBLOCK();
  }
  PlotForward();
  clearAnalysisScratchCase(r.f);
}

// Steps that come before the window: a block of 3 cases or more, the script step, the filters.
bool open(Run& r, int16_t code) {
  const int f = TheFileInUse;
  HelpSubject = kScanHelp;
  if (!analysisBlockSet(f)) return false;
  const int32_t begin = BeginBlock[f], end = EndBlock[f];
  if (begin < 1 || end > nCases[f] || int64_t(end) - begin + 1 < 3) return false;
  clearAnalysisScratchCase(f);
  r.f = f;
  r.code = code;
  if (RecordSCRIPT == 1) {
    r.step = RecordScriptStep(code == kCodeMostVariable ? 30 : code);
    if (r.step) ConstScan = 0;
  }
  r.interpolation = PrepareCaseFilters(false, true);
  testslopeon = 1.0f;
  if (chanB != ActiveChannel) {
    chanB = ActiveChannel;
    DrawBLOCK();
  }
  eventID = 0;
  rt::closeWindow(kBlockWindowCheck);
  if (IntegrationUnit == 0) IntegrationUnit = kUnitMinutes;
  return true;
}

// The duration a replayed step gives, checked: false (the step refused) when it cannot be one.
bool durationFromStep(const Run& r) {
  const int16_t s = replayedStep();
  if (!s) return true;
  const float seconds = ScriptSequenceArray[s][2];
  if (!scanWindowCases(seconds, FileInfoFLOATS[r.f][1])) {
    refuse("The script's scan duration " + rt::PSstr(seconds) + " s cannot be scanned at this file's sample interval.");
    return false;
  }
  startsize = seconds;
  ConstScan = autoscript == 1 ? 1 : 0;
  return true;
}

}  // namespace

void Minimum_Maximum_Level(int16_t code) {
  Run r;
  SavedHandlers savedHandlers;
  if (!open(r, code)) return;
  const int16_t keptCode = AnalysisCode;
  AnalysisCode = code;
  OpenResultsWindow(25, 0, titleOf(code), 0);
  BasicStatsTextStuff(99);
  ch = InCH = analysisStartChannel(r.f);
  CHANNELSELECT();
  rt::setWindowBackground(kResultsWindow, VeryLightGray);
  buildControls();

  const double interval = FileInfoFLOATS[r.f][1];
  const int32_t steps = EndBlock[r.f] - BeginBlock[r.f];
  bool go = durationFromStep(r);
  if (go && !replayedStep() && (!(startsize > 0.0f) || startsize > interval * steps))
    startsize = float(interval * steps * 0.5);
  go = go && askDuration(r, true);
  if (!go) {
    // Nothing was scanned: the analysis before it stays the last one, and no step is kept.
    AnalysisCode = keptCode;
    WithdrawScriptStep(r.step);
    rt::closeWindow(kResultsWindow);
    rt::closeWindow(kScanWindow);
    leave(r);
    return;
  }
  scan(r);
  show(r, 1);
  MakeButtonChannelLabelWindow(kResultsWindow);
  installModalHandlers();
  rt::setHandler(rt::Vector::Edit, AnalysisWindowKeys);
  AnalysisTypingField = 0;
  action = eventID = 0;
  if (const int16_t s = replayedStep(); s && ScriptSequenceArray[s][0] != 0.0f) setBlock(r);
  eventLoop(r);
  leave(r);
}

}  // namespace qv
