// The water-vapour windows of gas exchange and of the analyser's humidity compensation: the
// "Humidity Correction" chain (pressure, flow-meter temperature, humidity source), the unit
// and sensor-temperature windows, the water-loss O2/CO2 window and the FiH2O calculator.
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "core/channel_list.h"
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
#include "core/warning.h"
#include "plot/plot_state.h"
#include "respirometry/flow_system.h"
#include "respirometry/gas_channels.h"
#include "respirometry/gas_settings.h"
#include "respirometry/humidity.h"
#include "respirometry/humidity_windows.h"
#include "respirometry/stand_ins.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kChainWindow = 7, kUnitWindow = 6, kEWLWindow = 4, kFiH2OWindow = 105;
constexpr int16_t kWarningWindow = 1166;
constexpr int kField = 101, kConstant = 123, kOK = 124;
constexpr int kVapourUnits = 201, kRHorDewPoint = 202, kNext = 1, kDoNotCompensate = 2, kChainHelp = 200;
constexpr int kUnitNext = 15;
constexpr int kRQField = 100, kFeO2Field = 101, kFiH2OField = 102, kEWLNext = 15, kEWLHelp = 16, kEstimate = 17;
constexpr int kReadingField = 2, kMeterField = 4, kPressureField = 5, kResultField = 8, kCalculate = 10,
              kDone = 11, kFiH2OHelp = 12;
constexpr int kListWidth = 330, kChainWidth = 440;
constexpr float kStartSensorCelsius = 25.0f;

int16_t fileInUse() { return TheFileInUse; }
int channelCount() { return nChannels[fileInUse()]; }

// The number typed into field `id` of the output window, refused (with a message naming
// `what`) when it is not a number or fails `ok`.
std::optional<float> fieldValue(int id, const std::string& what, bool (*ok)(float), const char* rule) {
  const auto v = typedNumber(rt::editText(id));
  if (v && ok(float(*v))) return float(*v);
  Warn(kWarningWindow, "Humidity correction: ",
       {what + (v ? std::string(" must be ") + rule + "." : " must be a number."), "Please type it again."});
  return std::nullopt;
}

bool positive(float x) { return x > 0.0f; }
bool aboveAbsoluteZero(float x) { return x > kAbsoluteZeroCelsius; }
bool anyNumber(float) { return true; }

// One screen of window 7 with its field 101: loops until "Next...", Return or a click into
// another window brings a value that `accept` takes.
template <class Accept>
void fieldScreen(bool withDoNotCompensate, Accept accept) {
  installModalHandlers();
  action = eventID = 0;
  bool doNot = false;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id == kChainHelp) {
      HelpSubject = 254;
      OpenHelpBook();
      HelpSubject = 199;
      rt::setOutputWindow(kChainWindow);
      continue;
    }
    if (a == 1 && id == kDoNotCompensate && withDoNotCompensate) {
      doNot = !doNot;
      rt::setButtonState(kDoNotCompensate, doNot ? 2 : 1);
      continue;
    }
    const bool next = (a == 1 && id == kNext) || a == 16 || (a == 3 && id != kChainWindow);
    if (next && accept(doNot)) return;
    rt::setOutputWindow(kChainWindow);
  }
}

void chainWindow(int height) {
  const rt::Rect r = besidePlotWindow(kChainWidth, height);
  BuildWINDOW(kChainWindow, "Humidity Correction", int16_t(r.left), int16_t(r.top), int16_t(r.right),
              int16_t(r.bottom), 6);
}

// Screen 1: which kind of units the humidity sensor gives.
void askUnitKind(int16_t flag) {
  chainWindow(200);
  SetTextStyle(KestrixFont, 12, 0);
  const std::string lead = flag == 1 ? "  Having selected a channel, we must calculate what fraction of"
                                     : "  In this setup, flowrate may be inaccurate due to";
  const std::string more = flag == 1 ? "the analyzed gas volume was water vapor.   To accomplish this, "
                                     : "the water content of incurrent gas.  To compensate, ";
  PrintAt(10, 22, "\u2022" + lead);
  PrintAt(14, 40, more);
  PrintAt(14, 58, "enter humidity data into the following series of windows.");
  rt::FBButton(kVapourUnits, 1, "Click if Using Vapor Pressure Units\u2026", {60, 90, 380, 114}, 1);
  rt::FBButton(kRHorDewPoint, 1, "Click if Using %RH or Dew Point\u2026", {60, 126, 380, 150}, 1);
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && (id == kVapourUnits || id == kRHorDewPoint)) {
      prefsArray[77] = id == kVapourUnits ? 1 : 0;
      return;
    }
  }
}

