#include "respirometry/water_vo2_windows.h"

#include <cmath>
#include <optional>
#include <string>

#include "core/channel_list.h"
#include "core/channel_roles.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "core/typed_number.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/tool_window.h"
#include "respirometry/dissolved_oxygen.h"
#include "respirometry/gas_settings.h"
#include "respirometry/heat_equivalence.h"
#include "respirometry/commands.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

int16_t WaterFlowRateChannelannel = 0, WOUTunits = 1;

namespace {

constexpr int kToolWindow = 4, kChannelWindow = 10;
constexpr int16_t kHelpSubject = 197;
// First window.
constexpr int kClosed = 1, kOpen = 2, kFlowFromChannel = 3, kNegative = 4, kContinue = 5, kFlowField = 101;
// Channel window.
constexpr int kDone = 153;
// Second window.
constexpr int kPerMg = 1, kPerG = 2, kPerKg = 3, kKind1 = 6, kKind2 = 7, kKind3 = 8, kNewChannelBox = 10;
constexpr int kCompute = 11, kNetOnly = 12, kDoCalculations = 14, kHelpButton = 200;
constexpr int kAmountsPopup = 47, kRatesPopup = 48, kInputPopup = 49;
constexpr int kNet = 101, kLabel = 102, kPerLitre = 103, kTemperature = 104, kFlowOrVolume = 105, kPressure = 106,
              kGasO2 = 107, kSolutes = 108, kSaturation = 109;
constexpr int kMenuBase = 1100;
constexpr int kWidth = 340;

int16_t clampTo(int16_t v, int16_t lo, int16_t hi) { return v < lo || v > hi ? lo : v; }

float fileWord(int word, float fallback) {
  const float v = FileInfoFLOATS[TheFileInUse][word];
  return std::isfinite(v) && v != 0.0f ? v : fallback;
}

std::string number(float v) { return StringFormatter(v); }

void setPair(int a, int b, bool first) {
  rt::setButtonState(a, first ? 2 : 1);
  rt::setButtonState(b, first ? 1 : 2);
}

void openToolWindow(const std::string& title, int height) {
  rt::closeWindow(kToolWindow);
  const rt::Rect r = besideThePlot(kWidth, height);
  BuildWINDOW(kToolWindow, title, int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 6);
}

std::optional<float> typedField(int id) {
  const auto v = typedNumber(rt::editText(id));
  if (!v) return std::nullopt;
  return float(*v);
}

// --- first window ------------------------------------------------------------------

void drawFirstWindow(const WaterSetup& s) {
  const int n = nChannels[TheFileInUse];
  openToolWindow("Oxygen Consumption in Water", 190);
  SetTextStyle(KestrixFont, 12, 0);
  rt::FBButton(kClosed, s.c.open ? 1 : 2, "Closed-system Measurements", {12, 10, 300, 28}, 3);
  rt::FBButton(kOpen, s.c.open ? 2 : 1, "Open-system Measurements", {12, 32, 300, 50}, 3);
  const bool canFlow = s.c.open && n >= 2;
  rt::FBButton(kFlowFromChannel, canFlow ? (s.c.flowFromChannel ? 2 : 1) : 0, "Get Flow from Channel",
               {32, 58, 300, 76}, 2);
  rt::FBButton(kNegative, s.c.open ? (s.c.negative ? 2 : 1) : 0, "Negative Deflection from baseline",
               {32, 80, 320, 98}, 2);
  PrintAt(12, 126, "water flow rate:");
  buildef(1, kFlowField, number(s.c.typedFlow), 130, 112, 210, 130, 3, 2);
  PrintAt(216, 126, "ml/min");
  rt::FBButton(kContinue, 1, "Continue...", {200, 150, 320, 174}, 4);
}

void markFirstWindow(const WaterSetup& s) {
  const bool canFlow = s.c.open && nChannels[TheFileInUse] >= 2;
  setPair(kOpen, kClosed, s.c.open);
  rt::setButtonState(kFlowFromChannel, canFlow ? (s.c.flowFromChannel ? 2 : 1) : 0);
  rt::setButtonState(kNegative, s.c.open ? (s.c.negative ? 2 : 1) : 0);
}

// --- second window -----------------------------------------------------------------

bool rates(const WaterSetup& s) { return s.c.open || s.c.kind == 3; }

void refreshLabel(WaterSetup& s) {
  s.label = waterResultLabel(s.c);
  rt::setEditText(kLabel, s.label);
}

void showUnitsPopup(const WaterSetup& s) {
  const bool r = rates(s);
  rt::setControlShown(kRatesPopup, r);
  rt::setControlShown(kAmountsPopup, !r);
  rt::setControlValue(r ? kRatesPopup : kAmountsPopup, s.c.outputUnits);
}

void markKinds(const WaterSetup& s) {
  if (s.c.open) {
    setPair(kKind1, kKind2, s.c.absolute);
  } else {
    for (int k = 1; k <= 3; ++k) rt::setButtonState(kKind1 + k - 1, s.c.kind == k ? 2 : 1);
  }
}

void markMass(const WaterSetup& s) {
  for (int m = 1; m <= 3; ++m) rt::setButtonState(m, s.c.massUnit == m ? 2 : 1);
}

void row(int y, int id, std::string_view text, float value) {
  PrintAt(12, y + 14, text);
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, int16_t(id), number(value), 240, int16_t(y), 320, int16_t(y + 18), 3, 2);
}

