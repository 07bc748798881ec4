// The polynomial transform's entry: window 6.
#include <cmath>

#include "core/help.h"
#include "core/channel_roles.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/warning.h"
#include "editing/edit_frame.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "transforms/commands.h"
#include "transforms/transform_state.h"
#include "transforms/transform_windows.h"

namespace qv {

namespace {

constexpr int kWindow = 6, kDegreePopup = 43, kOK = 11, kConstantField = 210;
constexpr int kDegreeMenu = 143;
constexpr int kRowTop = 90;

// Stores the typed coefficients, or names the first that is not a number and stores nothing.
bool storePolynomial() {
  std::array<float, 11> values = PolynomialValues;
  for (int i = 1; i <= 10; ++i) {
    if (i > PolyDegree && i < 10) continue;
    const int field = i == 10 ? kConstantField : 200 + i;
    const std::optional<float> v = typedSingle(field);
    if (!v) {
      Warn(1166, "Polynomial transform: ", {"\"" + rt::editText(field) + "\" is not a number.", "Type a number and close the window again."});
      rt::bringWindowForward(kWindow);
      rt::setOutputWindow(kWindow);
      return false;
    }
    values[size_t(i)] = *v;
  }
  PolynomialValues = values;
  return true;
}

void writeStep(int16_t step) {
  if (step < 1 || step > kMostScriptSteps) return;
  float* w = ScriptSequenceArray[step];
  w[4] = 2;
  w[16] = PolyDegree;
  w[17] = PolynomialValues[10];
  for (int i = 1; i <= PolyDegree; ++i) w[17 + i] = PolynomialValues[size_t(i)];
}

}  // namespace

void SHOWPOLY() {
  rt::setOutputWindow(kWindow);
  for (int id = 201; id <= 209; ++id) rt::removeControl(id);
  rt::eraseRect({0, kRowTop - 4, 400, kRowTop + 22 * 9 + 4});
  SetTextStyle(KestrixFont, 12, 0);
  EFForeColor = EFBackColor = 1;
  for (int i = 1; i <= PolyDegree; ++i) {
    const int y = kRowTop + 22 * (i - 1);
    PrintAt(40, y + 14, " + ");
    buildef(1, int16_t(200 + i), i == 1 ? "1" : "0", 70, int16_t(y), 200, int16_t(y + 18), 1, 0);
    PrintAt(206, y + 14, " * x");
    rt::textSize(9);
    PrintAt(232, y + 8, std::to_string(i));
    rt::textSize(12);
  }
}

void POLYNOMIAL(std::string_view, int16_t step) {
  if (stepSuppliesParameters(step, true)) return;
  SavedHandlers saved;
  HelpSubject = 195;
  PolyDegree = 1;
  BuildWINDOW(kWindow, " Polynomial Transform, Channel" + rt::PSstrLong(MainDataChannel) + " ", 760, 100, 1100, 420, 6);
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(10, 26, " Use");
  PolynomialDegreePopupMenu(kDegreeMenu);
  rt::FBAppearanceButton(kDegreePopup, 1, 1, kDegreeMenu, 0, "", {45, 10, 130, 32}, rt::kControlPopupButton);
  PrintAt(138, 26, "degree Polynomial");
  PrintAt(10, 62, "Equation = ");
  EFForeColor = EFBackColor = 1;
  buildef(1, kConstantField, "0", 90, 48, 200, 66, 1, 0);
  rt::FBButton(kOK, 1, "Polynomial OK", {200, 290, 330, 312}, 4);
  SHOWPOLY();
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id == kDegreePopup) {
      const int d = rt::controlValue(kDegreePopup);
      PolyDegree = int16_t(d >= 1 && d <= 9 ? d : 1);
      SHOWPOLY();
      rt::selectEditField(kConstantField, 0, 0);
    } else if (((a == 1 && id == kOK) || a == 16 || a == 4 || (a == 3 && id != kWindow)) && storePolynomial()) {
      break;
    }
  }
  writeStep(step);
  rt::closeWindow(kWindow);
  if (rt::windowExists(4)) rt::bringWindowForward(4);
}

}  // namespace qv