void fieldScreenLayout(int16_t flag, const std::string& text, const std::string& label, const std::string& value,
                       const std::string& unit) {
  chainWindow(170);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 22, text);
  PrintAt(40, 64, label);
  buildef(1, kField, value, 190, 50, 270, 68, 3, 2);
  PrintAt(276, 64, unit);
  rt::FBButton(kChainHelp, 1, "?", {10, 130, 40, 152}, 1);
  if (flag == 0) rt::FBButton(kDoNotCompensate, 1, "DO NOT compensate", {60, 96, 260, 114}, 2);
  rt::FBButton(kNext, 1, "Next\u2026", {320, 130, 426, 152}, 4);
}

// Screens 2 and 3: the real barometric pressure, and the flow meter's real temperature.
void askPressureAndMeter(int16_t flag) {
  const int f = fileInUse();
  const float shownBP = realBP != 0.0f ? realBP : FileInfoFLOATS[f][4];
  fieldScreenLayout(flag, "First, enter the REAL ambient barometric pressure (NOT corrected to STP) ",
                    "Ambient pressure:", rt::PSstr(shownBP), "torr");
  fieldScreen(flag == 0, [](bool doNot) {
    if (doNot) {
      realBP = 760.0f;
      return true;
    }
    const auto v = fieldValue(kField, "The barometric pressure", positive, "above 0 torr");
    if (v) realBP = *v;
    return v.has_value();
  });
  if (prefsArray[77] != 1) return;
  const float shownT = flowmeterTemperature != 0.0f ? flowmeterTemperature : FileInfoFLOATS[f][3];
  fieldScreenLayout(flag, "Next, enter the REAL temperature of the FLOWMETER (NOT corrected to STP) ",
                    "Meter temperature:", rt::PSstr(shownT), "\u00B0C");
  rt::removeControl(kDoNotCompensate);
  fieldScreen(false, [](bool) {
    const auto v = fieldValue(kField, "The flow-meter temperature", aboveAbsoluteZero, "above -273.15 \u00B0C");
    if (v) flowmeterTemperature = *v;
    return v.has_value();
  });
}

// The channel list of a humidity window with a "constant" radio under it; returns the rows'
// bottom. Channel numbers of another file count as none.
int channelListWithConstant(const char* heading, const char* second, const char* constantLabel,
                            const std::string& value, const char* unit) {
  const int16_t keptFlow = FlowRateChannel, keptMain = MainDataChannel;
  FlowRateChannel = MainDataChannel = 0;
  TRANSCHAN(heading, second, "channel, units", 4, 0, 6, 1);
  FlowRateChannel = keptFlow, MainDataChannel = keptMain;
  const int y = 30 + 18 * channelCount();
  if (constantLabel) {
    rt::FBButton(kConstant, 1, constantLabel, {10, y + 4, 130, y + 22}, 3);
    buildef(1, kField, value, 136, int16_t(y + 4), 196, int16_t(y + 22), 3, 2);
    SetTextStyle(KestrixFont, 12, 0);
    PrintAt(202, y + 18, unit);
  }
  return y + 30;
}

void markSource(int pick, bool constant) {
  for (int c = 1; c <= channelCount(); ++c) rt::setButtonState(c, c == pick ? 2 : 1);
  if (constant) rt::setButtonState(kConstant, pick == kConstant ? 2 : 1);
}

