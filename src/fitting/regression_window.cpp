// "Cross-Channel Regression": a least-squares line of one channel on another over the block,
// under a linear or log model, with its scatter in the block window and the slope tests.
#include <algorithm>
#include <span>
#include <string>

#include "core/help.h"
#include "core/channel_roles.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "fitting/commands.h"
#include "core/fit_state.h"
#include "fitting/fit_steps.h"
#include "fitting/line_fit.h"
#include "fitting/regression.h"
#include "fitting/slope_panel.h"
#include "output/commands.h"
#include "output/output.h"
#include "core/output_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "stats/analysis_window.h"
#include "output/subset.h"

namespace qv {

namespace {

constexpr int kResultsWindow = 4, kNoticeWindow = 90, kSubsetBox = 99, kHelp = 200;
constexpr int kTest = 9, kPrint = 10, kNewChannels = 14, kExit = 15, kPredict = 20, kResiduals = 21;
constexpr int16_t kRegressionHelp = 193;
const char* const kModels[] = {"Y = a + b * X", "log Y = a + b * X", "Y value = a + b * log X",
                               "log Y = a + b * log X"};

std::span<float> channelOf(int f, int c) {
  float* p = gPointersToFileData[f][c].get();
  return p ? std::span<float>(p, size_t(nCases[f]) + 1) : std::span<float>();
}

bool namesChannel(float w, int n) { return w >= 1.0f && w <= float(n) && w == float(int(w)); }

// The channels and model: from a replayed step that names channels of this file, the file's
// two channels, or the picker. False when the picker was left without a choice.
bool chooseChannels(int f, const float* replayed) {
  const int n = std::min<int>(nChannels[f], kMaxChannels);
  if (replayed && namesChannel(replayed[4], n) && namesChannel(replayed[5], n) && replayed[4] != replayed[5]) {
    RegressionXChannel = int16_t(replayed[4]);
    RegressionYChannel = int16_t(replayed[5]);
    UseLogY = int16_t(std::clamp<int>(int(replayed[6]), 0, 3));
    return true;
  }
  if (n == 2) {
    RegressionXChannel = 1;
    RegressionYChannel = 2;
    return true;
  }
  return PickRChans(1);
}

// Y into channel 0 and X into the fitting's own buffer, each logged where the model says and
// every block value allows.
void prepareCopies(int f) {
  const auto x = channelOf(f, RegressionXChannel), y = channelOf(f, RegressionYChannel), work = channelOf(f, 0);
  std::copy(y.begin(), y.end(), work.begin());
  RegressionX.assign(x.begin(), x.end());
  if (UseLogY < 0 || UseLogY > 3) UseLogY = 0;
  const bool logY = UseLogY == 1 || UseLogY == 3, logX = UseLogY == 2 || UseLogY == 3;
  if ((logY && !allPositive(y, BeginBlock.inUse(), EndBlock.inUse())) || (logX && !allPositive(x, BeginBlock.inUse(), EndBlock.inUse()))) {
    UseLogY = 0;
    logModelRefused("A channel to be logged holds values of 0 or less in the block.");
    return;
  }
  const int32_t last = std::min<int32_t>(EndBlock.inUse(), nCases[f]);
  for (int32_t k = std::max<int32_t>(BeginBlock.inUse(), 1); k <= last; ++k) {
    if (logY) work[size_t(k)] = fitLog10(work[size_t(k)]);
    if (logX) RegressionX[size_t(k)] = fitLog10(RegressionX[size_t(k)]);
  }
}

void displayAndFit(int f) {
  const CaseFilters filters = PrepareCaseFilters(true, true);
  resetTypedSlope();
  rt::setOutputWindow(kResultsWindow);
  rt::FBEditField(kTypedSlopeField, "1", {100, 186, 165, 202}, 3);
  DrawREGRESSION(filters);
  rt::setOutputWindow(kResultsWindow);
  SetTextStyle(KestrixFont, 12, 1);
  rt::foreColor(RGBblack);
  rt::eraseRect({0, 0, 322, 46});
  PrintAt(2, 14, " X -axis, ch." + std::to_string(RegressionXChannel) + "   " + RetrieveLabel(RegressionXChannel));
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(2, 28, " Y-axis, ch." + std::to_string(RegressionYChannel) + "   " + RetrieveLabel(RegressionYChannel));
  DoubleLINE(0, 320, 31);
  DoubleLINE(0, 320, 46);
  DoubleLINE(0, 320, 177);
  const auto work = channelOf(f, 0);
  LineFit fit = fitBetween(RegressionX, work, BeginBlock.inUse(), EndBlock.inUse(), filters);
  fit.model = UseLogY >= 0 && UseLogY <= 3 ? UseLogY : 0;
  publishFit(fit, kCodeRegression);
  drawRegressionCurve();
  rt::setOutputWindow(kResultsWindow);
  REGRESSIONSTATS(fit.n);
  SetTextStyle(KestrixFont, 13, 0);
  rt::foreColor(RGBblue);
  PrintAt(2, 43, std::string("  model:    ") + kModels[UseLogY >= 0 && UseLogY <= 3 ? UseLogY : 0]);
  rt::foreColor(RGBblack);
  rt::FBButton(kTest, 1, "test", {262, 186, 318, 204}, 1);
  if (nChannels[f] >= 3) rt::FBButton(kNewChannels, 1, "Select New Channels...", {4, 236, 160, 256}, 1);
  rt::FBButton(kPredict, 1, "Predict Values...", {4, 212, 124, 232}, 1);
  rt::FBButton(kResiduals, 1, "Residuals...", {130, 212, 220, 232}, 1);
  rt::FBButton(kExit, 1, "Exit", {240, 236, 318, 256}, 4);
}

bool openForChannels(int f, const float* replayed) {
  rt::closeWindow(kResultsWindow);
  if (!chooseChannels(f, replayed)) return false;
  MainDataChannel = RegressionXChannel;
  SecondChannel = RegressionYChannel;
  OpenResultsWindow(0, 1, "Cross-Channel Regression", 0);
  if (PortForResultsOutput != 0) rt::FBButton(kPrint, 1, "Print", {240, 212, 318, 232}, 1);
  prepareCopies(f);
  displayAndFit(f);
  return true;
}

void toggleSubset(int f) {
  UseCrossChanIndex = UseCrossChanIndex ? 0 : 1;
  rt::setOutputWindow(kResultsWindow);
  if (rt::controlExists(kSubsetBox)) rt::setButtonState(kSubsetBox, UseCrossChanIndex ? 2 : 1);
  if (UseCrossChanIndex) DataFilterNotice("cross-channel selection in use");
  else rt::closeWindow(kNoticeWindow);
  displayAndFit(f);
}

// False when the window is left.
bool handle(int f, const float*& replayed) {
  const int id = eventID;
  if (action == 16) {
    if (id == '/' || id == '?') OpenHelpBook();
    return false;
  }
  if (action == 3 || (action == 4 && id == kResultsWindow)) return false;
  if (action != 1) return true;
  if (toolbarButtonPicked(id)) return false;
  switch (id) {
    case kTest: REGPROB(); break;
    case kPrint:
      Pslope = slope;
      DRAFTPRINT("p");
      break;
    case kPredict: PredictRegressionValues(0); break;
    case kResiduals: RegressionRESIDS(LastFit.n, 1); break;
    case kNewChannels:
      replayed = nullptr;
      if (!openForChannels(f, nullptr)) return false;
      break;
    case kExit: return false;
    case kHelp: OpenHelpBook(); break;
    case kSubsetBox: toggleSubset(f); break;
    default: break;
  }
  return true;
}

}  // namespace

void REGRESSION() {
  HelpSubject = kRegressionHelp;
  const int f = TheFileInUse;
  if (f < 0 || f >= kMaxOpenFiles || nChannels[f] < 2 || nCases[f] < 1 || !scratchChannel(f)) return;
  SavedHandlers saved;
  const float* replayed = replayedStep(kCodeRegression);
  const int16_t step = RecordScriptStep(kCodeRegression);
  AnalysisCode = kCodeRegression;
  rt::closeWindow(50);
  if (openForChannels(f, replayed)) {
    rt::bringWindowForward(kResultsWindow);
    installModalHandlers();
    rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
    rt::setHandler(rt::Vector::Mouse, noMOUSE);
    for (;;) {
      action = eventID = 0;
      do rt::FBHandleEvents();
      while (action == 0 && !MENU_or_ToolBar_PICKED);
      if (MENU_or_ToolBar_PICKED || !handle(f, replayed)) break;
    }
  }
  completeFitStep(step, {{2, 1.0f}, {4, float(RegressionXChannel)}, {5, float(RegressionYChannel)},
                         {6, float(UseLogY)}});
  rt::FlushEvents();
  rt::closeWindow(kNoticeWindow);
  REFRESHBLOCK();
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
}

}  // namespace qv
