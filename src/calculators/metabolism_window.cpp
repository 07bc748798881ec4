// Special > Metabolic Allometry... and Minimum Flowrates...: the resting metabolic rate an
// allometric equation gives, in the unit chosen, and the smallest chamber flow for it.
#include <cmath>
#include <optional>
#include <string>

#include "calculators/allometry.h"
#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/metabolism_session.h"
#include "core/event_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "respirometry/dissolved_oxygen.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpSubject = 150, kSpecialHelpSubject = 237;
constexpr int16_t kCompute = 2, kDone = 3, kHelpButton = 4, kStore = 21, kSave = 22;
constexpr int16_t kGrams = 30, kKilograms = 31, kUnitsPopup = 58, kActivityPopup = 330, kWaterPopup = 666;
constexpr int16_t kMlPerMin = 444, kLPerMin = 445;
constexpr int16_t kCoefficient = 111, kMass = 112, kExponent = 113, kBaseT = 114, kRealT = 115, kQ10 = 116,
                  kRate = 117, kMaxChange = 108, kFlow = 109, kGasLabel = 107;
constexpr int16_t kTaxonMenu = 1101, kActivityMenu = 1102, kUnitsMenu = 1103, kWaterMenu = 1104;
constexpr int16_t kCustomItem = 13;
constexpr rt::Rect kTaxonRect{130, 10, 610, 32}, kWaterRect{440, 258, 600, 280};

// The opening's state beside the session: what is shown, so that an untouched field reads
// back as the exact value it shows.
struct Opening {
  int16_t mode = 0;
  std::string shownCoefficient, shownExponent;
  int activity = 1;
  bool litres = false;
  double rate = NAN;
};

bool aquatic(const MetabolismSession& s) { return s.popup == kFishPopup; }

std::string numberText(double v) { return std::isfinite(v) ? calculatorNumberText(v) : std::string("**"); }

void setField(int16_t id, const std::string& text) { rt::setEditTextIn(kCalculatorWindow, id, text); }
std::string fieldText(int16_t id) { return rt::editTextIn(kCalculatorWindow, id); }

void showEquation(Opening& w, const MetabolismSession& s, bool exponentAsWritten) {
  w.shownCoefficient = numberText(shownCoefficient(s.a, s.unit));
  w.shownExponent = exponentAsWritten && !isPerMassUnit(s.unit) ? s.exponentText
                                                                : numberText(shownExponent(s.b, s.unit));
  setField(kCoefficient, w.shownCoefficient);
  setField(kExponent, w.shownExponent);
}

// The typed coefficient and exponent, read in the unit they are shown in; false (and the
// field with the focus) when one is no number.
bool readEquation(Opening& w, MetabolismSession& s) {
  const std::string ct = fieldText(kCoefficient), et = fieldText(kExponent);
  if (ct != w.shownCoefficient) {
    const float c = calculatorField(kCoefficient);
    if (!std::isfinite(c)) return bzot(), CalculatorFrame::focus(kCoefficient), false;
    s.a = coefficientOfShown(c, s.unit);
    w.shownCoefficient = ct;
  }
  if (et != w.shownExponent) {
    const float e = calculatorField(kExponent);
    if (!std::isfinite(e)) return bzot(), CalculatorFrame::focus(kExponent), false;
    s.b = exponentOfShown(e, s.unit);
    s.exponentText = isPerMassUnit(s.unit) ? numberText(s.b) : et;
    w.shownExponent = et;
  }
  return true;
}

double waterO2MlPerL(const MetabolismSession& s, float celsius) {
  return O2CONTENT(celsius, 1000.0f, float(s.ppt ? s.ppt : 1), dissolvedO2Fraction(100.0f, 760.0f, 20.95f), false)
      .perLitre;
}

void computeFlow(const Opening& w, const MetabolismSession& s) {
  if (w.mode != 1) return;
  const float percent = calculatorField(kMaxChange), realT = calculatorField(kRealT);
  double flow = NAN;
  if (std::isfinite(percent) && percent > 0 && std::isfinite(w.rate) && std::isfinite(realT)) {
    const std::optional<double> water = aquatic(s) ? std::optional<double>(waterO2MlPerL(s, realT)) : std::nullopt;
    flow = minimumFlowMlPerMin(w.rate, w.activity, percent, water) / (w.litres ? 1000.0 : 1.0);
  }
  showCalculatorResult(kFlow, float(flow));
}

