// Special > Closed System Respirometry...: VO2 and VCO2 of an animal sealed in a chamber.
#include <cmath>

#include "calculators/calculator_frame.h"
#include "calculators/closed_system.h"
#include "calculators/commands.h"
#include "core/event_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpSubject = 235;
constexpr int16_t kVolume = 111, kTemperature = 112, kPressure = 113, kHumidity = 114, kHours = 115, kMinutes = 116,
                  kDO2 = 117, kDCO2 = 118, kRQ = 119, kFiO2 = 210, kFiCO2 = 211;
constexpr int16_t kVO2 = 212, kVO2Rate = 213, kVCO2 = 214, kVCO2Rate = 215;
constexpr int16_t kCalculate = 1, kDone = 2, kHelpButton = 3, kAbsorbed = 4, kUseCO2 = 5, kUseRQ = 6;

struct ClosedWindow {
  bool absorbed = true, useRQ = false;
  float vco2Rate = NAN;
};

void input(int x, int y, int16_t id, std::string_view text) {
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, id, text, int16_t(x), int16_t(y - 13), int16_t(x + 64), int16_t(y + 4), 3, 2);
}

void output(int x, int y, int16_t id, std::string_view after) {
  EFForeColor = 2, EFBackColor = 5;
  buildef(1, id, "", int16_t(x), int16_t(y - 14), int16_t(x + 90), int16_t(y + 5), 7, 2);
  PrintAt(x + 96, y, after);
}

void buildWindow() {
  SetTextStyle(KestrixFont, 13, 0);
  const struct {
    int16_t id;
    std::string label, text;
  } left[] = {{kVolume, "system volume (ml):", "1000"},
              {kTemperature, "temperature (" + degC + "):", "20"},
              {kPressure, "pressure (torr):", "760"},
              {kHumidity, "initial humidity (%):", "0"}};
  int y = 28;
  for (const auto& r : left) {
    PrintAt(12, y, r.label);
    input(170, y, r.id, r.text);
    y += 24;
  }
  PrintAt(12, y, "elapsed time     hours:");
  input(170, y, kHours, "1");
  PrintAt(250, y, "minutes:");
  input(320, y, kMinutes, "22");
  y += 30;
  PrintAt(12, y, "Initial concentrations    FiO2: ");
  input(230, y, kFiO2, calculatorNumberText(FiO2));
  PrintAt(298, y, "%");
  DoSubscript(330, y, "FiCO", "2", ": ", 4);
  input(390, y, kFiCO2, calculatorNumberText(FiCO2));
  PrintAt(458, y, "%");
  y += 24;
  DoSubscript(12, y, "change in O", "2", " concentration (%): ", 4);
  input(250, y, kDO2, ".5");
  y += 24;
  DoSubscript(12, y, "change in CO", "2", " concentration (%): ", 4);
  input(250, y, kDCO2, ".5");
  PrintAt(330, y, "RQ:");
  input(390, y, kRQ, ".85");
  DrawIcon(129, 300, 36);
  PrintAt(340, 28, "Assumes chamber gas");
  PrintAt(340, 44, "is dried before");
  PrintAt(340, 60, "measurement");
  rt::FBButton(kAbsorbed, 2, "For VO₂, CO₂ is Absorbed", {300, 80, 490, 98}, 2);
  rt::FBButton(kUseCO2, 2, "Use [CO₂] ", {300, 102, 396, 120}, 3);
  rt::FBButton(kUseRQ, 1, "Use RQ", {402, 102, 490, 120}, 3);
  DoubleLINE(0, 500, 240);
  SetTextStyle(KestrixFont, 13, rt::kBold);
  DoSubscript(12, 268, "VO", "2", " = ", 4);
  output(70, 268, kVO2, " ml, or ");
  output(230, 268, kVO2Rate, " ml/min");
  DoSubscript(12, 296, "VCO", "2", " = ", 4);
  output(70, 296, kVCO2, " ml, or ");
  output(230, 296, kVCO2Rate, " ml/min");
  SetTextStyle(KestrixFont, 13, 0);
  rt::FBButton(kHelpButton, 1, "?", {12, 316, 42, 336}, 1);
  rt::FBButton(kCalculate, 1, "Calculate", {300, 316, 390, 336}, 4);
  rt::FBButton(kDone, 1, "Done", {400, 316, 490, 336}, 1);
}


