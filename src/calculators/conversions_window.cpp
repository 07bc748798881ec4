// Special > Unit Conversions...: one number between two units of a chosen category.
#include <cmath>
#include <optional>

#include "core/help.h"
#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/conversions.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/sounds.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/stats_state.h"

namespace qv {

namespace {

constexpr int16_t kX = 111, kResult = 112, kFromUnit = 113, kToUnit = 114, kNote = 115, kProblem = 116;
constexpr int16_t kTemperature = 200;
constexpr int16_t kStore = 117, kSwap = 118, kCompute = 119, kDone = 120, kHelpButton = 300;
constexpr int16_t kFirstCategory = 121, kLastCategory = 124;
constexpr int16_t kPopupMenu = 1101;
// A category's radio button and its popup button differ by 58.
constexpr int16_t kPopupOffset = 58;

struct ConversionsWindow {
  int16_t category = kEnergyConversions;
  int16_t item = 1;  // the popup opens at item 1
  // The last result as computed, while field 112 still shows its text: Swap and Store take it
  // whole rather than the digits shown.
  std::optional<double> result;
  std::string resultText;
};

void buildPopup(int16_t category) {
  switch (category) {
    case kEnergyConversions: UnitConvertPopupMenu1(kPopupMenu); break;
    case kSpeedConversions: UnitConvertPopupMenu2(kPopupMenu); break;
    case kMassConversions: UnitConvertPopupMenu3(kPopupMenu); break;
    default: UnitConvertPopupMenu4(kPopupMenu); break;
  }
  rt::FBAppearanceButton(category, 1, 1, kPopupMenu, 0, "", {300, 36, 630, 58}, rt::kControlPopupButton);
}

void noteField(std::string_view text, bool promptOnly) {
  if (rt::controlExists(kNote)) rt::removeControl(kNote);
  if (rt::controlExists(kProblem)) rt::removeControl(kProblem);
  EFForeColor = 0, EFBackColor = 0;
  if (promptOnly) buildef(0, kNote, text, 10, 150, 190, 166, 7, 0);
  else buildef(0, kNote, text, 10, 146, 630, 176, 7, 0);
}

// What went wrong, in the note's place; beside the temperature field when there is one, so
// that the field and its caption stay as they are.
void problemNote(std::string_view text) {
  if (!rt::controlExists(kTemperature)) return noteField(text, false);
  if (rt::controlExists(kProblem)) rt::removeControl(kProblem);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, kProblem, text, 262, 146, 630, 176, 7, 0);
}

void buildWindow() {
  SetTextStyle(KestrixFont, 12, rt::kBold);
  rt::foreColor(RGBblack);
  PrintAt(10, 18, "Unit category:");
  const char* const kCategories[] = {"Energy, Power, Heat, Temperature", "Speed, Distance, Time, Area",
                                     "Mass, Volume, Light Intensity", "Pressure, Water Vapor Density"};
  for (int i = 0; i < 4; ++i)
    rt::FBButton(kFirstCategory + i, i == 0 ? 2 : 1, kCategories[i], {10, 24 + 21 * i, 290, 42 + 21 * i}, 3);
  buildPopup(kEnergyConversions);
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, kX, "1", 10, 118, 110, 138, 3, 2);
  EFForeColor = 2, EFBackColor = 6;
  buildef(1, kResult, ".23889", 330, 118, 440, 138, 3, 2);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, kFromUnit, "joules", 116, 121, 300, 137, 7, 0);
  buildef(0, kToUnit, "cal", 446, 121, 636, 137, 7, 0);
  SetTextStyle(KestrixFont, 14, rt::kBold);
  PrintAt(306, 134, " = ");
  noteField(" ", false);
  DoubleLINE(0, 640, 178);
  rt::FBButton(kSwap, 1, "Swap Values", {10, 182, 110, 200}, 1);
  rt::FBButton(kStore, 1, "Store Result", {120, 182, 220, 200}, 1);
  rt::FBButton(kHelpButton, 1, "?", {400, 182, 430, 200}, 1);
  rt::FBButton(kCompute, 1, "Compute", {440, 182, 530, 200}, 4);
  rt::FBButton(kDone, 1, "Done", {540, 182, 630, 200}, 1);
}