// The rate of the equation for the fields' mass and temperatures, in the unit shown.
void compute(Opening& w, MetabolismSession& s, bool readTyped) {
  if (readTyped && !readEquation(w, s)) return;
  const float mass = calculatorField(kMass), baseT = calculatorField(kBaseT), realT = calculatorField(kRealT),
              q10 = calculatorField(kQ10);
  const double massG = double(mass) * (s.kg ? 1000.0 : 1.0);
  w.rate = allometricRate(s.a, s.b, massG, baseT, realT, q10);
  if (!(massG > 0) || !std::isfinite(baseT) || !std::isfinite(realT) || !(q10 > 0)) w.rate = NAN;
  if (!readTyped) showEquation(w, s, true);
  showCalculatorResult(kRate, float(w.rate * unitFactor(s.unit, massG)));
  computeFlow(w, s);
}

void loadEquation(MetabolismSession& s, const AllometryEquation& e) {
  setField(kBaseT, calculatorNumberText(e.baseT));
  setField(kRealT, calculatorNumberText(e.realT));
  if (e.q10 > 0) setField(kQ10, calculatorNumberText(e.q10));
  s.a = e.a;
  s.exponentText = std::string(e.b);
  s.b = rt::PSval(e.b);
}

void gasLabel(const MetabolismSession& s) {
  setField(kGasLabel, aquatic(s) ? "  saturation is " : "concentration is ");
}

void waterPopup(const Opening& w, const MetabolismSession& s) {
  rt::setOutputWindow(kCalculatorWindow);
  if (rt::controlExists(kWaterPopup)) rt::removeControl(kWaterPopup);
  if (w.mode != 1 || !aquatic(s)) return;
  WaterConditionsPopup(kWaterMenu);
  rt::FBAppearanceButton(kWaterPopup, 1, s.ppt == 35 ? 3 : s.ppt == 15 ? 2 : 1, kWaterMenu, 0, "", kWaterRect,
                         rt::kControlPopupButton);
}

void taxonPopup(const MetabolismSession& s) {
  rt::setOutputWindow(kCalculatorWindow);
  for (int16_t id = kMainTaxonPopup; id <= kLastTaxonPopup; ++id)
    if (rt::controlExists(id)) rt::removeControl(id);
  switch (s.popup) {
    case 52: ArthropodsPopupMenu(kTaxonMenu); break;
    case 53: FishPopupMenu(kTaxonMenu); break;
    case 54: AmphibianPopupMenu(kTaxonMenu); break;
    case 55: ReptilePopupMenu(kTaxonMenu); break;
    case 56: BirdPopupMenu(kTaxonMenu); break;
    case 57: MammalPopupMenu(kTaxonMenu); break;
    default: MainTaxonSelectPopup(kTaxonMenu); break;
  }
  rt::FBAppearanceButton(s.popup, 1, s.item, kTaxonMenu, 0, "", kTaxonRect, rt::kControlPopupButton);
}

void chooseTaxon(Opening& w, MetabolismSession& s, int16_t popup, int item) {
  if (popup == kMainTaxonPopup) {
    if (item >= 6 && item <= 11) {
      s.popup = int16_t(46 + item), s.item = 1;
      loadEquation(s, *allometryEquation(s.popup, 1));
      taxonPopup(s);
    } else if (item == kCustomItem) {
      s.item = int16_t(item);
      s.a = CustomAllometryArray[1], s.b = CustomAllometryArray[2];
      s.exponentText = numberText(s.b);
    } else if (const std::optional<AllometryEquation> e = allometryEquation(popup, item)) {
      s.item = int16_t(item);
      loadEquation(s, *e);
    } else {
      return;
    }
  } else if (item == mainTaxonMenuItem(popup)) {
    s.popup = kMainTaxonPopup, s.item = 1;
    loadEquation(s, *allometryEquation(kMainTaxonPopup, 1));
    taxonPopup(s);
  } else if (const std::optional<AllometryEquation> e = allometryEquation(popup, item)) {
    s.item = int16_t(item);
    loadEquation(s, *e);
  } else {
    return;
  }
  waterPopup(w, s);
  if (w.mode == 1) gasLabel(s);
  compute(w, s, false);
}