// Screen 4: where the humidity reading comes from, a channel or (for %RH sensors) a constant.
void askHumiditySource(int16_t flag) {
  rt::closeWindow(kChainWindow);
  wsst();
  const bool constant = prefsArray[77] == 0;
  const int n = channelCount();
  const int height = 70 + 18 * n + (constant ? 30 : 0);
  const rt::Rect r = besidePlotWindow(kListWidth, height);
  BuildWINDOW(kChainWindow, flag == 1 ? "Humidity Correction: H\u2082O Channel" : "Flow Compensation: H\u2082O Channel",
              int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 6);
  const int y = channelListWithConstant(" H2O", " Flow", constant ? "Constant RH:" : nullptr, rt::PSstr(compRH), "%");
  int pick = WaterDataChannel >= 1 && WaterDataChannel <= n ? WaterDataChannel : kConstant;
  if (!constant && pick == kConstant) pick = 0;
  rt::FBButton(kOK, pick ? 1 : 0, "OK", {kListWidth - 100, y, kListWidth - 14, y + 22}, 4);
  markSource(pick, constant);
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4) {
      pick = kConstant;
      break;
    }
    if (a == 1 && ((id >= 1 && id <= n) || (constant && id == kConstant))) {
      pick = id;
      markSource(pick, constant);
      rt::setButtonState(kOK, 1);
      continue;
    }
    if (pick && ((a == 1 && id == kOK) || a == 16 || (a == 3 && id != kChainWindow))) break;
  }
  WaterDataChannel = int16_t(pick);
  if (constant) {
    const auto typed = typedNumber(rt::editText(kField));
    if (typed) compRH = std::clamp(float(*typed), 0.0f, 100.0f);
  }
  if (pick == kConstant) HumidityUnits = 1;
  rt::closeWindow(kChainWindow);
}

// The RH sensor's temperature: a channel, or a constant asked again until it lies in
// -40 <= t < 100.
void askSensorTemperature() {
  HideTheToolBar();
  const int n = channelCount();
  float shown = RHtemperature < -40.0f || RHtemperature > 99.0f ? kStartSensorCelsius : RHtemperature;
  for (;;) {
    const rt::Rect r = besidePlotWindow(kListWidth, 70 + 18 * n + 30);
    BuildWINDOW(kUnitWindow, "RH sensor temperature", int16_t(r.left), int16_t(r.top), int16_t(r.right),
                int16_t(r.bottom), 6);
    const int y = channelListWithConstant("temp", " temp", "Constant:", rt::PSstr(shown).substr(0, 5), "\u00B0C");
    rt::FBButton(kOK, 1, "Temperature OK", {kListWidth - 140, y, kListWidth - 14, y + 22}, 4);
    int pick = RHtemperatureChannel >= 1 && RHtemperatureChannel <= n ? RHtemperatureChannel : kConstant;
    markSource(pick, true);
    installModalHandlers();
    action = eventID = 0;
    for (;;) {
      const auto [a, id] = takeAction();
      if (a == 1 && ((id >= 1 && id <= n) || id == kConstant)) {
        pick = id;
        markSource(pick, true);
        continue;
      }
      if ((a == 1 && id == kOK) || a == 16 || (a == 3 && id != kUnitWindow)) break;
    }
    RHtemperatureChannel = int16_t(pick == kConstant ? 0 : pick);
    const auto typed = typedNumber(rt::editText(kField));
    rt::closeWindow(kUnitWindow);
    if (typed && *typed >= -40.0 && *typed < 100.0) {
      RHtemperature = float(*typed);
      return;
    }
    shown = kStartSensorCelsius;
  }
}

struct UnitButton {
  int id;
  const char* text;
};

// The unit radios offered: water loss all four; the flow and analyser corrections the two of
// the kind of sensor the user named.
std::vector<UnitButton> unitButtons() {
  if (GasType == 3)
    return {{11, "% Relative Humidity"}, {12, "Dew Point (\u00B0C) "}, {13, "Water Vapor Pressure in kPa"},
            {14, "Water Vapor Content in \u00B5g/mL "}};
  if (prefsArray[77] == 1) return {{13, "Water Vapor Pressure in kPa"}, {14, "Water Vapor Pressure in mg/L "}};
  return {{11, "% Relative Humidity"}, {12, "Dew Point (\u00B0C) "}};
}

