// Special > Ventilation...: Vt, Vmin and O2 extraction from open-flow plethysmography.
#include <cmath>

#include "core/help.h"
#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/ventilation.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/text_format.h"
#include "core/text_constants.h"
#include "respirometry/gas_settings.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kCalculate = 2, kDone = 3, kHelpButton = 4;
constexpr int16_t kVt = 214, kVmin = 215, kEO2 = 216, kNote = 217, kRhTemperature = 227;

// An input field, its caption and where the number it holds is kept.
struct Input {
  int16_t id;
  const char* caption;
  float* kept;  // nullptr: read anew at each opening
};

const Input kInputs[] = {
    {111, "VO₂", nullptr},       {112, "inhaled O₂", &FiO2},      {113, "Tb", &BodyTemperature},
    {114, "Ta", &vTa},           {115, "pressure", &vBP},         {116, "delta-P", &deltaP},
    {117, "RH", &vRH},           {kRhTemperature, "t,RH", nullptr}, {118, "calibration volume", &calVol},
    {119, "calibration gain", &calGain}, {210, "calibration volts", &calDef}, {211, "sample gain", &sampGain},
    {212, "sample volts", &sampDef},     {213, "frequency", nullptr},
};

void field(int16_t id, float value, int x, int y) {
  EFForeColor = 0, EFBackColor = 6;
  buildef(1, id, calculatorNumberText(value), int16_t(x), int16_t(y), int16_t(x + 64), int16_t(y + 17), 3, 2);
}

void caption(int x, int y, std::string_view text) { PrintAt(x, y + 13, text); }

void lowered(int x, int y, std::string_view base, std::string_view low, std::string_view rest) {
  DoSubscript(x, y + 13, base, low, rest, 4);
}

// With no pressure kept, the file's; a file with none (or no file) gives sea level.
float openingPressure() {
  if (vBP != 0.0f) return vBP;
  const int f = TheFileInUse;
  const float p = f >= 0 && f < kSlots ? FileInfoFLOATS[f][4] : 0.0f;
  return std::isfinite(p) && p > 0.0f ? p : 760.0f;
}

void buildLeftColumn() {
  constexpr int kField = 200, kUnit = 270;
  lowered(12, 36, "VO", "2", ":");
  field(111, 1.0f, kField, 36);
  caption(kUnit, 36, "ml/min STP");
  caption(12, 58, "inhaled O₂ concentration:");
  field(112, FiO2, kField, 58);
  caption(kUnit, 58, "%");
  lowered(12, 80, "T", "b", "");
  field(113, BodyTemperature, kField, 80);
  caption(kUnit, 80, degC);
  lowered(12, 102, "T", "a", "");
  field(114, vTa, kField, 102);
  caption(kUnit, 102, degC);
  caption(12, 124, "pressure:");
  field(115, vBP, kField, 124);
  caption(kUnit, 124, "torr");
  caption(12, 146, "delta-P:");
  field(116, deltaP, kField, 146);
  caption(kUnit, 146, "mm H₂O");
  caption(12, 168, "RH:");
  field(117, vRH, kField, 168);
  caption(kUnit, 168, "%");
  caption(12, 190, "t,RH:");
  field(kRhTemperature, 20.0f, kField, 190);
  caption(kUnit, 190, degC);
}

void buildRightColumn() {
  constexpr int kLabel = 360, kField = 500, kUnit = 570;
  const struct {
    int16_t id;
    const char* text;
    float value;
    const char* unit;
  } rows[] = {{118, "calibration volume:", calVol, "ml"}, {119, "calibration gain:", calGain, ""},
              {210, "calibration volts:", calDef, ""},    {211, "sample gain:", sampGain, ""},
              {212, "sample volts:", sampDef, ""},        {213, "frequency:", 1.0f, "Hz"}};
  int y = 36;
  for (const auto& r : rows) {
    caption(kLabel, y, r.text);
    field(r.id, r.value, kField, y);
    caption(kUnit, y, r.unit);
    y += 22;
  }
  rt::FBButton(kCalculate, 1, "Calculate", {440, 186, 530, 206}, 4);
  rt::FBButton(kDone, 1, "Done", {540, 186, 620, 206}, 1);
  rt::FBButton(kHelpButton, 1, "?", {400, 186, 430, 206}, 1);
}