void drawSecondWindow(const WaterSetup& s) {
  const int f = TheFileInUse;
  const int n = nChannels[f];
  openToolWindow(std::string("Oxygen Consumption in Water") + (s.c.open ? " (open system) " : " (closed system) "), 560);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(12, 22, "mass correction:");
  rt::FBButton(kPerMg, 1, "/mg", {130, 8, 190, 26}, 3);
  rt::FBButton(kPerG, 1, "/g", {196, 8, 250, 26}, 3);
  rt::FBButton(kPerKg, 1, "/kg", {256, 8, 316, 26}, 3);
  markMass(s);
  PrintAt(12, 50, s.c.open ? "input units are:" : "convert to:");
  O2concentrationUnitsPopup(kMenuBase + kInputPopup);
  rt::FBAppearanceButton(kInputPopup, 1, s.c.inputUnits, kMenuBase + kInputPopup, 0, "", {130, 36, 326, 56},
                         rt::kControlPopupButton);
  PrintAt(12, 78, " output units:");
  WaterVO2UnitsPopup(kMenuBase + kRatesPopup);
  rt::FBAppearanceButton(kRatesPopup, 1, 1, kMenuBase + kRatesPopup, 0, "", {130, 64, 326, 84},
                         rt::kControlPopupButton);
  pO2unitsPopup(kMenuBase + kAmountsPopup);
  rt::FBAppearanceButton(kAmountsPopup, 1, 1, kMenuBase + kAmountsPopup, 0, "", {130, 64, 326, 84},
                         rt::kControlPopupButton);
  showUnitsPopup(s);
  if (s.c.open) {
    rt::FBButton(kKind1, 1, "Absolute Value", {12, 94, 160, 112}, 3);
    rt::FBButton(kKind2, 1, delta + " from Ambient", {170, 94, 326, 112}, 3);
  } else {
    rt::FBButton(kKind1, 1, delta + " O\u2082 Content", {12, 94, 120, 112}, 3);
    rt::FBButton(kKind2, 1, summation + " O\u2082 Consumed", {124, 94, 254, 112}, 3);
    rt::FBButton(kKind3, 1, "VO\u2082", {258, 94, 326, 112}, 3);
  }
  markKinds(s);
  // DRAWWATERLOWERLEFT: the destination and the label.
  if (n < kMaxChannels) {
    rt::FBButton(kNewChannelBox, s.newChannel ? 2 : 1, "Store Results in New Channel" + rt::PSstrLong(n + 1),
                 {12, 120, 326, 138}, 2);
    PrintAt(32, 154, "(Otherwise, replace old channel) ");
  } else {
    PrintAt(12, 134, " Results will replace old channel");
  }
  PrintAt(12, 180, "label:");
  EFForeColor = EFBackColor = 1;
  buildef(1, kLabel, s.label, 60, 166, 326, 184, 3, 0);

  BuildBOX(6, 198, kWidth - 6, 500);
  SetTextStyle(KestrixFont, 12, 1);
  PrintAt(14, 214, "Estimated oxygen content of water");
  SetTextStyle(KestrixFont, 12, 0);
  const WaterFields& w = s.fields;
  row(222, kTemperature, "temp. (" + degC + "):", w.temperature);
  row(246, kFlowOrVolume, s.c.open ? "flow (ml/min):" : "volume (ml):", w.flowOrVolume);
  row(270, kPressure, "B.P. (torr):", w.pressure);
  DoSubscript(12, 308, "gas phase %O", "2", ":", 4);
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, kGasO2, number(w.gasO2), 240, 294, 320, 312, 3, 2);
  row(318, kSolutes, "dissolved solutes (parts/thousand):", s.solutes);
  row(342, kSaturation, "% maximum oxygen saturation:", w.saturation);
  DoubleLINE(10, kWidth - 10, 370);
  DoSubscript(12, 394, "O", "2", " content/L:", 4);
  EFForeColor = 2, EFBackColor = 5;
  buildef(1, kPerLitre, "", 120, 380, 200, 398, 3, 2);
  PrintAt(206, 394, "ml/L (STP) ");
  PrintAt(12, 420, s.c.open ? "net O\u2082 flow:" : "net O\u2082 content:");
  buildef(1, kNet, "", 120, 406, 200, 424, 3, 2);
  PrintAt(206, 420, s.c.open ? "ml/min (STP) " : "ml (STP) ");
  rt::FBButton(kCompute, 1, "Compute O\u2082 Content", {14, 440, 170, 462}, 1);
  rt::FBButton(kNetOnly, 1, s.c.open ? "Do O\u2082 Flow Only" : "Do Net O\u2082 Only", {176, 440, 326, 462}, 1);
  rt::FBButton(kHelpButton, 1, "?", {12, 516, 42, 538}, 1);
  rt::FBButton(kDoCalculations, 1, "Do Calculations", {180, 514, 326, 540}, 4);
}