void drawUnitExplanation(int16_t mode) {
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 20, "Humidity sensors typically measure vapor pressure (kPa or \u00B5g/mL),");
  PrintAt(10, 36, "relative humidity (% RH), or dew point (the saturation temperature; \u00B0C).");
  PrintAt(10, 52, "Select the correct units for your equipment.");
  PrintAt(10, 72, "If you are using %RH, you will also need to select a");
  PrintAt(10, 88, "humidity sensor temperature (next window).");
  if (mode == 0) {
    PrintAt(10, 118, "Approximate temperature of the evaporating surface (\u00B0C):");
    buildef(1, kField, "30", 360, 104, 420, 122, 3, 2);
    SetTextStyle(KestrixFont, 10, 0);
    PrintAt(10, 136, "(This affects the latent heat of vaporization.) ");
  } else {
    SetTextStyle(KestrixFont, 12, 1);
    PrintAt(10, 122,
            GasType == 99 ? "Compensation for the water vapor fraction of sensor gas"
                          : "Flow rate compensation for water vapor in incurrent gas");
  }
}

// The unit window; with mode 0 also the evaporating surface's temperature (latent heat).
void askUnit(int16_t mode) {
  const std::vector<UnitButton> units = unitButtons();
  const int height = 160 + 24 * int(units.size()) + 40;
  const rt::Rect r = besidePlotWindow(470, height);
  BuildWINDOW(kUnitWindow, "Evaporative Water Loss", int16_t(r.left), int16_t(r.top), int16_t(r.right),
              int16_t(r.bottom), 6);
  drawUnitExplanation(mode);
  int y = 152;
  for (const UnitButton& u : units) {
    rt::FBButton(u.id, 1, u.text, {20, y, 330, y + 20}, 3);
    y += 24;
  }
  rt::FBButton(kUnitNext, 0, "Next\u2026", {360, y + 6, 456, y + 28}, 4);
  int chosen = 0;
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    const bool offered = std::any_of(units.begin(), units.end(), [&](const UnitButton& u) { return u.id == id; });
    if (a == 1 && offered) {
      chosen = id;
      for (const UnitButton& u : units) rt::setButtonState(u.id, u.id == id ? 2 : 1);
      rt::setButtonState(kUnitNext, 1);
      continue;
    }
    const bool next = (a == 1 && id == kUnitNext && chosen) || a == 16 || (a == 3 && id != kUnitWindow);
    if (!next) continue;
    if (!chosen) {
      if (units.front().id != 11) continue;  // a vapour-pressure sensor has no %RH to fall back on
      chosen = 11;
    }
    if (mode == 0) {
      const auto t = fieldValue(kField, "The surface temperature", aboveAbsoluteZero, "above -273.15 \u00B0C");
      if (!t) {
        rt::setOutputWindow(kUnitWindow);
        continue;
      }
      latent = latentHeat(0, *t);
    } else {
      latent = latentHeat(mode, 0.0f);
    }
    break;
  }
  HumidityUnits = int16_t(chosen - 10);
  rt::closeWindow(kUnitWindow);
}

