// Special > Dissolved Oxygen...: the oxygen held by a volume of water in equilibrium with a gas.
#include <cmath>

#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/respirometry_settings.h"
#include "core/sounds.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "respirometry/dissolved_oxygen.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpSubject = 248;
constexpr int16_t kTotal = 101, kPerLitre = 103, kTemperature = 104, kVolume = 105, kPressure = 106, kGasO2 = 107,
                  kSolutes = 108, kSaturation = 109, kPerLitreUnit = 115, kTotalUnit = 116;
constexpr int16_t kHelpButton = 4, kContent = 11, kTotalOnly = 12, kDone = 14, kMl = 15, kMg = 16;

struct Inputs {
  float temperature = NAN, volume = NAN, pressure = NAN, gasO2 = NAN, solutes = NAN, saturation = NAN;
};

struct OxygenWindow {
  bool mg = false;
  Inputs last;
  float perLitre = NAN;
};

// The file's value, or the display default when it has none; the file is not written.
std::string fileValueOr(int word, float fallback) {
  const float v = FileInfoFLOATS[TheFileInUse][word];
  return calculatorNumberText(std::isfinite(v) && v != 0.0f ? v : fallback);
}

void row(int y, int16_t id, std::string_view text) {
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, id, text, 250, int16_t(y - 13), 330, int16_t(y + 4), 3, 2);
}

void output(int y, int16_t id, int16_t unitId, std::string_view unit) {
  EFForeColor = 2, EFBackColor = 5;
  buildef(1, id, "", 150, int16_t(y - 14), 240, int16_t(y + 5), 7, 2);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, unitId, unit, 246, int16_t(y - 13), 330, int16_t(y + 4), 7, 0);
}

void buildWindow() {
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(12, 26, "temp. (" + degC + "):");
  row(26, kTemperature, fileValueOr(3, 10.0f));
  PrintAt(12, 50, "volume (ml):");
  row(50, kVolume, fileValueOr(5, 10000.0f));
  PrintAt(12, 74, "B.P. (torr):");
  row(74, kPressure, fileValueOr(4, 760.0f));
  DoSubscript(12, 98, "gas phase %O", "2", ":", 4);
  row(98, kGasO2, "20.95");
  PrintAt(12, 122, "dissolved solutes (parts/thousand):");
  row(122, kSolutes, calculatorNumberText(salinity));
  PrintAt(12, 146, "% oxygen saturation:");
  row(146, kSaturation, "100");
  DoubleLINE(0, 348, 160);
  PrintAt(12, 184, "oxygen content in:");
  rt::FBButton(kMl, 2, "ml STP", {140, 170, 210, 188}, 3);
  rt::FBButton(kMg, 1, "mg", {220, 170, 280, 188}, 3);
  DoSubscript(12, 214, "O", "2", "  content/L:", 4);
  output(214, kPerLitre, kPerLitreUnit, "ml/L STP");
  DoSubscript(12, 240, summation + " O", "2", "  content:", 4);
  output(240, kTotal, kTotalUnit, "ml STP");
  rt::FBButton(kHelpButton, 1, "?", {12, 258, 42, 278}, 1);
  rt::FBButton(kContent, 1, "O₂ Content", {60, 258, 150, 278}, 4);
  rt::FBButton(kTotalOnly, 1, summation + " O₂ only", {160, 258, 250, 278}, 1);
  rt::FBButton(kDone, 1, "Done", {260, 258, 336, 278}, 1);
}

Inputs readInputs() {
  return {calculatorField(kTemperature), calculatorField(kVolume),  calculatorField(kPressure),
          calculatorField(kGasO2),       calculatorField(kSolutes), calculatorField(kSaturation)};
}

bool allNumbers(const Inputs& in) {
  for (float v : {in.temperature, in.volume, in.pressure, in.gasO2, in.solutes, in.saturation})
    if (!std::isfinite(v)) return false;
  return true;
}


void compute(OxygenWindow& w) {
  const Inputs& in = w.last;
  if (!allNumbers(in)) {
    w.perLitre = NAN;
    rt::setEditText(kPerLitre, "**");
    rt::setEditText(kTotal, "**");
    return bzot();
  }
  // The solutes enter whole: halving them overstates the oxygen of sea water.
  const O2Content o = O2CONTENT(in.temperature, in.volume, in.solutes,
                                dissolvedO2Fraction(in.saturation, in.pressure, in.gasO2), w.mg);
  w.perLitre = o.perLitre;
  showCalculatorResult(kPerLitre, o.perLitre);
  showCalculatorResult(kTotal, o.total);
}

void computeFromFields(OxygenWindow& w) {
  w.last = readInputs();
  if (std::isfinite(w.last.solutes)) salinity = w.last.solutes;
  compute(w);
}

void chooseUnit(OxygenWindow& w, bool mg) {
  w.mg = mg;
  rt::setButtonState(kMl, mg ? 1 : 2);
  rt::setButtonState(kMg, mg ? 2 : 1);
  rt::setEditText(kPerLitreUnit, mg ? "mg/L" : "ml/L STP");
  rt::setEditText(kTotalUnit, mg ? "mg" : "ml STP");
  compute(w);
}

}  // namespace

void DissolvedO2CALC() {
  HelpSubject = kHelpSubject;
  OxygenWindow w;
  {
    CalculatorFrame frame("Dissolved Oxygen Content of Water", 105, 95, 453, 384, 6, false);
    buildWindow();
    w.last = readInputs();
    compute(w);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kTemperature);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (e.kind == 16 || (e.kind == 1 && (e.id == kContent || e.id == kTotalOnly))) {
        computeFromFields(w);
      } else if (e.kind == 1 && (e.id == kMl || e.id == kMg)) {
        chooseUnit(w, e.id == kMg);
      } else if (e.kind == 1 && e.id == kHelpButton) {
        HelpSubject = kHelpSubject;
        OpenHelpBook();
      } else if ((e.kind == 1 && e.id == kDone) || e.kind == 4 || (e.kind == 3 && e.id != kCalculatorWindow)) {
        done = true;
      }
    }
  }
  if (std::isfinite(w.perLitre)) LastCalculatorResult = w.perLitre;
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