struct BoxNumbers {
  std::optional<float> t, v, b, g, solutes, sat;
};

BoxNumbers readBox() {
  return {typedField(kTemperature), typedField(kFlowOrVolume), typedField(kPressure),
          typedField(kGasO2),       typedField(kSolutes),      typedField(kSaturation)};
}

void refuse(const std::string& text) {
  WarningSpec w;
  w.title = "VO\u2082 in Water";
  w.lines = {text, "Nothing was computed."};
  ShowWarning(w);
}

void showResult(int id, float value, float& kept, std::string& shown) {
  kept = value;
  shown = number(value);
  rt::setEditText(id, shown);
}

// A result field: the value behind the text shown, or the number typed over it.
std::optional<float> resultField(int id, float kept, const std::string& shown) {
  if (rt::editText(id) == shown && std::isfinite(kept)) return kept;
  return typedField(id);
}

// "Compute O2 Content": the content per litre and in the flow or volume, the pressure once and
// the solutes whole.
bool computeContent(WaterSetup& s) {
  const BoxNumbers in = readBox();
  if (!in.t || !in.v || !in.b || !in.g || !in.solutes || !in.sat) {
    refuse("Each number of the oxygen-content box must be a number.");
    return false;
  }
  const O2Content c = O2CONTENT(*in.t, *in.v, *in.solutes, dissolvedO2Fraction(*in.sat, *in.b, *in.g), false);
  showResult(kPerLitre, c.perLitre, s.fields.perLitre, s.perLitreText);
  showResult(kNet, c.total, s.fields.net, s.netText);
  return true;
}

// "Do O2 Flow Only" / "Do Net O2 Only": the net O2 from the content per litre as it stands.
void computeNetOnly(WaterSetup& s) {
  const auto c = resultField(kPerLitre, s.fields.perLitre, s.perLitreText);
  const auto v = typedField(kFlowOrVolume);
  if (!c || !v) return refuse("The content per litre and the flow or volume must be numbers.");
  s.fields.perLitre = *c;
  s.perLitreText = rt::editText(kPerLitre);
  showResult(kNet, *c * *v * 0.001f, s.fields.net, s.netText);
}

