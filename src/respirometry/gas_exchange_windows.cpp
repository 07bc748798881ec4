#include "respirometry/gas_exchange_windows.h"

#include <cmath>
#include <string>

#include "core/help.h"
#include "core/channel_roles.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "core/warning.h"
#include "output/output.h"
#include "plot/plot_state.h"
#include "respirometry/equation_viewer.h"
#include "respirometry/flow_fields.h"
#include "respirometry/gas_settings.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kUnitsMenu = 1101;
constexpr int kShowEquation = 34;

void radioPair(int yes, int no, bool first, std::string_view a, std::string_view b, int left, int top) {
  rt::FBButton(yes, first ? 2 : 1, a, {left, top, left + 52, top + 18}, 3);
  rt::FBButton(no, first ? 1 : 2, b, {left + 56, top, left + 140, top + 18}, 3);
}

void question(int top, std::string_view text) {
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(10, top + 13, text);
}

void drawFirstWindow() {
  const int f = TheFileInUse;
  const int n = nChannels[f];
  SetTextStyle(KestrixFont, 12, 1);
  PrintAt(10, 18, "Destination of Results:");
  // A recorded or replayed step has no word for the new channel: it always overwrites.
  const bool scripted = RecordSCRIPT != 0 || RunScript != 0;
  if (n < kMaxChannels && !scripted) {
    rt::FBButton(4, MakeNewChan ? 2 : 1, "Store Results in New Channel" + rt::PSstrLong(n + 1), {10, 24, 310, 42}, 2);
    question(40, "(Otherwise, replace old channel) ");
  } else {
    question(24, "Results will replace old channel.");
  }
  SetTextStyle(KestrixFont, 12, 1);
  PrintAt(10, 78, "Source of Flow Rate Data:");
  rt::FBButton(2, n < 2 ? 0 : FlowRateChannel ? 2 : 1, "Get Flow Rate from Channel", {10, 84, 300, 102}, 3);
  rt::FBButton(1, FlowRateChannel ? 1 : 2, "Enter Flow Rate Directly", {10, 104, 300, 122}, 3);
  int y = 130;
  if (GasType != 3) {
    question(y, "Is the incurrent gas flow dry?");
    radioPair(5, 6, DryAir != 0, "Yes", "No", 200, y);
    y += 22;
  }
  DoSubscript(10, y + 13, "Is all incurrent CO", "2", "  absorbed?", 3);
  radioPair(7, 8, AbsorbCO2upstream != 0, "Yes", "No", 200, y);
  y += 22;
  question(y, "Are deflections positive-going?");
  radioPair(9, 10, prefsArray[18] != 0, "Yes", "No", 200, y);
  y += 22;
  question(y, "Flow  rate is ");
  rt::FBButton(11, prefsArray[53] ? 1 : 2, "ml/min", {100, y, 170, y + 18}, 3);
  rt::FBButton(12, prefsArray[53] ? 2 : 1, "liters/min", {176, y, 270, y + 18}, 3);
  y += 34;
  DoSubscript(10, y + 13, "FiO", "2", " = ", 3);
  buildef(1, 102, StringFormatter(FiO2), 60, int16_t(y), 120, int16_t(y + 16), 3, 2);
  PrintAt(124, y + 13, "%");
  DoSubscript(150, y + 13, "FiCO", "2", " = ", 3);
  buildef(1, 103, StringFormatter(FiCO2), 210, int16_t(y), 270, int16_t(y + 16), 3, 2);
  PrintAt(274, y + 13, "%");
  y += 26;
  question(y, "RQ:");
  buildef(1, 101, rt::PSstr(RQ), 60, int16_t(y), 120, int16_t(y + 16), 3, 2);
  rt::FBButton(200, 1, "?", {10, 310, 40, 332}, 1);
  rt::FBButton(3, 1, "Next...", {200, 310, 310, 332}, 4);
}

// Fractions and RQ as typed; a text that is not a number keeps the value before.
void readFirstFields() {
  auto read = [](int id, float& v, const char* what) {
    double x = 0;
    if (rt::PSvalStrict(rt::editText(id), x) && std::isfinite(float(x))) {
      v = float(x);
      return;
    }
    Warn(1166, "Gas exchange: ", {std::string(what) + " must be a number.", "It stays" + rt::PSstr(v) + "."});
  };
  read(102, FiO2, "FiO2");
  read(103, FiCO2, "FiCO2");
  read(101, RQ, "The RQ");
}

void setPair(int yes, int no, bool first) {
  rt::setButtonState(yes, first ? 2 : 1);
  rt::setButtonState(no, first ? 1 : 2);
}

}  // namespace

