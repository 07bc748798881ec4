// "Slope Over Time": a least-squares line of one channel's block against elapsed time, drawn
// over the block window, with its slope tests.
#include <algorithm>
#include <cmath>
#include <span>
#include <string>

#include "core/help.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/warning.h"
#include "fitting/commands.h"
#include "fitting/fit_drawing.h"
#include "core/fit_state.h"
#include "fitting/fit_steps.h"
#include "fitting/line_fit.h"
#include "fitting/slope_panel.h"
#include "output/commands.h"
#include "output/output.h"
#include "core/output_state.h"
#include "output/results_layout.h"
#include "plot/label_strip.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "core/script_recorder.h"
#include "runtime/windows.h"
#include "stats/analysis_window.h"
#include "core/stats_state.h"
#include "output/subset.h"

namespace qv {

namespace {

constexpr int kResultsWindow = 4, kBlockWindow = 2, kNoticeWindow = 90, kLabelStrip = 966;
constexpr int16_t kHelpRowHeight = 25;
constexpr int kResiduals = 119, kPredict = 120, kPrint = 153, kTest = 154, kHelp = 200;
constexpr int16_t kSlopeHelp = 192;

struct Run {
  int f = 0;
  int16_t step = 0;  // the step recorded (0 none)
  CaseFilters filters;
  bool typingSlope = false;
};

std::span<float> channelOf(int f, int c) {
  float* p = gPointersToFileData[f][c].get();
  return p ? std::span<float>(p, size_t(nCases[f]) + 1) : std::span<float>();
}

float blockMinimum(int f, int c) {
  const auto x = channelOf(f, c);
  float m = INFINITY;
  for (int32_t k = std::max<int32_t>(BeginBlock.inUse(), 1); k <= EndBlock.inUse() && size_t(k) < x.size(); ++k)
    m = std::min(m, x[size_t(k)]);
  return m;
}

void drawFittedLine(float dt, bool logY) {
  if (!rt::windowExists(kBlockWindow)) return;
  const rt::Rect r = rt::windowContentRect(kBlockWindow);
  const BlockScaleY s{UpperLimit, BlockMinY, BlockMaxY};
  const double step = double(dt) * double(ValueOfB) * nPoints / std::max(r.width(), 1);
  const auto pts = fittedLinePoints(ValueOfA, step, r.width(), r.height() - 16, s, logY);
  rt::setOutputWindow(kBlockWindow);
  if (pts.size() > 1) rt::strokePolyline(pts.data(), pts.size(), 1.5, RGBred, true);
  rt::setOutputWindow(kResultsWindow);
}

void compute(Run& r) {
  const int f = r.f;
  rt::setCursor(rt::Cursor::Wait);
  const float dt = timeStep(FileInfoFLOATS[f][1], TimeUnits);
  const auto source = channelOf(f, ch);
  const auto work = channelOf(f, 0);
  if (source.empty() || work.size() != source.size()) return;
  std::copy(source.begin(), source.end(), work.begin());
  bool logY = UseLogY == 1;
  if (logY && !allPositive(source, BeginBlock.inUse(), EndBlock.inUse())) {
    UseLogY = 0;
    logY = false;
    logModelRefused("The block holds values of 0 or less: log(Y) cannot be taken.");
  }
  if (logY)
    for (int32_t k = std::max<int32_t>(BeginBlock.inUse(), 1); k <= EndBlock.inUse() && size_t(k) < work.size(); ++k)
      work[size_t(k)] = fitLog10(work[size_t(k)]);
  LineFit fit = fitAgainstTime(work, BeginBlock.inUse(), EndBlock.inUse(), r.filters, dt);
  fit.model = logY ? 1 : 0;
  publishFit(fit, kCodeSlopeVsTime);
  drawFittedLine(dt, logY);

  rt::setOutputWindow(kResultsWindow);
  REGRESSIONSTATS(fit.n);
  SetTextStyle(KestrixFont, 13, 0);
  rt::foreColor(RGBblue);
  PrintAt(0, 42, std::string(" model:  ") + (logY ? "log " : "") + "Y = a + b * (elapsed time in " +
                     timeUnitName(TimeUnits) + ")");
  rt::foreColor(RGBblack);
  rt::FBButton(kTest, 1, "Test", {262, 186, 318, 204}, 1);
  rt::FBButton(kResiduals, 1, "Residuals...", {4, 212, 104, 232}, 1);
  rt::FBButton(kPredict, 1, "Predict Values...", {110, 212, 230, 232}, 1);
  if (PortForResultsOutput != 0) rt::FBButton(kPrint, 1, "Print", {240, 212, 318, 232}, 1);
  rt::setCursor(rt::Cursor::Arrow);
}

void chooseChannel(Run& r, int c) {
  if (rt::controlExists(ch)) rt::setButtonState(ch, 1);
  chanB = ch = int16_t(c);
  DrawBLOCK();
  rt::setOutputWindow(kResultsWindow);
  WriteHEADER();
  compute(r);
}

bool key(Run& r, int k) {
  if (k == 13) {
    if (r.typingSlope) {
      r.typingSlope = false;
      REGPROB();
      return true;
    }
    // Return is not a channel key: it ends a script's window and is ignored otherwise.
    return RunScript == 0;
  }
  if (k == '/' || k == '?') {
    OpenHelpBook();
    return true;
  }
  const int c = k == 133 ? 11 : analysisKeyChannel(k, std::min<int>(nChannels[r.f], kMaxChannels));
  if (c >= 1 && c <= nChannels[r.f]) chooseChannel(r, c);
  return true;
}

bool button(Run& r, int id) {
  if (toolbarButtonPicked(id)) return false;
  r.typingSlope = false;
  AnalysisTypingField = 0;
  if (id >= 1 && id <= std::min<int>(nChannels[r.f], kMaxChannels)) {
    chooseChannel(r, id);
    return true;
  }
  switch (id) {
    case kTypedSlopeField:
      r.typingSlope = true;
      AnalysisTypingField = int16_t(id);
      rt::selectEditField(id, 0, int(rt::editText(id).size()));
      break;
    case kPrint:
      Pslope = slope;
      DRAFTPRINT("p");
      break;
    case kTest: RegressionProbCalcs(); break;
    case kResiduals: RegressionRESIDS(LastFit.n, 0); break;
    case kPredict: PredictRegressionValues(1); break;
    case kHelp:
      OpenHelpBook();
      compute(r);
      break;
    default: break;
  }
  if (rt::windowExists(kResultsWindow)) rt::setOutputWindow(kResultsWindow);
  return true;
}

void eventLoop(Run& r) {
  for (;;) {
    HelpSubject = kSlopeHelp;
    rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
    waitForAnalysisEvent();
    if (MENU_or_ToolBar_PICKED) return;
    const int id = eventID;
    switch (action) {
      case 1:
        if (!button(r, id)) return;
        break;
      case 16:
        if (!key(r, id)) return;
        break;
      case 3:
        if (id != kLabelStrip && id != kResultsWindow) return;
        break;
      case 4:
        if (id == kResultsWindow) {
          rt::closeWindow(kResultsWindow);
          return;
        }
        break;
      default: break;
    }
  }
}

}  // namespace

void TIMESLOPE() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles || nCases[f] < 1 || nChannels[f] < 1 || !scratchChannel(f)) return;
  SavedHandlers saved;
  HelpSubject = kSlopeHelp;
  Run r;
  r.f = f;
  const float* replayed = replayedStep(kCodeSlopeVsTime);
  r.step = RecordScriptStep(kCodeSlopeVsTime);
  r.filters = PrepareCaseFilters(false, true);
  AnalysisCode = kCodeSlopeVsTime;
  ch = ActiveChannel >= 1 && ActiveChannel <= nChannels[f] ? ActiveChannel : 1;
  if (chanB != ch) {
    chanB = ch;
    DrawBLOCK();
  }
  // The help button sits on the row a subsampling box would take: the window is that much
  // taller, or the button is cut off at its bottom edge.
  OpenResultsWindow(kHelpRowHeight, 0, "Slope Over Time", 0);
  CHANNELSELECT();
  resetTypedSlope();
  if (replayed) {
    WriteHEADER();
    TimeUnits = int16_t(std::clamp<int>(int(replayed[4]), 0, 3));
    UseLogY = replayed[5] == 1.0f ? 1 : 0;
  } else {
    WriteHEADER();
    TIMECHOICE(0, blockMinimum(f, ch));
    rt::setOutputWindow(kResultsWindow);
  }
  rt::FBEditField(kTypedSlopeField, "1", {100, 186, 165, 202}, 3);
  compute(r);
  MakeButtonChannelLabelWindow(kResultsWindow);
  rt::setOutputWindow(kResultsWindow);
  if (rt::controlExists(ch)) rt::setButtonState(ch, 2);
  rt::bringWindowForward(kResultsWindow);
  installModalHandlers();
  rt::setHandler(rt::Vector::Edit, AnalysisWindowKeys);
  rt::setHandler(rt::Vector::Mouse, noMOUSE);
  AnalysisTypingField = 0;
  eventLoop(r);

  completeFitStep(r.step, {{2, 1.0f}, {4, float(TimeUnits)}, {5, float(UseLogY)}});
  AnalysisTypingField = 0;
  rt::FlushEvents();
  rt::closeWindow(kNoticeWindow);
  REFRESHBLOCK();
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
}

}  // namespace qv