// The window's numbers into the setup; false (with the message shown) when one is not a number.
bool readSecondWindow(WaterSetup& s) {
  const BoxNumbers in = readBox();
  const auto net = resultField(kNet, s.fields.net, s.netText);
  const auto perLitre = resultField(kPerLitre, s.fields.perLitre, s.perLitreText);
  if (!in.t || !in.v || !in.b || !in.g || !in.solutes || !in.sat || !net || !perLitre) {
    refuse("Each number of the oxygen-content box must be a number.");
    return false;
  }
  WaterFields& w = s.fields;
  w.temperature = *in.t, w.flowOrVolume = *in.v, w.pressure = *in.b, w.gasO2 = *in.g, w.saturation = *in.sat;
  w.net = *net, w.perLitre = *perLitre;
  s.solutes = *in.solutes;
  if (s.c.open) s.c.typedFlow = w.flowOrVolume;
  s.label = rt::editText(kLabel);
  return true;
}

void chooseHeat(WaterSetup& s) {
  const int16_t gas = GasType;
  GasType = 1;
  const rt::Rect r = rt::windowContentRect(kToolWindow);
  SelectHeatEquivalence("O2", int16_t(r.right + 10), int16_t(r.top));
  GasType = gas;
  s.c.flowcon = flowcon;
  rt::setOutputWindow(kToolWindow);
  rt::bringWindowForward(kToolWindow);
}

}  // namespace

WaterSetup waterSetupFromSettings() {
  const int f = TheFileInUse;
  WaterSetup s;
  s.c.open = WaterSystem == 1;
  s.c.flowFromChannel = WaterFlowRateChannelannel == 1;
  s.c.negative = prefsArray[17] == 1;
  s.c.inputUnits = clampTo(WaterUnits, 1, 4);
  s.c.kind = s.c.open ? 3 : clampTo(oH2O, 1, 3);
  s.c.outputUnits = clampTo(WOUTunits, 1, rates(s) ? 9 : 4);
  s.c.absolute = AbsoluteUnits == 1;
  s.c.massUnit = clampTo(MassUnit, 0, 3);
  s.c.mass = FileInfoFLOATS[f][6];
  s.c.flowcon = flowcon;
  s.c.typedFlow = fileWord(2, 100.0f);
  s.fields.temperature = std::isfinite(FileInfoFLOATS[f][3]) ? FileInfoFLOATS[f][3] : 20.0f;
  s.fields.pressure = fileWord(4, 760.0f);
  s.fields.gasO2 = 20.95f;
  s.fields.saturation = 100.0f;
  s.solutes = salinity;
  s.newChannel = prefsArray[6] != 0 && nChannels[f] < kMaxChannels;
  return s;
}

bool waterFirstWindow(WaterSetup& s) {
  SavedHandlers saved;
  HelpSubject = kHelpSubject;
  drawFirstWindow(s);
  if (prefsArray[29]) playIfSoundsOn("bub3.mp3");
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4 && id == kToolWindow) return false;
    if ((a == 1 && id == kContinue) || a == 16 || (a == 3 && id != kToolWindow)) {
      const auto flow = typedField(kFlowField);
      if (!flow) {
        refuse("The water flow rate must be a number.");
        rt::setOutputWindow(kToolWindow);
        rt::setEditText(kFlowField, number(s.c.typedFlow));
        continue;
      }
      s.c.typedFlow = *flow;
      if (!s.c.open) s.c.flowFromChannel = false;
      if (s.c.flowFromChannel && nChannels[TheFileInUse] < 2) s.c.flowFromChannel = false;
      return true;
    }
    if (a != 1) continue;
    if (id == kClosed || id == kOpen) s.c.open = id == kOpen;
    else if (id == kFlowFromChannel) s.c.flowFromChannel = !s.c.flowFromChannel;
    else if (id == kNegative) s.c.negative = !s.c.negative;
    markFirstWindow(s);
  }
}

