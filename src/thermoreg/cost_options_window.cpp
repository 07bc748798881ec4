// The cost options window: the switches and typed values the cost model reads. Switches
// change at once; typed values are checked and stored together when the window closes.
#include <string>

#include "calculators/calculator_frame.h"
#include "calculators/sun_cycle_plot.h"
#include "core/event_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "thermoreg/commands.h"
#include "thermoreg/cost_option_values.h"
#include "thermoreg/option_windows.h"

namespace qv {

namespace {

constexpr int16_t kVariableTb = 1, kTorpor = 2, kActiveMeanOnly = 3, kReplaceTb = 4, kMlO2 = 6, kWatts = 7, kDay = 8,
                  kNight = 9, kDone = 10, kHelpButton = 11, kZeroMissing = 12, kSunlight = 20, kConvection = 25,
                  kDawnDusk = 700, kSetLocation = 701, kVariableConductance = 800, kRejection = 888;
constexpr int16_t kTbChange = 100, kMaxActiveTb = 1101, kConductanceFactor = 802, kMinimumTorporTb = 160,
                  kEntryTime = 165, kQ10 = 168, kDawn = 110, kDusk = 120, kStartLag = 133, kEndLag = 134,
                  kDefaultTb = 140;
constexpr int16_t kOptionsHelp = 256, kWarningWindow = 1166, kTimingListWindow = 14, kMaxIntervalWindow = 884;

std::string number(double v) { return calculatorNumberText(v); }

void check(int16_t id, int16_t flag, std::string_view text, int l, int t, int r) {
  rt::FBButton(id, flag ? 2 : 1, text, {l, t, r, t + 18}, 2);
}

void edit(int16_t id, const std::string& text, int l, int t, int r) {
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, id, text, int16_t(l), int16_t(t), int16_t(r), int16_t(t + 18), 3, 2);
}

void text(int16_t id, std::string_view s, int l, int t, int r) {
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, id, s, int16_t(l), int16_t(t + 1), int16_t(r), int16_t(t + 18), 7, 0);
}

void buildOptionsWindow() {
  BuildWINDOW(kCostOptionsWindow, "Options For Energy Cost Calculations", 10, 60, 460, 510, 6);
  SetTextStyle(KestrixFont, 12, 0);
  check(kVariableTb, variableTb, "Variable Tb;", 10, 10, 110);
  edit(kTbChange, number(TbChange == 0.0f ? 2.0f : TbChange), 112, 10, 150);
  text(200, "\u00B0C warmer when active, max:", 154, 10, 345);
  edit(kMaxActiveTb, rt::PSstrLong(prefsArray[63] == 0 ? 44 : prefsArray[63]).substr(1), 348, 10, 392);
  check(kVariableConductance, variableConductance, "Variable Conductance;", 10, 34, 180);
  edit(kConductanceFactor,
       number(ActivePhaseConductanceIncrease == 0.0f ? 1.4f : ActivePhaseConductanceIncrease), 182, 34, 222);
  text(201, "-X Higher in Active Phase", 226, 34, 420);
  check(kTorpor, CalculationsCanUseTorpor, "Use Torpor When Inactive;  Minimum Tb is:", 10, 58, 320);
  edit(kMinimumTorporTb, number(MinimumTorporTb), 322, 58, 370);
  text(202, "Entry, arousal tme (hr):", 30, 82, 185);
  edit(kEntryTime, number(TorporEntryTime), 188, 82, 230);
  text(203, "Torpor Q10:", 250, 82, 330);
  edit(kQ10, number(TorporQ10), 332, 82, 380);
  text(204, "Torpor Start Lag (hours):", 30, 106, 200);
  edit(kStartLag, number(TorporStartLag), 202, 106, 244);
  text(205, "Torpor End Lag (hours):", 30, 130, 200);
  edit(kEndLag, number(TorporEndLag), 202, 130, 244);
  check(kActiveMeanOnly, ActiveTimeCostsOnly, "Show Active Time Mean Only", 10, 160, 260);
  text(206, "Active During", 10, 186, 110);
  rt::FBButton(kDay, dayActive ? 2 : 1, "Day", {112, 186, 170, 204}, 3);
  rt::FBButton(kNight, dayActive ? 1 : 2, "Night", {175, 186, 240, 204}, 3);
  text(207, "Dawn is at", 30, 210, 110);
  edit(kDawn, number(DaytimeStart), 112, 210, 160);
  text(208, "Dusk is at", 190, 210, 265);
  edit(kDusk, number(DaytimeEnd), 268, 210, 316);
  check(kDawnDusk, ComputeDawnAndDusk, "Compute Dawn and Dusk Times From Location and Julian Date", 10, 240, 440);
  rt::FBButton(kSetLocation, ComputeDawnAndDusk ? 1 : 0, "Set Location...", {30, 264, 160, 284}, 1);
  check(kReplaceTb, replacementTb, "If Tb Is Missing, Set Tb To:", 10, 296, 230);
  edit(kDefaultTb, number(DefaultTb == 0.0f ? 37.0f : DefaultTb), 232, 296, 280);
  text(209, "BMR units: ", 10, 320, 90);
  rt::FBButton(kMlO2, BMRinWatts ? 1 : 2, "ml O\u2082/min", {92, 320, 190, 338}, 3);
  rt::FBButton(kWatts, BMRinWatts ? 2 : 1, "watts", {195, 320, 260, 338}, 3);
  check(kZeroMissing, ZeroEqualsMissingTemperatures, "Zero Values = Missing Temperature Data", 10, 344, 340);
  check(kSunlight, SunUseAllowed, "Use Sunlight if Available (caution:  global) ", 10, 368, 380);
  rt::FBButton(kConvection, 1, "Convection...", {10, 396, 140, 416}, 1);
  rt::FBButton(kRejection, 1, "Set Data Rejection Rules...", {150, 396, 360, 416}, 1);
  rt::FBButton(kHelpButton, 1, "?", {10, 424, 40, 444}, 1);
  rt::FBButton(kDone, 1, "Done", {350, 424, 440, 444}, 4);
  rt::selectEditField(kTbChange, 0, 32767);
}