void buildWindow(int16_t mode, const MetabolismSession& s) {
  SetTextStyle(KestrixFont, 13, rt::kBold);
  PrintAt(12, 27, "Taxon and units");
  taxonPopup(s);
  BuildUnitsPopMenu(kUnitsMenu);
  rt::FBAppearanceButton(kUnitsPopup, 1, s.unit, kUnitsMenu, 0, "", {130, 40, 360, 62}, rt::kControlPopupButton);
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(400, 56, "mass units:");
  rt::FBButton(kGrams, s.kg ? 1 : 2, "g", {480, 42, 520, 60}, 3);
  rt::FBButton(kKilograms, s.kg ? 2 : 1, "Kg", {530, 42, 580, 60}, 3);

  SetTextStyle(KestrixFont, 16, rt::kBold);
  PrintAt(12, 100, "MR = ");
  EFForeColor = 0, EFBackColor = 6;
  SetTextStyle(KestrixFont, 13, 0);
  buildef(1, kCoefficient, "", 62, 84, 180, 102, 3, 2);
  SetTextStyle(KestrixFont, 16, rt::kBold);
  PrintAt(192, 100, "*");
  SetTextStyle(KestrixFont, 13, 0);
  buildef(1, kMass, s.mass, 210, 84, 310, 102, 3, 2);
  buildef(1, kExponent, "", 316, 70, 380, 88, 3, 2);
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(20, 120, ",coefficient ( 'a' value)       *       mass ");
  PrintAt(320, 104, "exponent");

  SetTextStyle(KestrixFont, 13, 0);
  DoSubscript(12, 150, "T", "base", ":", 4);
  buildef(1, kBaseT, s.baseT, 70, 136, 130, 154, 3, 2);
  DoSubscript(160, 150, "T", "real", ":", 4);
  buildef(1, kRealT, s.realT, 218, 136, 278, 154, 3, 2);
  DoSubscript(310, 150, "Q", "10", ":", 4);
  buildef(1, kQ10, s.q10, 350, 136, 410, 154, 3, 2);
  PrintAt(420, 150, degrees + "C");

  SetTextStyle(KestrixFont, 16, rt::kBold);
  PrintAt(12, 192, "MR = ");
  EFForeColor = 2, EFBackColor = 5;
  buildef(1, kRate, "", 62, 174, 250, 198, 7, 2);
  rt::setEditFont(kRate, KestrixFont, 18, rt::kBold);
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(260, 192, "in the unit chosen above");

  if (mode == 1) {
    BuildBOX(10, 216, 610, 332);
    SetTextStyle(KestrixFont, 12, rt::kBold);
    PrintAt(20, 236, "Activity");
    SetTextStyle(KestrixFont, 13, 0);
    Popup61(kActivityMenu);
    rt::FBAppearanceButton(kActivityPopup, 1, 1, kActivityMenu, 0, "", {90, 222, 360, 244}, rt::kControlPopupButton);
    PrintAt(20, 274, "maximum change in oxygen");
    EFForeColor = 0, EFBackColor = 0;
    buildef(0, kGasLabel, aquatic(s) ? "  saturation is " : "concentration is ", 226, 262, 346, 280, 7, 0);
    EFBackColor = 6;
    buildef(1, kMaxChange, "0.4", 350, 260, 410, 278, 3, 2);
    PrintAt(416, 274, "%");
    SetTextStyle(KestrixFont, 14, rt::kBold);
    PrintAt(20, 312, "Minimum flow rate is");
    EFForeColor = 2, EFBackColor = 5;
    buildef(1, kFlow, "", 190, 294, 330, 318, 7, 2);
    rt::setEditFont(kFlow, KestrixFont, 18, rt::kBold);
    SetTextStyle(KestrixFont, 13, 0);
    rt::FBButton(kMlPerMin, 2, "ml/min", {345, 298, 420, 316}, 3);
    rt::FBButton(kLPerMin, 1, "L/min", {430, 298, 500, 316}, 3);
  }
  const int16_t top = mode == 1 ? 344 : 216;
  rt::FBButton(kHelpButton, 1, "?", {12, top, 42, top + 22}, 1);
  rt::FBButton(kStore, 1, "Store", {60, top, 140, top + 22}, 1);
  rt::FBButton(kSave, 1, "Save", {150, top, 230, top + 22}, 1);
  rt::FBButton(kCompute, 1, "Compute", {380, top, 490, top + 22}, 4);
  rt::FBButton(kDone, 1, "Done", {500, top, 610, top + 22}, 1);
}