bool waterChannelWindow(WaterSetup& s) {
  SavedHandlers saved;
  const int f = TheFileInUse;
  const int n = nChannels[f];
  const bool withFlow = s.c.flowFromChannel;
  constexpr int kListWidth = 330;
  const int height = 80 + 18 * n;
  BuildWINDOW(kChannelWindow, "Channel Selection", int16_t(1440 - kListWidth - 10), 40, int16_t(1440 - 10),
              int16_t(40 + height), 6);
  // The list draws its second column for a tool that asks for a second channel.
  const int16_t keptY = yChan, keptSecond = SecondChannel;
  yChan = withFlow ? 1 : 0;
  SecondChannel = 0;
  TRANSCHAN("  O2", withFlow ? " Flow" : "", "", 4, withFlow ? 1 : 0, 6, 1);
  yChan = keptY, SecondChannel = keptSecond;
  int o2 = ActiveChannel >= 1 && ActiveChannel <= n ? ActiveChannel : 1;
  int flow = 0;
  if (withFlow) flow = s.flowChannel >= 1 && s.flowChannel <= n && s.flowChannel != o2 ? s.flowChannel : o2 < n ? o2 + 1 : o2 - 1;
  const int top = 40 + 18 * n;
  rt::FBButton(kDone, 0, "Done", {kListWidth - 100, top, kListWidth - 14, top + 22}, 4);
  auto mark = [&] {
    for (int c = 1; c <= n; ++c) {
      rt::setButtonState(c, c == o2 ? 2 : 1);
      if (withFlow) rt::setButtonState(n + c, c == flow ? 2 : 1);
    }
    const bool ok = o2 >= 1 && (!withFlow || (flow >= 1 && flow != o2));
    rt::setButtonState(kDone, ok ? 1 : 0);
    return ok;
  };
  bool ok = mark();
  installModalHandlers();
  action = eventID = 0;
  bool accepted = false;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4 && id == kChannelWindow) break;
    if (a == 1 && id >= 1 && id <= n) o2 = id;
    else if (a == 1 && withFlow && id > n && id <= 2 * n) flow = id - n;
    ok = mark();
    if (((a == 1 && id == kDone) || a == 16 || (a == 3 && id != kChannelWindow)) && ok) {
      accepted = true;
      break;
    }
  }
  rt::closeWindow(kChannelWindow);
  if (!accepted) return false;
  s.o2Channel = int16_t(o2);
  // The flow column's buttons are n + k: SecondChannel is the button, the flow channel k.
  if (withFlow) SecondChannel = int16_t(n + flow);
  s.flowChannel = withFlow ? int16_t(SecondChannel - n) : 0;
  return true;
}

bool waterSecondWindow(WaterSetup& s, const std::function<bool(const WaterSetup&)>& run) {
  SavedHandlers saved;
  HelpSubject = kHelpSubject;
  if (s.c.open) s.fields.flowOrVolume = s.c.typedFlow;
  else s.fields.flowOrVolume = fileWord(5, 1000.0f);
  s.label = waterResultLabel(s.c);
  drawSecondWindow(s);
  computeContent(s);
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 4 && id == kToolWindow) return false;
    if ((a == 1 && id == kDoCalculations) || a == 16 || (a == 3 && id != kToolWindow)) {
      if (readSecondWindow(s) && run(s)) return true;
      rt::setOutputWindow(kToolWindow);
      rt::bringWindowForward(kToolWindow);
      installModalHandlers();
      continue;
    }
    if (a != 1) continue;
    switch (id) {
      case kPerMg: case kPerG: case kPerKg:
        s.c.massUnit = s.c.massUnit == id ? 0 : int16_t(id);
        markMass(s);
        refreshLabel(s);
        break;
      case kKind1: case kKind2: case kKind3:
        if (s.c.open) {
          s.c.absolute = id == kKind1;
        } else {
          s.c.kind = int16_t(id - kKind1 + 1);
          if (!rates(s) && s.c.outputUnits >= 5) s.c.outputUnits = 1;
          showUnitsPopup(s);
        }
        markKinds(s);
        refreshLabel(s);
        break;
      case kInputPopup:
        s.c.inputUnits = clampTo(int16_t(rt::controlValue(kInputPopup)), 1, 4);
        break;
      case kRatesPopup: case kAmountsPopup:
        s.c.outputUnits = int16_t(rt::controlValue(id));
        refreshLabel(s);
        if (id == kRatesPopup && s.c.outputUnits >= 7) chooseHeat(s);
        break;
      case kNewChannelBox:
        s.newChannel = !s.newChannel;
        rt::setButtonState(kNewChannelBox, s.newChannel ? 2 : 1);
        break;
      case kCompute: computeContent(s); break;
      case kNetOnly: computeNetOnly(s); break;
      case kHelpButton: OpenHelpBook(); break;
      default: break;
    }
  }
}

}  // namespace qv