void drawEWLWindow() {
  SetTextStyle(KestrixFont, 14, 1);
  DoSubscript(10, 22, "VO", "2", "", 3);
  DoSubscript(40, 22, " and VCO", "2", " Compensation", 3);
  SetTextStyle(KestrixFont, 12, 0);
  const char* lines[] = {"When  you are measuring EWL, the animal is also",
                         "consuming oxygen and producing CO\u2082.   These",
                         "gases affect flow rate and must be accounted for.",
                         "     To do this you can use a channel containing O\u2082",
                         "concentration data plus another containing CO\u2082",
                         "concentration, or just an O\u2082 channel and an RQ.",
                         "Alternately you can use a constant O\u2082 concentration."};
  int y = 46;
  for (const char* l : lines) {
    PrintAt(10, y, l);
    y += 16;
  }
  rt::FBButton(11, 1, "Use [O2] and [CO2]", {10, 170, 180, 190}, 3);
  rt::FBButton(12, 1, "Use [O2] and RQ", {10, 194, 180, 214}, 3);
  rt::FBButton(13, 1, "Use constant [O2]", {10, 218, 180, 238}, 3);
  PrintAt(200, 186, "RQ:");
  buildef(1, kRQField, rt::PSstr(RQ), 250, 172, 320, 190, 3, 2);
  DoSubscript(200, 210, "FeO", "2", ":", 3);
  buildef(1, kFeO2Field, rt::PSstr(constantFeO2), 250, 196, 320, 214, 3, 2);
  DoSubscript(200, 234, "FiH", "2", "O:", 3);
  buildef(1, kFiH2OField, rt::PSstr(FiH2O), 250, 220, 320, 238, 3, 2);
  rt::FBButton(kEWLHelp, 1, "?", {10, 262, 40, 284}, 1);
  rt::FBButton(kEstimate, 1, "Estimate FiH2O\u2026", {60, 262, 200, 284}, 1);
  rt::FBButton(kEWLNext, 0, "Next\u2026", {220, 262, 320, 284}, 4);
}

bool readEWLFields() {
  const auto rq = fieldValue(kRQField, "The RQ", anyNumber, "");
  if (!rq) return false;
  const auto fe = fieldValue(kFeO2Field, "FeO2", anyNumber, "");
  if (!fe) return false;
  const auto fi = fieldValue(kFiH2OField, "FiH2O", anyNumber, "");
  if (!fi) return false;
  RQ = *rq, constantFeO2 = *fe, FiH2O = *fi;
  return true;
}

}  // namespace

int16_t WaterComp(int16_t flag) {
  HelpSubject = 199;
  const int16_t unitsBefore = HumidityUnits;
  if (GasType == 2 && FlowMode == 4) DryAir = 0;
  if (!(DryAir != 0 && FlowMode < 8)) {
    SavedHandlers saved;
    askUnitKind(flag);
    askPressureAndMeter(flag);
    askHumiditySource(flag);
    if (WaterDataChannel >= 1 && WaterDataChannel <= channelCount()) RH_Temp_Calcs("", 1, 1);
    else askSensorTemperature();
    RestoreTheToolBar();
  }
  SensorCompRHunit = HumidityUnits;
  if (flag == 1) HumidityUnits = unitsBefore;
  return 0;
}

int16_t RH_Temp_Calcs(std::string_view, int16_t mode, int16_t) {
  HelpSubject = 199;
  if (prefsArray[7] != 0) playIfSoundsOn("bub3.mp3");
  SavedHandlers saved;
  askUnit(mode);
  if (HumidityUnits == 1) askSensorTemperature();
  if (GasType == 3) RHVO2andVCO2();
  RestoreTheToolBar();
  return 0;
}

int16_t RHVO2andVCO2() {
  const int16_t keptFlow = FlowRateChannel, keptSecond = SecondChannel, keptMain = MainDataChannel;
  if (prefsArray[7] != 0) playIfSoundsOn("bub3.mp3");
  SavedHandlers saved;
  const rt::Rect r = besidePlotWindow(340, 296);
  BuildWINDOW(kEWLWindow, "Evaporative Water Loss", int16_t(r.left), int16_t(r.top), int16_t(r.right),
              int16_t(r.bottom), 6);
  drawEWLWindow();
  int chosen = 0;
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id >= 11 && id <= 13) {
      chosen = id;
      for (int b = 11; b <= 13; ++b) rt::setButtonState(b, b == id ? 2 : 1);
      rt::setButtonState(kEWLNext, 1);
    } else if (a == 1 && id == kEstimate) {
      EstimateFiH2O();
      rt::setOutputWindow(kEWLWindow);
      rt::bringWindowForward(kEWLWindow);
      rt::setEditText(kFiH2OField, rt::PSstr(FiH2O));
    } else if (a == 1 && id == kEWLHelp) {
      HelpSubject = 287;
      OpenHelpBook();
      HelpSubject = 199;
      rt::setOutputWindow(kEWLWindow);
    } else if (chosen && ((a == 1 && id == kEWLNext) || a == 16)) {
      if (readEWLFields()) break;
      rt::setOutputWindow(kEWLWindow);
    }
  }
  EWLO2CO2compensation = int16_t(chosen - 10);
  rt::closeWindow(kEWLWindow);
  FlowRateChannel = SecondChannel = 0;
  if (EWLO2CO2compensation == 1 || EWLO2CO2compensation == 2) {
    // Closing a channel list leaves no channel to read: the constant FeO2 stands in.
    if (GasExchangeChannelSelect("FeO2", -1) != 0) {
      EWLO2CO2compensation = 3;
    } else {
      EWLOxygenChannel = MainDataChannel;
      if (EWLO2CO2compensation == 1) {
        if (GasExchangeChannelSelect("FeCO2", -2) != 0) EWLO2CO2compensation = 3;
        else EWLCO2channel = MainDataChannel;
      }
    }
  }
  FlowRateChannel = keptFlow, SecondChannel = keptSecond, MainDataChannel = keptMain;
  return 0;
}

