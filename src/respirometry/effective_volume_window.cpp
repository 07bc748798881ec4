// Edit > Respirometry > Effective Volume: the flow window (44), then the results window (4).
#include <algorithm>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/output_state.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "core/typed_number.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "respirometry/effective_volume.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "stats/stats_block.h"

namespace qv {

namespace {

constexpr int kFlowWindow = 44, kResultsWindow = 4;
constexpr int kFlowField = 101, kCompute = 1, kFlowHelp = 2;
constexpr int kStore = 1, kDone = 2, kResultsHelp = 3;
constexpr int16_t kHelpSubject = 198;
constexpr const char* kTitle = "Effective Volume";

int windowTop(int offset, int height) {
  const int d = prefsArray[33] ? -20 : 5;
  return std::clamp(BottomOfPlotArea + offset + d, 40, 900 - height - 10);
}

void buildFlowWindow(int f, const std::string& title) {
  const int top = windowTop(124, 219);
  BuildWINDOW(kFlowWindow, title, 4, int16_t(top), 318, int16_t(top + 219), 6);
  GrayBOX(1, 4, 25, 296, 70);
  SetTextStyle(KestrixFont, 12, 1);
  PrintAt(12, 41, "Effective volume from a washout curve");
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(12, 54, "Gas data must be in units of % concentration");
  PrintAt(12, 66, "with the baseline corrected to zero");
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(14, 110, "Flow rate (ml/min):");
  EFForeColor = EFBackColor = 1;
  buildef(1, kFlowField, rt::PSstr(FileInfoFLOATS[f][2]), 170, 95, 290, 115, 3, 1);
  rt::FBButton(kFlowHelp, 1, "?", {14, 170, 44, 192}, 1);
  rt::FBButton(kCompute, 1, "Compute Effective Volume", {80, 170, 290, 192}, 4);
}

enum class FlowAnswer { Compute, Closed };

// The flow window's loop; the flow typed in `flow` when it computes.
FlowAnswer askFlow(float& flow) {
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id == kFlowHelp) {
      OpenHelpBook();
      continue;
    }
    if (a == 4) return FlowAnswer::Closed;
    if (a != 1 && a != 16 && !(a == 3 && id != kFlowWindow)) continue;
    const auto v = typedNumber(rt::editText(kFlowField));
    if (v && *v > 0.0) {
      flow = float(*v);
      return FlowAnswer::Compute;
    }
    Warn(1166, "Effective volume: ", {"The flow rate must be a number of ml/min greater than 0.", "Nothing was computed."});
    rt::setOutputWindow(kFlowWindow);
  }
}

void publish(const WashoutVolumes& r, int32_t B, int32_t E) {
  meanValue = r.mean;
  StandardDeviation = r.sd;
  nrPoints = r.n;
  mi = r.min, ma = r.max;
  x1float = float(B), SecondXvalue = float(E);
}

void drawResults(int f, const std::string& title, const WashoutVolumes& r, int32_t B, int32_t E) {
  const int top = windowTop(138, 225);
  BuildWINDOW(kResultsWindow, title, 4, int16_t(top), 322, int16_t(top + 225), 6);
  rt::setOutputWindow(kResultsWindow);
  const WashoutDuration duration = washoutDuration(r.n, FileInfoFLOATS[f][1]);
  minutes = duration.inMinutes ? 1 : 0;
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(4, 13, "  Channel" + rt::PSstrLong(ActiveChannel) + "   " + RetrieveLabelOf(f, ActiveChannel));
  PrintAt(4, 27, " cases" + rt::PSstrLong(B + 1) + " to" + rt::PSstrLong(E + 1) + ";  duration" +
                     duration.text + "         ");
  BasicStatsTextStuff(0);
  BasicSTATS(0);
  rt::setOutputWindow(kResultsWindow);
  DoubleLINE(0, 320, 31);
  if (r.unusable > 0) {
    rt::foreColor(RGBred);
    rt::paintRect({1, 168, 316, 193});
    SetTextStyle(KestrixFont, 13, 1);
    rt::foreColor(RGBwhite);
    PrintAt(12, 185, "Caution:  some points were not usable!");
    rt::foreColor(RGBblack);
    bzot();
  }
  rt::FBButton(kStore, 1, "Store Effective Volume; Exit", {10, 200, 204, 220}, 1);
  rt::FBButton(kResultsHelp, 1, "?", {210, 200, 235, 220}, 1);
  rt::FBButton(kDone, 1, "Done", {243, 200, 312, 220}, 4);
}

// The results window's loop; true when the mean is to be stored.
bool askStore() {
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id == kResultsHelp) {
      OpenHelpBook();
      continue;
    }
    if (a == 1 && id == kStore) return true;
    if (a == 3 && id == kResultsWindow) continue;
    if (a == 1 || a == 16 || a == 4 || a == 3) return false;
  }
}

void finish(int f) {
  bup();
  RestoreTheToolBar();
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  rt::setCursor(rt::Cursor::Arrow);
  row = 0;
  action = eventID = 0;
}

}  // namespace

void EFFECTIVEVOLUME() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || ActiveChannel < 1 || ActiveChannel > nChannels[f]) return;
  HelpSubject = kHelpSubject;
  AnalysisCode = 0;
  const int32_t B = BeginBlock[f], E = EndBlock[f];
  if (FileSHORTS[f][kBlockStateWord] != 2 || B < 0 || E > nCases[f] || E - B < 1) {
    Warn(1166, "Effective volume: ", {"Select a block of at least two cases of the washout first.", "Nothing was computed."});
    return;
  }
  SavedHandlers savedHandlers;
  const std::string title = std::string(kTitle) + ", Channel" + rt::PSstrLong(ActiveChannel);
  rt::setCursor(rt::Cursor::Arrow);
  rt::closeWindow(6);
  rt::closeWindow(kResultsWindow);
  HideTheToolBar();
  GasType = 1;
  buildFlowWindow(f, title);
  installModalHandlers();
  action = eventID = 0;
  float flow = 0.0f;
  const FlowAnswer answer = askFlow(flow);
  rt::closeWindow(kFlowWindow);
  if (answer == FlowAnswer::Closed) {
    finish(f);
    return;
  }
  rt::setCursor(rt::Cursor::Wait);
  std::vector<float> volumes(size_t(E - B));
  const std::span<const float> samples(channelData(f, ActiveChannel), size_t(nCases[f]) + 1);
  const WashoutVolumes r = washoutVolumes(samples, B, E, flow, FileInfoFLOATS[f][1], volumes);
  rt::setCursor(rt::Cursor::Arrow);
  if (r.n == 0) {
    Warn(1166, "Effective volume: ",
         {"No pair of the block gives a volume: a later sample must be below the one before and above 0.",
          "Nothing was computed."});
    finish(f);
    return;
  }
  if (float* scratch = channelData(f, 0)) {
    std::copy(volumes.begin(), volumes.end(), scratch + B + 1);
    scratch[0] = 0.0f;
  }
  publish(r, B, E);
  drawResults(f, title, r, B, E);
  if (askStore()) {
    const float stored = float(r.mean);
    if (FileInfoFLOATS[f][5] != stored) FileSHORTS[f][kChangeMarkWord] = 1;
    FileInfoFLOATS[f][5] = stored;
  } else {
    rt::closeWindow(kResultsWindow);
  }
  finish(f);
}

}  // namespace qv