void remember(MetabolismSession& s) {
  s.mass = fieldText(kMass), s.baseT = fieldText(kBaseT), s.realT = fieldText(kRealT), s.q10 = fieldText(kQ10);
}

void handle(const CalculatorFrame::Event& e, Opening& w, MetabolismSession& s) {
  const int id = e.id;
  if (e.kind == 16 || id == kCompute) return compute(w, s, true);
  if (id >= kMainTaxonPopup && id <= kLastTaxonPopup) return chooseTaxon(w, s, int16_t(id), rt::controlValue(id));
  switch (id) {
    case kUnitsPopup: {
      const int unit = rt::controlValue(kUnitsPopup);
      if (!readEquation(w, s)) return;
      if (unit == 12 || unit == 22) return rt::setControlValue(kUnitsPopup, s.unit);
      s.unit = int16_t(unit);
      return compute(w, s, false);
    }
    case kGrams:
    case kKilograms:
      s.kg = id == kKilograms;
      rt::setButtonState(kGrams, s.kg ? 1 : 2), rt::setButtonState(kKilograms, s.kg ? 2 : 1);
      return compute(w, s, true);
    case kMlPerMin:
    case kLPerMin:
      w.litres = id == kLPerMin;
      rt::setButtonState(kMlPerMin, w.litres ? 1 : 2), rt::setButtonState(kLPerMin, w.litres ? 2 : 1);
      return computeFlow(w, s);
    case kActivityPopup: w.activity = activityMultiplier(rt::controlValue(kActivityPopup)); return computeFlow(w, s);
    case kWaterPopup: {
      const int item = rt::controlValue(kWaterPopup);
      s.ppt = item == 3 ? 35 : item == 2 ? 15 : 1;
      return computeFlow(w, s);
    }
    case kStore: {
      const float v = calculatorField(kRate);
      if (std::isfinite(v)) meanValue = v;
      else bzot();
      return;
    }
    case kSave:
      if (!readEquation(w, s)) return;
      CustomAllometryArray[1] = float(s.a), CustomAllometryArray[2] = float(s.b);
      return;
    case kHelpButton: HelpSubject = kHelpSubject; return OpenHelpBook();
    default: return;
  }
}

}  // namespace

MetabolismSession& metabolismSession() {
  static MetabolismSession s;
  return s;
}

void METABOLISM(int16_t mode) {
  // The Special menu's subject until the window's own "?" asks for the calculator's.
  HelpSubject = kSpecialHelpSubject;
  {
    MetabolismSession& s = metabolismSession();
    if (!s.used) s = MetabolismSession{}, s.used = true;
    Opening w;
    w.mode = mode == 1 ? 1 : 0;
    CalculatorFrame frame(w.mode ? "Resting Metabolism Estimates                               Minimum Flowrate"
                                 : "Resting Metabolism Estimates",
                          100, 60, 720, w.mode ? 438 : 310, 6, true);
    buildWindow(w.mode, s);
    waterPopup(w, s);
    showEquation(w, s, true);
    compute(w, s, false);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kMass);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if ((e.kind == 1 && e.id == kDone) || e.kind == 4 || (e.kind == 3 && e.id != kCalculatorWindow)) done = true;
      else if (e.kind == 1 || e.kind == 16) handle(e, w, s);
    }
    remember(s);
    const float shown = calculatorField(kRate);
    if (std::isfinite(shown)) LastCalculatorResult = shown;
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
