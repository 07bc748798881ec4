// Special > Q10 Adjustment...: a rate moved to another temperature by its Q10, or the Q10 of
// a measured change.
#include <cmath>

#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/rate_rules.h"
#include "core/event_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpSubject = 249;
constexpr int16_t kIntro = 10, kQ10 = 111, kBaseT = 112, kAdjustedT = 113, kBaseValue = 114, kAdjustedValue = 115;
constexpr int16_t kComputeValue = 1, kComputeQ10 = 2, kDone = 3, kHelpButton = 4;

void numberField(int16_t id, std::string_view text, int x, int y) {
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, id, text, int16_t(x), int16_t(y), int16_t(x + 80), int16_t(y + 17), 3, 2);
}

void buildWindow() {
  SetTextStyle(KestrixFont, 12, 0);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, kIntro,
          "Adjusts rate functions for effects of temperature using the Q10 rule, or calculates Q10 from a rate "
          "change.    Q10 is the factorial rate change over a temperature difference (" +
              delta + "t) of 10 " + degrees + "C;  the " + delta + "t can be positive or negative.",
          12, 8, 448, 72, 7, 0);
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(12, 96, "     base temp  " + degrees + "C :");
  numberField(kBaseT, "37", 140, 83);
  PrintAt(240, 96, "   base value:");
  numberField(kBaseValue, "1", 350, 83);
  PrintAt(12, 122, "adjusted temp  " + degrees + "C :");
  numberField(kAdjustedT, "39", 140, 109);
  PrintAt(240, 122, "adjusted value:");
  numberField(kAdjustedValue, "1.1708", 350, 109);
  SetTextStyle(KestrixFont, 16, rt::kBold);
  DoSubscript(130, 156, "Q", "10", ": ", 4);
  numberField(kQ10, "2.20", 180, 142);
  SetTextStyle(KestrixFont, 13, 0);
  rt::FBButton(kHelpButton, 1, "?", {12, 180, 42, 200}, 1);
  rt::FBButton(kComputeValue, 1, "Compute Adjusted Value", {60, 180, 230, 200}, 4);
  rt::FBButton(kComputeQ10, 1, "Compute Q10", {240, 180, 350, 200}, 1);
  rt::FBButton(kDone, 1, "Done", {360, 180, 448, 200}, 1);
}

// A result that is no number is shown as such and left out of what is handed on.
void showResult(int16_t id, double v) { rt::setEditText(id, std::isfinite(v) ? rt::PSstr(v) : std::string("**")); }

void computeAdjustedValue() {
  const float t2 = calculatorField(kAdjustedT), t1 = calculatorField(kBaseT);
  const float q10 = calculatorField(kQ10), v1 = calculatorField(kBaseValue);
  if (!std::isfinite(t1) || !std::isfinite(t2) || !std::isfinite(v1) || !(q10 >= 0.0f)) return bzot();
  showResult(kAdjustedValue, q10Adjusted(v1, t1, t2, q10));
}

void computeQ10() {
  const float t2 = calculatorField(kAdjustedT), t1 = calculatorField(kBaseT);
  const float v1 = calculatorField(kBaseValue), v2 = calculatorField(kAdjustedValue);
  if (!std::isfinite(t1) || !std::isfinite(t2) || !std::isfinite(v1) || !std::isfinite(v2) || t2 - t1 == 0.0f)
    return bzot();
  showResult(kQ10, q10Of(v1, v2, t1, t2));
}

void handOnAdjustedValue() {
  const float v = calculatorField(kAdjustedValue);
  if (std::isfinite(v)) LastCalculatorResult = v;
}

}  // namespace

void Q10adjust() {
  HelpSubject = kHelpSubject;
  {
    CalculatorFrame frame("Q10 Adjustment", 100, 100, 560, 312, 6, true, false);
    buildWindow();
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kQ10);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (e.kind == 16 || (e.kind == 1 && e.id == kComputeValue)) {
        computeAdjustedValue();
      } else if (e.kind == 1 && e.id == kComputeQ10) {
        computeQ10();
      } else if (e.kind == 7) {
        CalculatorFrame::focus(currentEF == kQ10 ? kBaseT : kQ10);
        playIfSoundsOn("click.mp3");
      } else if (e.kind == 1 && e.id == kHelpButton) {
        HelpSubject = kHelpSubject;
        OpenHelpBook();
      } else if ((e.kind == 1 && e.id == kDone) || e.kind == 4 || (e.kind == 3 && e.id != kCalculatorWindow)) {
        done = true;
      }
    }
    handOnAdjustedValue();
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
