#include "stats/analysis_window.h"

#include <algorithm>
#include <string>

#include "core/help.h"
#include "core/menus.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/script_state.h"
#include "output/commands.h"
#include "output/results_layout.h"
#include "plot/label_strip.h"
#include "runtime/events.h"
#include "runtime/windows.h"
#include "core/view_state.h"

namespace qv {

namespace {
constexpr int kResultsWindow = 4;
constexpr int kScaleResultsItem = 3;  // Analysis Utilities "Scale Results..."
}  // namespace

void toAnalysisResults() {
  if (rt::windowExists(kResultsWindow)) rt::setOutputWindow(kResultsWindow);
}

void setAnalysisButton(int id, int state) {
  if (rt::controlExistsIn(kResultsWindow, id)) rt::setButtonStateIn(kResultsWindow, id, state);
}

bool analysisSlotInUse(int f) { return f >= 0 && f < kMaxOpenFiles; }

std::span<const float> analysisSamples(int f, int c) {
  if (!analysisSlotInUse(f) || c < 1 || c > nChannels[f] || c > kMaxChannels) return {};
  const float* x = gPointersToFileData[f][c].get();
  return x ? std::span<const float>(x, size_t(nCases[f]) + 1) : std::span<const float>();
}

void clearAnalysisScratchCase(int f) {
  if (analysisSlotInUse(f) && gPointersToFileData[f][0]) PutDatum(f, 0, 0, 0.0f);
}

bool analysisBlockSet(int f) {
  return analysisSlotInUse(f) && nCases[f] >= 1 && nChannels[f] >= 1 && FileSHORTS[f][2] == 2;
}

int16_t analysisStartChannel(int f) {
  return ActiveChannel >= 1 && ActiveChannel <= std::min<int>(nChannels[f], kMaxChannels) ? ActiveChannel : 1;
}

bool analysisKey(int key, int f, const std::function<void(int)>& report, const std::function<void(int)>& choose) {
  if (key == 13) return RunScript == 0;
  if (key == '/' || key == '?') {
    OpenHelpBook();
  } else if (key == 'P' || key == 'p') {
    report(key);
  } else if (const int c = analysisKeyChannel(key, std::min<int>(nChannels[f], kMaxChannels))) {
    choose(c);
  }
  return true;
}

void printAnalysisReport(int key) {
  DRAFTPRINT(std::string(1, char(key)));
  toAnalysisResults();
}

bool toolbarButtonPicked(int id) {
  if (id != 135 && (id < 551 || id > 594)) return false;
  SetMenuButton(int16_t(id));
  MENU_or_ToolBar_PICKED = 1;
  return true;
}

void waitForAnalysisEvent() {
  action = eventID = 0;
  // A pick made before the window opened (in the dialog that led to it) is served without
  // taking another event: that event belongs to the window the pick opens.
  while (action == 0 && !MENU_or_ToolBar_PICKED) {
    rt::FBHandleEvents();
    // The strip follows the pointer over the channel buttons, between clicks too.
    ShowButtonChannelLabel(kResultsWindow);
  }
}

bool scaleResultsPicked() { return menuidx == kAnalysisUtilitiesMenu && menuitemx == kScaleResultsItem; }

void takeScaleResultsPick() {
  MENU_or_ToolBar_PICKED = 0;
  MenuIDENTIFIER = MenuItem = menuidx = menuitemx = 0;
  SCALERESULTS(0);
}

}  // namespace qv