// A check box that shows a flag: the click flips the flag.
bool flipFlag(int16_t id, int16_t& flag) {
  flag = ToggleValue(uint16_t(flag));
  rt::setButtonStateIn(kCostOptionsWindow, id, flag ? 2 : 1);
  return true;
}

void setRadio(int16_t on, int16_t off) {
  rt::setButtonStateIn(kCostOptionsWindow, on, 2);
  rt::setButtonStateIn(kCostOptionsWindow, off, 1);
}

bool switchClicked(int id) {
  switch (id) {
    case kVariableTb: return flipFlag(kVariableTb, variableTb);
    case kVariableConductance: return flipFlag(kVariableConductance, variableConductance);
    case kTorpor:
      flipFlag(kTorpor, CalculationsCanUseTorpor);
      UseTorpor = CalculationsCanUseTorpor;
      return true;
    case kActiveMeanOnly: return flipFlag(kActiveMeanOnly, ActiveTimeCostsOnly);
    case kReplaceTb: return flipFlag(kReplaceTb, replacementTb);
    case kZeroMissing: return flipFlag(kZeroMissing, ZeroEqualsMissingTemperatures);
    case kSunlight: return flipFlag(kSunlight, SunUseAllowed);
    case kDawnDusk:
      flipFlag(kDawnDusk, ComputeDawnAndDusk);
      rt::setButtonStateIn(kCostOptionsWindow, kSetLocation, ComputeDawnAndDusk ? 1 : 0);
      return true;
    case kDay: dayActive = 1, setRadio(kDay, kNight); return true;
    case kNight: dayActive = 0, setRadio(kNight, kDay); return true;
    case kMlO2: BMRinWatts = 0, setRadio(kMlO2, kWatts); return true;
    case kWatts: BMRinWatts = 1, setRadio(kWatts, kMlO2); return true;
    default: return false;
  }
}

// The typed values, stored together when all of them can be used; otherwise a warning names
// the field and the window stays.
bool storeTypedValues() {
  auto t = [](int16_t id) { return rt::editTextIn(kCostOptionsWindow, id); };
  const CostOptionsCheck c = checkCostOptions({t(kTbChange), t(kMaxActiveTb), t(kConductanceFactor),
                                               t(kMinimumTorporTb), t(kEntryTime), t(kQ10), t(kDawn), t(kDusk),
                                               t(kStartLag), t(kEndLag), t(kDefaultTb)});
  if (!c.values) {
    Warn(kWarningWindow, "Cost options: ", {"\"" + c.field + "\" " + c.reason + ".", "Nothing was changed."});
    rt::bringWindowForward(kCostOptionsWindow);
    return false;
  }
  const CostOptionValues& v = *c.values;
  prefsArray[63] = v.maxActiveTb;
  TorporStartLag = v.startLag, TorporEndLag = v.endLag, MinimumTorporTb = v.minimumTorporTb;
  DaytimeStart = v.dawn, DaytimeEnd = v.dusk, ActivePhaseConductanceIncrease = v.conductanceFactor;
  TbChange = v.tbChange, DefaultTb = v.defaultTb, TorporEntryTime = v.entryTime, TorporQ10 = v.q10;
  return true;
}

}  // namespace

void TregCostOptions() {
  SavedHandlers saved;
  const int16_t savedHelp = HelpSubject;
  buildOptionsWindow();
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Edit, CHECKRETURN);
  rt::setHandler(rt::Vector::Menu, calculatorMenuHandler);
  action = eventID = 0;
  for (bool done = false; !done && !gQuitPending;) {
    const OptionEvent e = nextOptionEvent();
    if (e.kind == 4 && (e.id == kTimingListWindow || e.id == kMaxIntervalWindow)) {
      rt::closeWindow(e.id);
    } else if (sunCycleWindowEvent(e.kind, e.id)) {
    } else if (e.kind == 1 && rt::frontWindow() == kCostOptionsWindow && switchClicked(e.id)) {
    } else if (e.kind == 1 && e.id == kSetLocation) {
      SetLocation();
    } else if (e.kind == 1 && e.id == kConvection) {
      SetUpConvection();
    } else if (e.kind == 1 && e.id == kRejection) {
      SetRejectionRules();
    } else if (e.kind == 1 && e.id == kHelpButton) {
      HelpSubject = kOptionsHelp;
      OpenHelpBook();
    } else if ((e.kind == 1 && e.id == kDone) || e.kind == 16 || (e.kind == 4 && e.id == kCostOptionsWindow)) {
      done = storeTypedValues();
    }
  }
  rt::closeWindow(kCostOptionsWindow);
  rt::closeWindow(kTimingListWindow);
  HelpSubject = savedHelp;
  action = eventID = 0;
}

}  // namespace qv