void showConversion(ConversionsWindow& w) {
  w.result.reset();
  if (rt::controlExists(kTemperature)) {
    rt::removeControl(kTemperature);
    rt::eraseRect({190, 144, 260, 170});  // its frame goes with it
  }
  const float x = calculatorField(kX);
  const Conversion c = ConversionsCALCULATIONS(w.category, w.item, std::isfinite(x) ? x : 0.0f, TemperatureForKPA);
  rt::setEditText(kFromUnit, c.from);
  rt::setEditText(kToUnit, c.to);
  noteField(c.note, c.asksTemperature);
  if (c.asksTemperature) {
    EFForeColor = 0, EFBackColor = 6;
    buildef(1, kTemperature, calculatorNumberText(TemperatureForKPA), 195, 148, 255, 166, 3, 2);
  }
  if (!std::isfinite(x)) {
    problemNote("• the number to convert is not a number");
    rt::setEditText(kResult, "**");
    bzot();
    return;
  }
  if (c.shown == ConversionShown::Over100 || c.shown == ConversionShown::NotFinite) bzot();
  w.resultText = conversionResultText(c);
  rt::setEditText(kResult, w.resultText);
  if (c.shown == ConversionShown::Number) w.result = c.result;
}

// The value field 112 stands for: the whole result while it shows its text, else the number
// typed there; nothing for "nil", "**" and the like.
std::optional<double> shownResult(const ConversionsWindow& w) {
  const std::string text = rt::editText(kResult);
  if (w.result && text == w.resultText) return w.result;
  double v = 0.0;
  if (rt::PSvalStrict(text, v) && std::isfinite(v)) return v;
  return std::nullopt;
}

void compute(ConversionsWindow& w) {
  if (w.category == kPressureConversions && w.item >= 22 && rt::controlExists(kTemperature)) {
    const float t = calculatorField(kTemperature);
    if (!std::isfinite(t)) {
      problemNote("• the temperature is not a number; it stays " + calculatorNumberText(TemperatureForKPA) + " °C");
      rt::setEditText(kResult, "**");
      w.result.reset();
      bzot();
      return;
    }
    TemperatureForKPA = t;
  }
  showConversion(w);
}

void chooseCategory(ConversionsWindow& w, int16_t radio) {
  for (int16_t b = kFirstCategory; b <= kLastCategory; ++b) rt::setButtonState(b, b == radio ? 2 : 1);
  const int16_t category = int16_t(radio - kPopupOffset);
  if (category == w.category) return;
  rt::removeControl(w.category);
  w.category = category;
  w.item = 1;
  buildPopup(category);
  showConversion(w);
}

void chooseItem(ConversionsWindow& w) {
  const int item = rt::controlValue(w.category);
  if (item < 1 || item > conversionItemCount(w.category)) return;
  w.item = int16_t(item);
  showConversion(w);
  CalculatorFrame::focus(kX);
}

void swapValues(ConversionsWindow& w) {
  const std::optional<double> r = shownResult(w);
  if (!r) return bzot();
  rt::setEditText(kX, calculatorNumberText(*r));
  rt::setEditText(kResult, "(swapped) ");
  w.result.reset();
}

void storeResult(const ConversionsWindow& w) {
  const std::optional<double> r = shownResult(w);
  if (!r) return bzot();
  meanValue = *r;
}

}  // namespace

void UnitCONVERSIONS() {
  CalculatorFrame frame("Unit Interconversions", 60, 100, 700, 304, 6, false);
  buildWindow();
  ConversionsWindow w;
  frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kX);
  bool done = false;
  while (!done && !frame.quitting()) {
    const CalculatorFrame::Event e = frame.next();
    const int id = e.id;
    if (e.kind == 16 || (e.kind == 1 && id == kCompute)) {
      compute(w);
      CalculatorFrame::focus(kX);
    }
    else if (e.kind == 1 && id >= kFirstCategory && id <= kLastCategory) chooseCategory(w, int16_t(id));
    else if (e.kind == 1 && id == w.category) chooseItem(w);
    else if (e.kind == 1 && id == kSwap) swapValues(w);
    else if (e.kind == 1 && id == kStore) storeResult(w);
    else if (e.kind == 1 && id == kHelpButton) HelpSubject = 273, OpenHelpBook();
    else if ((e.kind == 1 && id == kDone) || e.kind == 4 || (e.kind == 3 && id != kCalculatorWindow)) done = true;
  }
}

}  // namespace qv