bool blank(int16_t id) { return rt::editText(id).find_first_not_of(' ') == std::string::npos; }

void calculate(ClosedWindow& w) {
  ClosedSystemInputs in;
  const struct {
    int16_t id;
    float* to;
  } reads[] = {{kVolume, &in.volume}, {kTemperature, &in.temperature}, {kPressure, &in.pressure},
               {kHumidity, &in.humidity}, {kHours, &in.hours}, {kMinutes, &in.minutes}, {kFiO2, &in.fio2},
               {kFiCO2, &in.fico2}, {kDO2, &in.dO2}, {kDCO2, &in.dCO2}, {kRQ, &in.rq}};
  bool numbers = true;
  for (const auto& r : reads) {
    *r.to = calculatorField(r.id);
    // A change left empty is no change.
    if (r.id == kDCO2 && blank(kDCO2)) *r.to = 0.0f;
    numbers = numbers && std::isfinite(*r.to);
  }
  if (!numbers) {
    for (int16_t id : {kVO2, kVO2Rate, kVCO2, kVCO2Rate}) rt::setEditText(id, "**");
    w.vco2Rate = NAN;
    return bzot();
  }
  FiO2 = in.fio2;
  FiCO2 = in.fico2;
  const ClosedSystemResults r = ClosedSystemRespCalc(in, w.absorbed, w.useRQ);
  showCalculatorResult(kVO2, r.vo2);
  showCalculatorResult(kVO2Rate, r.vo2Rate);
  showCalculatorResult(kVCO2, r.vco2);
  showCalculatorResult(kVCO2Rate, r.vco2Rate);
  w.vco2Rate = r.vco2Rate;
  CalculatorFrame::focus(kDO2);
}

// Without an O2 drop the RQ is the only way; without a CO2 rise, neither absorption nor the
// measured CO2 can enter.
void dimChoices(ClosedWindow& w) {
  if (calculatorField(kDO2) == 0.0f) w.useRQ = true;
  const float dCO2 = calculatorField(kDCO2);
  const bool noRise = dCO2 == 0.0f || blank(kDCO2);
  if (noRise) {
    w.useRQ = true;
    rt::setButtonState(kUseCO2, 0);
    rt::setButtonState(kAbsorbed, 0);
    rt::setButtonState(kUseRQ, 2);
  } else {
    rt::setButtonState(kAbsorbed, w.absorbed ? 2 : 1);
    rt::setButtonState(kUseCO2, w.useRQ ? 1 : 2);
    rt::setButtonState(kUseRQ, w.useRQ ? 2 : 1);
  }
}

}  // namespace

void ClosedSystemRespirometry() {
  HelpSubject = kHelpSubject;
  ClosedWindow w;
  {
    CalculatorFrame frame("Closed System Respirometry", 100, 80, 600, 430, 6, false);
    buildWindow();
    calculate(w);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kDO2);
    bool done = false;
    while (!done && !frame.quitting()) {
      dimChoices(w);
      const CalculatorFrame::Event e = frame.next();
      dimChoices(w);
      if (e.kind == 16 || (e.kind == 1 && e.id == kCalculate)) {
        calculate(w);
      } else if (e.kind == 1 && e.id == kAbsorbed) {
        w.absorbed = !w.absorbed;
        dimChoices(w);
        calculate(w);
      } else if (e.kind == 1 && (e.id == kUseCO2 || e.id == kUseRQ)) {
        w.useRQ = e.id == kUseRQ;
        dimChoices(w);
        calculate(w);
      } else if (e.kind == 1 && e.id == kHelpButton) {
        HelpSubject = kHelpSubject;
        OpenHelpBook();
      } else if ((e.kind == 1 && e.id == kDone) || e.kind == 4 || (e.kind == 3 && e.id >= 1000)) {
        done = true;
      }
    }
  }
  if (std::isfinite(w.vco2Rate)) LastCalculatorResult = w.vco2Rate;
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