int16_t EstimateFiH2O() {
  HelpSubject = 287;
  SavedHandlers saved;
  const int16_t unit = HumidityUnits;
  const rt::Rect r = besidePlotWindow(360, 250);
  BuildWINDOW(kFiH2OWindow, "FiH2O ", int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 6);
  SetTextStyle(KestrixFont, 14, 1);
  DoSubscript(10, 24, "Estimating FiH", "2", "O", 3);
  SetTextStyle(KestrixFont, 12, 0);
  const char* reading = unit == 1   ? "Incurrent relative humidity (%):"
                        : unit == 2 ? "Incurrent dewpoint (\u00B0C):"
                        : unit == 3 ? "Incurrent vapor pressure (KPa):"
                                    : "Incurrent vapor pressure (g/m^3):";
  PrintAt(10, 60, reading);
  buildef(1, kReadingField, unit == 1 ? "1" : "", 250, 46, 340, 64, 3, 2);
  int y = 90;
  if (unit == 1) {
    PrintAt(10, y, "RH meter temperature (\u00B0C):");
    buildef(1, kMeterField, "30", 250, int16_t(y - 14), 340, int16_t(y + 4), 3, 2);
    y += 30;
  }
  PrintAt(10, y, "Barometric pressure (torr):");
  buildef(1, kPressureField, rt::PSstr(FileInfoFLOATS[fileInUse()][4]), 250, int16_t(y - 14), 340, int16_t(y + 4),
          3, 2);
  y += 30;
  PrintAt(10, y, "FiH2O:");
  buildef(0, kResultField, rt::PSstr(FiH2O), 250, int16_t(y - 14), 340, int16_t(y + 4), 7, 2);
  rt::FBButton(kFiH2OHelp, 1, "?", {10, 210, 40, 232}, 1);
  rt::FBButton(kCalculate, 1, "Calculate...", {120, 210, 230, 232}, 1);
  rt::FBButton(kDone, 1, "Done", {250, 210, 340, 232}, 4);
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a != 1) continue;
    if (id == kDone) break;
    if (id == kFiH2OHelp) {
      OpenHelpBook();
      rt::setOutputWindow(kFiH2OWindow);
    } else if (id == kCalculate) {
      const auto x = fieldValue(kReadingField, "The reading", anyNumber, "");
      const auto t = unit == 1 ? fieldValue(kMeterField, "The meter temperature", aboveAbsoluteZero,
                                            "above -273.15 \u00B0C")
                               : std::optional<float>(0.0f);
      const auto b = x && t ? fieldValue(kPressureField, "The barometric pressure", positive, "above 0 torr")
                            : std::nullopt;
      const auto fi = x && t && b ? estimateFiH2O(unit, *x, *t, *b) : std::nullopt;
      rt::setOutputWindow(kFiH2OWindow);
      if (fi) {
        FiH2O = *fi;
        rt::setEditText(kResultField, rt::PSstr(FiH2O));
      }
    }
  }
  rt::closeWindow(kFiH2OWindow);
  return 0;
}

}  // namespace qv
