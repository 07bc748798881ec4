// Special > pO2 & pH2O Estimates...: the water-vapour and oxygen partial pressures of humid air.
#include <cmath>

#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/partial_pressures.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpSubject = 248;
constexpr int16_t kAmbient = 111, kTemperature = 112, kSaturation = 113, kVapour = 114, kGasO2 = 115, kPO2 = 116;
constexpr int16_t kVapourUnit = 210, kPO2Unit = 211;
constexpr int16_t kTorrButton = 1, kKPaButton = 2, kHelpButton = 4, kCompute = 19, kDone = 20, kStore = 21;

struct PressureWindow {
  bool torr = true;
  double vapour = NAN, po2 = NAN;  // as computed, in the unit shown
};

// The file's barometric pressure; sea level when it has none (shown, not written to the file).
float openingPressure() {
  const int f = TheFileInUse;
  const float p = f >= 0 && f < kSlots ? FileInfoFLOATS[f][4] : 0.0f;
  return std::isfinite(p) && p > 0.0f ? p : 760.0f;
}

void numberField(int16_t id, std::string_view text, int x, int y) {
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, id, text, int16_t(x), int16_t(y), int16_t(x + 80), int16_t(y + 20), 3, 2);
}

void resultField(int16_t id, int16_t unitId, int x, int y) {
  EFForeColor = 2, EFBackColor = 0;
  buildef(0, id, " ", int16_t(x), int16_t(y), int16_t(x + 110), int16_t(y + 24), 7, 2);
  rt::setEditFont(id, KestrixFont, 18, rt::kBold);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, unitId, "torr", int16_t(x + 114), int16_t(y + 4), int16_t(x + 160), int16_t(y + 22), 7, 0);
}

void buildWindow() {
  SetTextStyle(KestrixFont, 24, rt::kBold);
  PrintAt(12, 34, "pO₂ and pH₂O estimates");
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(12, 70, "ambient pressure:");
  numberField(kAmbient, calculatorNumberText(openingPressure()), 210, 55);
  rt::FBButton(kTorrButton, 2, "torr", {298, 55, 350, 73}, 3);
  rt::FBButton(kKPaButton, 1, "kPa", {352, 55, 410, 73}, 3);
  PrintAt(12, 98, "ambient temperature (" + degC + "):");
  numberField(kTemperature, "37", 210, 83);
  DoSubscript(12, 126, "vapor phase H", "2", "O saturation:", 4);
  numberField(kSaturation, "100", 210, 111);
  PrintAt(295, 126, "%  = ");
  resultField(kVapour, kVapourUnit, 12, 140);
  DoSubscript(12, 188, "gas phase %O", "2", "  (dry gas):", 4);
  numberField(kGasO2, "20.95", 210, 173);
  DoSubscript(12, 222, "ambient pO", "2", " = ", 4);
  resultField(kPO2, kPO2Unit, 110, 203);
  rt::FBButton(kHelpButton, 1, "?", {12, 232, 42, 250}, 1);
  rt::FBButton(kStore, 1, "Store pO₂", {100, 232, 190, 250}, 1);
  rt::FBButton(kCompute, 1, "Compute pO₂", {200, 232, 310, 250}, 4);
  rt::FBButton(kDone, 1, "Done", {320, 232, 410, 250}, 1);
}


// pH2O from the temperature and saturation, then pO2 from the ambient pressure and the dry gas.
void compute(PressureWindow& w) {
  const float t = calculatorField(kTemperature), s = calculatorField(kSaturation);
  const float ambient = calculatorField(kAmbient), o2 = calculatorField(kGasO2);
  w.vapour = std::isfinite(t) && std::isfinite(s) ? waterVapourPressure(t, s, !w.torr) : NAN;
  w.po2 = std::isfinite(ambient) && std::isfinite(o2) ? oxygenPressure(ambient, w.vapour, o2) : NAN;
  showCalculatorResult(kVapour, float(w.vapour));
  showCalculatorResult(kPO2, float(w.po2));
  CalculatorFrame::focus(kAmbient);
}

void chooseUnit(PressureWindow& w, bool torr) {
  if (torr == w.torr) return;
  w.torr = torr;
  rt::setButtonState(kTorrButton, torr ? 2 : 1);
  rt::setButtonState(kKPaButton, torr ? 1 : 2);
  for (int16_t id : {kVapourUnit, kPO2Unit}) rt::setEditText(id, torr ? "torr" : "kPa");
  const float ambient = calculatorField(kAmbient);
  // Converted once, from the number shown.
  if (std::isfinite(ambient))
    rt::setEditText(kAmbient, calculatorNumberText(torr ? ambient / kKPaPerTorr : ambient * kKPaPerTorr));
  compute(w);
}

}  // namespace

void PO2CALC() {
  HelpSubject = kHelpSubject;
  if (rt::windowExists(16)) rt::closeWindow(16);
  {
    CalculatorFrame frame("Oxygen and H₂O Partial Pressures", 105, 95, 525, 350, 6, false);
    buildWindow();
    PressureWindow w;
    compute(w);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kAmbient);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (e.kind == 16 || (e.kind == 1 && e.id == kCompute)) {
        compute(w);
      } else if (e.kind == 1 && (e.id == kTorrButton || e.id == kKPaButton)) {
        chooseUnit(w, e.id == kTorrButton);
      } else if (e.kind == 1 && e.id == kStore) {
        if (std::isfinite(w.po2)) meanValue = w.po2;
        else bzot();
      } else if (e.kind == 1 && e.id == kHelpButton) {
        HelpSubject = kHelpSubject;
        OpenHelpBook();
      } else if ((e.kind == 1 && e.id == kDone) || e.kind == 4 || (e.kind == 3 && e.id != kCalculatorWindow)) {
        done = true;
      }
    }
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