void resultField(int16_t id, int16_t colour, int x, int y, int width) {
  EFForeColor = colour, EFBackColor = 5;
  buildef(1, id, "**", int16_t(x), int16_t(y), int16_t(x + width), int16_t(y + 18), 7, 2);
  rt::setEditFont(id, KestrixFont, 12, rt::kBold);
}

void buildResults() {
  DoubleLINE(0, 640, 212);
  SetTextStyle(KestrixFont, 13, rt::kBold);
  lowered(12, 218, "V", "t", " = ");
  resultField(kVt, 0, 50, 218, 70);
  caption(128, 218, "ml");
  lowered(170, 218, "V", "min", " = ");
  resultField(kVmin, 2, 225, 218, 80);
  caption(313, 218, "ml/min");
  lowered(380, 218, "EO", "2", " = ");
  resultField(kEO2, 3, 430, 218, 80);
  caption(518, 218, "%");
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, kNote, " ", 12, 240, 628, 256, 7, 0);
}

void buildWindow() {
  vBP = openingPressure();
  if (BodyTemperature == 0.0f) BodyTemperature = 37.0f;
  SetTextStyle(KestrixFont, 14, rt::kBold);
  rt::foreColor(RGBblack);
  PrintAt(12, 22, "Ventilation from open-flow plethysmography");
  SetTextStyle(KestrixFont, 13, 0);
  buildLeftColumn();
  buildRightColumn();
  buildResults();
}

void showResult(int16_t id, bool shown, float value) {
  rt::setEditText(id, shown ? calculatorResultText(value) : std::string("**"));
}

// Reads the fields; a field that holds no number leaves every kept value as it was.
bool readInputs(VentilationInputs& in) {
  float v[std::size(kInputs)];
  for (size_t i = 0; i < std::size(kInputs); ++i) {
    v[i] = calculatorField(kInputs[i].id);
    if (!std::isfinite(v[i])) {
      rt::setEditText(kNote, std::string("• ") + kInputs[i].caption + " is not a number: nothing was computed");
      return false;
    }
  }
  for (size_t i = 0; i < std::size(kInputs); ++i)
    if (kInputs[i].kept) *kInputs[i].kept = v[i];
  in = {v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11], v[12], v[13]};
  return true;
}

void calculateFromFields() {
  VentilationInputs in;
  if (!readInputs(in)) {
    for (int16_t id : {kVt, kVmin, kEO2}) rt::setEditText(id, "**");
    return bzot();
  }
  const VentilationResults r = VENTCALC(in);
  // As the water-vapour factor leaves it: the density at the temperature of the RH.
  RHFactor = r.rhoAir;
  showResult(kVt, r.VtShown, r.Vt);
  showResult(kVmin, r.VminShown, r.Vmin);
  showResult(kEO2, r.EO2Shown, r.EO2);
  rt::setEditText(kNote, r.note.empty() ? std::string(" ") : r.note);
  if (r.note.empty()) playIfSoundsOn("upvip.mp3");
  else bzot();
}

}  // namespace

void VENTILATION() {
  HelpSubject = 236;
  {
    CalculatorFrame frame(" Vt, Vmin, Oxygen Extraction ", 100, 100, 739, 358, 6, false);
    buildWindow();
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, 111);
    bool done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (e.kind == 3 && e.id == 1) {
        done = true;
      } else if ((e.kind == 3 || e.kind == 4) && e.id != kCalculatorWindow) {
        rt::bringWindowForward(kCalculatorWindow);
        rt::setOutputWindow(kCalculatorWindow);
      } else if (e.kind == 4 || (e.kind == 1 && e.id == kDone)) {
        done = true;
      } else if (e.kind == 16 || (e.kind == 1 && e.id == kCalculate)) {
        calculateFromFields();
        CalculatorFrame::focus(111);
      } else if (e.kind == 1 && e.id == kHelpButton) {
        HelpSubject = 236;
        OpenHelpBook();
      }
    }
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
