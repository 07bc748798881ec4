// "Constant Volume Respirometry": window 16, opened by the interval scans' "C.V.R. Data...".
#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "core/channel_roles.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "core/typed_number.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "respirometry/constant_volume.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kWindow = 16, kResultsWindow = 4;
constexpr int kOxygen = 1, kCO2 = 2, kAbsorbedYes = 7, kAbsorbedNo = 8, kDone = 50, kHelpButton = 200;
constexpr int kVolumeField = 101, kTimeField = 102, kPressureField = 103, kTemperatureField = 104;
constexpr int kFiO2Field = 105, kFiCO2Field = 106, kRQField = 107, kHumidityField = 108;
constexpr int16_t kHelpSubject = 200;
constexpr int kWidth = 330, kHeight = 330;

void field(int id, float value, int top) {
  EFForeColor = EFBackColor = 1;
  buildef(1, int16_t(id), rt::PSstr(value), 215, int16_t(top), 300, int16_t(top + 17), 3, 1);
}

void caption(int top, std::string_view text) { PrintAt(14, top + 13, text); }

void setSpecies(int16_t gas) {
  GasType = gas;
  rt::setButtonState(kOxygen, gas == 1 ? 2 : 1);
  rt::setButtonState(kCO2, gas == 2 ? 2 : 1);
  const bool oxygen = gas == 1;
  rt::setButtonState(kAbsorbedYes, oxygen ? (AbsorbCO2upstream ? 2 : 1) : 0);
  rt::setButtonState(kAbsorbedNo, oxygen ? (AbsorbCO2upstream ? 1 : 2) : 0);
}

void buildWindow(int f) {
  const int left = 380, top = std::max(60, std::min(BottomOfPlotArea + 20, 900 - kHeight - 20));
  BuildWINDOW(kWindow, "Constant Volume Respirometry", int16_t(left), int16_t(top), int16_t(left + kWidth),
              int16_t(top + kHeight), 6);
  SetTextStyle(KestrixFont, 12, 1);
  caption(8, "gas species:");
  rt::FBButton(kOxygen, 1, "Oxygen", {110, 8, 190, 26}, 3);
  rt::FBButton(kCO2, 1, "CO\u2082", {200, 8, 270, 26}, 3);
  SetTextStyle(KestrixFont, 12, 0);
  caption(36, "chamber volume (ml):");
  field(kVolumeField, FileInfoFLOATS[f][5], 36);
  caption(60, "elapsed time (min):");
  field(kTimeField, Tminutes, 60);
  caption(84, "barometric pressure (torr):");
  field(kPressureField, FileInfoFLOATS[f][4], 84);
  caption(108, "ambient temperature (\u00B0C):");
  field(kTemperatureField, FileInfoFLOATS[f][3], 108);
  caption(132, "initial R.H. (%):");
  field(kHumidityField, startRH, 132);
  DoSubscript(14, 175, "FiO", "2", "  = ", 3);
  field(kFiO2Field, FiO2, 162);
  PrintAt(304, 175, "%");
  DoSubscript(14, 199, "FiCO", "2", "", 3);
  field(kFiCO2Field, FiCO2, 186);
  caption(210, "RQ:");
  field(kRQField, RQ, 210);
  DoSubscript(14, 253, "is excurrent CO", "2", " absorbed?", 3);
  rt::FBButton(kAbsorbedYes, 1, "Yes", {190, 240, 245, 258}, 3);
  rt::FBButton(kAbsorbedNo, 1, "No", {250, 240, 305, 258}, 3);
  rt::FBButton(kHelpButton, 1, "?", {14, kHeight - 36, 44, kHeight - 14}, 1);
  rt::FBButton(kDone, 1, "Done", {kWidth - 110, kHeight - 36, kWidth - 20, kHeight - 14}, 4);
}

struct Typed {
  ChamberDescription chamber;
  float FiO2 = 0, FiCO2 = 0, RQ = 0;
};

// The fields as numbers, or the message that refuses them.
std::optional<std::string> readFields(Typed& t) {
  const std::array<std::pair<int, float*>, 8> fields{{{kVolumeField, &t.chamber.volume},
                                                      {kTimeField, &t.chamber.minutes},
                                                      {kPressureField, &t.chamber.pressure},
                                                      {kTemperatureField, &t.chamber.celsius},
                                                      {kHumidityField, &t.chamber.humidity},
                                                      {kFiO2Field, &t.FiO2},
                                                      {kFiCO2Field, &t.FiCO2},
                                                      {kRQField, &t.RQ}}};
  for (const auto& [id, target] : fields) {
    const auto v = typedNumber(rt::editText(id));
    if (!v) {
      if (id == kFiO2Field) return "FiO\u2082 must be a number.";
      if (id == kFiCO2Field) return "FiCO\u2082 must be a number.";
      if (id == kRQField) return "The RQ must be a number.";
      *target = NAN;  // the chamber check names the field
      continue;
    }
    *target = float(*v);
  }
  return chamberProblem(t.chamber);
}

// Stores what was typed; the change mark goes up when a word of the file changes.
void store(int f, const Typed& t) {
  float* info = FileInfoFLOATS[f];
  if (info[5] != t.chamber.volume || info[4] != t.chamber.pressure || info[3] != t.chamber.celsius)
    FileSHORTS[f][kChangeMarkWord] = 1;
  info[5] = t.chamber.volume, info[4] = t.chamber.pressure, info[3] = t.chamber.celsius;
  Tminutes = t.chamber.minutes;
  startRH = t.chamber.humidity;
  FiO2 = t.FiO2, FiCO2 = t.FiCO2, RQ = t.RQ;
  STPfactor[0] = stpFactor(t.chamber);
}

}  // namespace

void ConstantVolumeRespirometry() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  SavedHandlers savedHandlers;
  MakeNewChan = 0;
  MainDataChannel = ActiveChannel;
  HelpSubject = kHelpSubject;
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
  if (GasType != 1 && GasType != 2) GasType = 1;
  if (!(Tminutes > 0.0f)) Tminutes = 1.0f;
  buildWindow(f);
  setSpecies(GasType);
  playIfSoundsOn("upvip.mp3");
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && (id == kOxygen || id == kCO2)) {
      setSpecies(int16_t(id));
      continue;
    }
    if (a == 1 && (id == kAbsorbedYes || id == kAbsorbedNo)) {
      AbsorbCO2upstream = id == kAbsorbedYes ? 1 : 0;
      setSpecies(GasType);
      continue;
    }
    if (a == 1 && id == kHelpButton) {
      OpenHelpBook();
      continue;
    }
    const bool finish = (a == 1 && id == kDone) || a == 16 || a == 4 || (a == 3 && id != kWindow);
    if (!finish) continue;
    Typed typed;
    if (const auto problem = readFields(typed)) {
      Warn(1166, "Constant volume respirometry: ", {*problem, "Nothing was stored."});
      rt::setOutputWindow(kWindow);
      continue;
    }
    store(f, typed);
    break;
  }
  rt::closeWindow(kWindow);
  if (rt::windowExists(kResultsWindow)) rt::bringWindowForward(kResultsWindow);
}

}  // namespace qv
