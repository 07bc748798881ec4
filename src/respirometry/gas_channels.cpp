#include "respirometry/gas_channels.h"

#include <algorithm>
#include <string>

#include "core/help.h"
#include "core/channel_list.h"
#include "core/channel_roles.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "plot/plot_state.h"
#include "respirometry/gas_settings.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kListWindow = 6, kNext = 135, kCompanionNext = 125;
constexpr int kListWidth = 330;

// Window 6 at the right of the screen, tall enough for every channel of the file.
void buildListWindow(std::string_view title, int rows) {
  const int height = 70 + 18 * rows;
  BuildWINDOW(kListWindow, title, int16_t(1440 - kListWidth - 10), 40, int16_t(1440 - 10), int16_t(40 + height), 6);
}

std::string gasTitle(std::string_view gas) {
  return gas == "CO2" ? "CO\u2082" : gas == "H2O" ? "H\u2082O" : "O\u2082";
}

int nextButtonTop(int n) { return 30 + 18 * n; }

}  // namespace

int16_t GasExchangeChannelSelect(std::string_view gasWord, int16_t mode) {
  HelpSubject = 199;
  const int f = TheFileInUse;
  const int n = nChannels[f];
  const bool withFlow = FlowRateChannel != 0 && mode >= 0;
  std::string title = withFlow ? "Channels for " + gasTitle(gasWord) + " and Flow" : "Channel for " + gasTitle(gasWord);
  std::string heading = GasType == 1 ? "  O2" : GasType == 2 ? " CO2" : " H2O";
  if (mode == -1) title = "Channel for FeO\u2082", heading = " FO2";
  else if (mode < 0) title = "Channel for FeCO\u2082", heading = "FCO2";
  SavedHandlers saved;
  buildListWindow(title, n);
  TRANSCHAN(heading, " flow", "channel, units", 4, 1, 6, 1);
  int gas = ActiveChannel >= 1 && ActiveChannel <= n ? ActiveChannel : 0;
  int flow = 0;
  if (withFlow) {
    const int last = LastFlowRateChannelannelUsed;
    flow = last >= 1 && last <= n && last != gas ? last : gas < n ? gas + 1 : gas - 1;
  }
  rt::FBButton(kNext, 0, "Next...", {kListWidth - 100, nextButtonTop(n), kListWidth - 14, nextButtonTop(n) + 22}, 4);
  auto mark = [&] {
    for (int c = 1; c <= n; ++c) {
      rt::setButtonState(c, c == gas ? 2 : c == flow && withFlow ? 0 : 1);
      if (withFlow) rt::setButtonState(n + c, c == flow ? 2 : c == gas ? 0 : 1);
    }
    const bool ok = gas >= 1 && (!withFlow || (flow >= 1 && flow != gas));
    rt::setButtonState(kNext, ok ? 1 : 0);
    return ok;
  };
  bool ok = mark();
  installModalHandlers();
  action = eventID = 0;
  int16_t result = 1;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4) break;
    if (a == 1 && id >= 1 && id <= n) gas = id;
    else if (a == 1 && withFlow && id > n && id <= 2 * n) flow = id - n;
    ok = mark();
    const bool accept = (a == 1 && id == kNext) || a == 16 || (a == 3 && id != kListWindow);
    if (accept && ok) {
      result = 0;
      break;
    }
  }
  if (result == 0) {
    MainDataChannel = int16_t(gas);
    if (withFlow) SecondChannel = int16_t(n + flow);
  }
  rt::closeWindow(kListWindow);
  return result;
}

void GETVCO2CHANNEL() {
  HelpSubject = 199;
  const int16_t keptFlow = FlowRateChannel;
  FlowRateChannel = 0;
  const bool o2run = GasType == 1;
  SavedHandlers saved;
  BuildWINDOW(kListWindow, o2run ? "Select Channel for VCO\u2082 or %CO\u2082" : "Select Channel for VO\u2082 or %O\u2082",
              int16_t(1440 - kListWidth - 10), 40, int16_t(1440 - 10), 200, 6);
  rt::FBButton(11, 1, o2run ? "Use VCO\u2082" : "Use VO\u2082", {20, 20, 160, 42}, 1);
  rt::FBButton(12, 1, o2run ? "Use %CO\u2082" : "Use %O\u2082", {170, 20, 310, 42}, 1);
  rt::FBButton(13, 1, "Constant RQ", {20, 60, 160, 82}, 4);
  rt::FBButton(200, 1, "?", {280, 120, 310, 142}, 1);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(170, 75, "current RQ is:");
  buildef(1, 101, rt::PSstr(RQ), 260, 62, 310, 78, 3, 1);
  installModalHandlers();
  action = eventID = 0;
  UseVCO2 = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id == 200) {
      HelpSubject = 252;
      OpenHelpBook();
      continue;
    }
    if (a == 1) UseVCO2 = id == 11 ? 1 : id == 12 ? 2 : 0;
    if (a == 1 || a == 16 || a == 4 || a == 3) break;
  }
  const double typed = rt::PSval(rt::editText(101));
  RQ = float(typed);
  if (UseVCO2 != 0) {
    upvip();
    const int n = nChannels[TheFileInUse];
    BuildWINDOW(kListWindow, o2run ? "Select Channel for VCO\u2082 or %CO\u2082" : "Select Channel for VO\u2082 or %O\u2082",
                int16_t(1440 - kListWidth - 10), 40, int16_t(1440 - 10), int16_t(40 + 70 + 18 * n), 6);
    const char* heading = o2run ? (UseVCO2 == 1 ? "VCO2" : "%CO2") : (UseVCO2 == 1 ? "VO2" : "%O2");
    TRANSCHAN(heading, "", "channel, units", 4, 0, 6, 1);
    int pick = VCO2channel >= 1 && VCO2channel <= n ? VCO2channel : 0;
    rt::FBButton(kCompanionNext, pick ? 1 : 0, "Next...",
                 {kListWidth - 100, nextButtonTop(n), kListWidth - 14, nextButtonTop(n) + 22}, 4);
    for (int c = 1; c <= n; ++c) rt::setButtonState(c, c == pick ? 2 : 1);
    for (;;) {
      const auto [a, id] = takeAction();
      if (a == 4) {
        UseVCO2 = 0;
        break;
      }
      if (a == 1 && id >= 1 && id <= n) {
        pick = id;
        for (int c = 1; c <= n; ++c) rt::setButtonState(c, c == pick ? 2 : 1);
        rt::setButtonState(kCompanionNext, 1);
      }
      if (pick && ((a == 1 && id == kCompanionNext) || a == 16 || (a == 3 && id != kListWindow))) break;
    }
    if (UseVCO2 != 0) VCO2channel = int16_t(pick);
  }
  rt::closeWindow(kListWindow);
  FlowRateChannel = keptFlow;
  RestoreTheToolBar();
}

}  // namespace qv