bool gasFirstWindow() {
  const int n = nChannels[TheFileInUse];
  FlowRateChannel = GetFlowRateFromChannel != 0 && n >= 2 ? 2 : 0;
  const bool scripted = RecordSCRIPT != 0 || RunScript != 0;
  MakeNewChan = prefsArray[6] != 0 && n < kMaxChannels && !scripted ? 1 : 0;
  drawFirstWindow();
  if (DryAir == 0 && GasType != 3) playIfSoundsOn("bub3.mp3");
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4) {
      readFirstFields();
      return false;
    }
    const bool help = (a == 1 && id == 200) || (a == 16 && (id == 47 || id == 63));
    if (help) {
      HelpSubject = 251;
      OpenHelpBook();
      continue;
    }
    if ((a == 1 && id == 3) || a == 16 || (a == 3 && id != 4)) {
      readFirstFields();
      return true;
    }
    if (a != 1) continue;
    switch (id) {
      case 1: case 2: FlowRateChannel = id == 2 ? 2 : 0; setPair(2, 1, id == 2); break;
      case 4: MakeNewChan = MakeNewChan ? 0 : 1; rt::setButtonState(4, MakeNewChan ? 2 : 1); break;
      case 5: case 6:
        DryAir = id == 5 ? 1 : 0;
        setPair(5, 6, DryAir != 0);
        if (!DryAir) playIfSoundsOn("bub3.mp3");
        break;
      case 7: case 8: AbsorbCO2upstream = id == 7 ? 1 : 0; setPair(7, 8, AbsorbCO2upstream != 0); break;
      case 9: case 10:
        prefsArray[18] = id == 9 ? 1 : 0;
        setPair(9, 10, prefsArray[18] != 0);
        if (id == 9) upvip(); else downvip();
        break;
      case 11: case 12: prefsArray[53] = id == 12 ? 1 : 0; setPair(12, 11, id == 12); break;
      default: break;
    }
  }
}

void drawGasSecondWindow() {
  const bool water = GasType == 3;
  const char* gas = GasType == 1 ? "O\u2082" : GasType == 2 ? "CO\u2082" : "H\u2082O";
  SetTextStyle(KestrixFont, 12, 1);
  PrintAt(8, 20, "Flow correction:");
  rt::FBButton(30, prefsArray[38] ? 1 : 2, "Standard", {8, 28, 128, 46}, 3);
  rt::FBButton(31, prefsArray[38] ? 2 : 1, "Instantaneous", {8, 48, 128, 66}, 3);
  std::string source = std::string(gas) + ":" + (water ? "  " : "%") + " channel" + rt::PSstrLong(MainDataChannel);
  if (FlowRateChannel != 0) source += ";   flow rate:   channel" + rt::PSstrLong(FlowRateChannel);
  buildef(0, 1001, source, 8, 174, 314, 190, 7, 0);
  buildef(0, 130, std::string("Convert ") + (GasType == 3 ? "water" : gas) + " concentration data into units of:", 8,
          196, 314, 212, 7, 0);
  const int popup = water ? 42 : 41;
  if (water) EWLUnitsPopup(kUnitsMenu);
  else GasUnitsPopup(kUnitsMenu);
  rt::FBAppearanceButton(popup, 1, Item1, kUnitsMenu, 0, "", {8, 218, 220, 240}, rt::kControlPopupButton);
  rt::FBButton(kShowEquation, 1, "Show Equation", {8, 256, 150, 278}, 1);
  rt::FBButton(200, 1, "?", {8, 300, 38, 322}, 1);
  rt::FBButton(32, 1, "Compute Gas Exchange", {130, 300, 312, 322}, 4);
  FLOWSTUFF();
}

bool gasSecondWindowLoop() {
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4) return false;
    if ((a == 1 && id == 32) || a == 16 || (a == 3 && id != 4)) return true;
    if (a != 1) continue;
    if (id == 200) {
      HelpSubject = 253;
      OpenHelpBook();
    } else if (id == kShowEquation) {
      SHOWGASEQUATION();
      rt::setOutputWindow(4);
      rt::bringWindowForward(4);
    } else if (id == 30 || id == 31) {
      prefsArray[38] = id == 31 ? 1 : 0;
      setPair(31, 30, id == 31);
    } else if (id == 41 || id == 42) {
      Item1 = int16_t(rt::controlValue(id));
      prefsArray[54] = Item1;
      if (Item1 >= 12 && GasType != 3) {
        READFLOW();
        SelectHeatEquivalence(GasType == 1 ? "O2" : "CO2", 130, 102);
        rt::setOutputWindow(4);
        rt::bringWindowForward(4);
        FLOWSTUFF();
      }
    }
  }
}

}  // namespace qv
