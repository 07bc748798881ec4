// Special > Simple Regression...: a line or a parabola through up to 20 typed pairs, its plot,
// predictions both ways, and the pairs saved as a delimited file.
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/regression.h"
#include "calculators/regression_plot.h"
#include "calculators/regression_session.h"
#include "core/event_state.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/panels.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpSubject = 276;
constexpr int kRows = kRegressionRows;
constexpr int16_t kFirstX = 101, kFirstY = 201, kFirstRowNumber = 301;
constexpr int16_t kYHeading = 100, kXHeading = 200;
constexpr int16_t kLineButton = 1, kQuadraticButton = 2, kHelpButton = 3, kCalculate = 10, kPredictY = 11,
                  kPredictX = 12, kSave = 65, kDone = 66;
constexpr int16_t kCaution = 60, kModel = 62, kModelPower = 63;
constexpr int16_t kALabel = 50, kAField = 51, kBLabel = 55, kBField = 56, kCLabel = 57, kCField = 58;
constexpr int16_t kXLabel = 40, kXField = 41, kYLabel = 45, kYField = 46;

std::string cellText(const std::optional<double>& v) { return v ? calculatorNumberText(*v) : std::string(); }

std::string shownNumber(double v) { return std::isfinite(v) ? calculatorNumberText(v) : std::string("**"); }

void modelLabel(RegressionModel m) {
  EFForeColor = 0, EFBackColor = 0;
  SetTextStyle(KestrixFont, 13, rt::kBold);
  if (rt::controlExists(kCLabel)) rt::removeControl(kCLabel), rt::removeControl(kCField);
  if (m == RegressionModel::Line) {
    rt::setEditText(kModel, " Y = a  +  b * X");
    rt::setEditText(kModelPower, "");
    rt::setEditText(kCaution, "");
    return;
  }
  rt::setEditText(kModel, "Y = a  +  b * X  +  c * X");
  rt::setEditText(kModelPower, "2");
  rt::setEditText(kCaution, "Caution:  X from Y does not always work for polynomials");
  SetTextStyle(KestrixFont, 13, 0);
  buildef(0, kCLabel, "c value:", 20, 222, 84, 240, 7, 0);
  EFBackColor = 6;
  buildef(1, kCField, "", 85, 220, 220, 240, 3, 2);
}

void buildWindow(const RegressionSession& s) {
  SetTextStyle(KestrixFont, 14, rt::kBold);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, kXHeading, "X values", 300, 16, 398, 36, 7, 1);
  buildef(0, kYHeading, "Y values", 405, 16, 503, 36, 7, 1);
  SetTextStyle(KestrixFont, 12, 0);
  for (int r = 1; r <= kRows; ++r) {
    const int16_t top = int16_t(42 + 22 * (r - 1));
    EFForeColor = 0, EFBackColor = 0;
    buildef(0, int16_t(kFirstRowNumber - 1 + r), std::to_string(r), 250, top, 292, int16_t(top + 16), 7, 2);
    EFBackColor = 6;
    buildef(1, int16_t(kFirstX - 1 + r), cellText(s.rows[r].x), 300, top, 398, int16_t(top + 16), 3, 2);
    buildef(1, int16_t(kFirstY - 1 + r), cellText(s.rows[r].y), 405, top, 503, int16_t(top + 16), 3, 2);
  }
  SetTextStyle(KestrixFont, 13, 0);
  const bool line = s.model == RegressionModel::Line;
  rt::FBButton(kLineButton, line ? 2 : 1, " Linear model", {20, 16, 230, 36}, 3);
  rt::FBButton(kQuadraticButton, line ? 1 : 2, " 2-order polynomial", {20, 40, 230, 60}, 3);
  EFForeColor = 0, EFBackColor = 0;
  SetTextStyle(KestrixFont, 13, rt::kBold);
  buildef(0, kModel, "Y = a + b * X", 20, 72, 196, 90, 7, 0);
  SetTextStyle(KestrixFont, 10, rt::kBold);
  buildef(0, kModelPower, "", 163, 66, 180, 80, 7, 0);
  SetTextStyle(KestrixFont, 11, rt::kItalic);
  buildef(0, kCaution, "", 20, 96, 230, 130, 7, 0);
  SetTextStyle(KestrixFont, 13, 0);
  buildef(0, kALabel, "a value:", 20, 162, 84, 180, 7, 0);
  buildef(0, kBLabel, "b value:", 20, 192, 84, 210, 7, 0);
  EFBackColor = 6;
  buildef(1, kAField, "", 85, 160, 220, 180, 3, 2);
  buildef(1, kBField, "", 85, 190, 220, 210, 3, 2);
  if (!line) modelLabel(s.model);
  rt::FBButton(kCalculate, 1, "Calculate Regression", {20, 266, 220, 288}, 4);
  EFBackColor = 0;
  buildef(0, kXLabel, "X:", 20, 322, 44, 340, 7, 0);
  buildef(0, kYLabel, "Y:", 20, 352, 44, 370, 7, 0);
  EFBackColor = 6;
  buildef(1, kXField, "", 45, 320, 220, 340, 3, 2);
  buildef(1, kYField, "", 45, 350, 220, 370, 3, 2);
  rt::FBButton(kPredictY, 0, "Predict Y from X", {20, 384, 220, 406}, 1);
  rt::FBButton(kPredictX, 0, "Predict X from Y", {20, 412, 220, 434}, 1);
  rt::FBButton(kHelpButton, 1, "?", {20, 470, 50, 492}, 1);
  rt::FBButton(kSave, 0, "Save Data\xE2\x80\xA6", {60, 470, 160, 492}, 1);
  rt::FBButton(kDone, 1, "Done", {400, 490, 503, 512}, 1);
}

// A field's number: nothing for an empty field, false for text that is no number.
bool readCell(int16_t id, std::optional<double>& out) {
  const std::string text = rt::editTextIn(kCalculatorWindow, id);
  if (text.find_first_not_of(" \t") == std::string::npos) return out.reset(), true;
  double v = 0;
  if (!rt::PSvalStrict(text, v) || !std::isfinite(v) || std::fabs(v) > 1e30) return false;
  out = v;
  return true;
}

void refuseCell(int16_t id, int row) {
  Warn(1166, "Not a number: ", {"Row " + std::to_string(row) + " holds text that is not a number.",
                                "The table is left as it was; correct the entry and calculate again."});
  rt::bringWindowForward(kCalculatorWindow);
  CalculatorFrame::focus(id);
}

void showCoefficients(const RegressionFit& f) {
  rt::setOutputWindow(kCalculatorWindow);
  rt::setEditText(kAField, f.fitted ? shownNumber(f.a) : "**");
  rt::setEditText(kBField, f.fitted ? shownNumber(f.b) : "**");
  if (rt::controlExists(kCField))
    rt::setEditText(kCField, f.fitted && f.model == RegressionModel::Quadratic ? shownNumber(f.c) : "**");
}

// Calculate Regression: the typed rows become the table, and from three points on the fit is
// made, drawn and shown.
void calculate(RegressionSession& s, bool& fittedThisOpening) {
  std::array<RegressionSession::Row, kRows + 1> typed{};
  for (int r = 1; r <= kRows; ++r) {
    const int16_t xi = int16_t(kFirstX - 1 + r), yi = int16_t(kFirstY - 1 + r);
    if (!readCell(xi, typed[r].x)) return refuseCell(xi, r);
    if (!readCell(yi, typed[r].y)) return refuseCell(yi, r);
  }
  s.rows = typed;
  std::vector<RegressionPoint> points;
  for (int r = 1; r <= kRows; ++r)
    if (typed[r].x || typed[r].y) points.push_back({typed[r].x.value_or(0.0), typed[r].y.value_or(0.0)});
  if (points.size() < 3) return;
  s.points = std::move(points);
  s.fit = fitRegression(s.points, s.model);
  fittedThisOpening = true;
  rt::setOutputWindow(kCalculatorWindow);
  rt::setButtonState(kSave, 1);
  drawRegressionPlot(s.points, s.fit);
  rt::bringWindowForward(kCalculatorWindow);
  showCoefficients(s.fit);
  rt::setButtonState(kPredictY, s.fit.fitted ? 1 : 0);
  rt::setButtonState(kPredictX, s.fit.fitted ? 1 : 0);
}

void predict(const RegressionFit& fit, bool yFromX) {
  const int16_t from = yFromX ? kXField : kYField, to = yFromX ? kYField : kXField;
  const float v = calculatorField(from);
  if (!std::isfinite(v)) {
    bzot();
    return CalculatorFrame::focus(from);
  }
  rt::setEditText(to, shownNumber(yFromX ? predictY(fit, v) : predictX(fit, v)));
}

void save(const RegressionSession& s) {
  const char delimiter = UseExcelFormat ? '\t' : ',';
  const std::optional<std::string> path =
      rt::OSpanelSave("File for regression data", UseExcelFormat ? "Regression data.xls" : "Regression data.csv");
  if (!path) return;
  std::string text = std::string("X value") + delimiter + "Y value\n";
  for (const RegressionPoint& p : s.points)
    text += calculatorNumberText(p.x) + delimiter + calculatorNumberText(p.y) + "\n";
  std::string why;
  if (!rt::writeFileAtomic(*path, text.data(), text.size(), &why))
    Warn(1166, "Not saved: ", {"The regression data could not be written as", rt::fileNameOf(*path) + ":", why});
  rt::bringWindowForward(kCalculatorWindow);
}

void chooseModel(RegressionSession& s, RegressionModel m) {
  s.model = m;
  rt::setOutputWindow(kCalculatorWindow);
  rt::setButtonState(kLineButton, m == RegressionModel::Line ? 2 : 1);
  rt::setButtonState(kQuadraticButton, m == RegressionModel::Line ? 1 : 2);
  modelLabel(m);
  CalculatorFrame::focus(kFirstX);
}

}  // namespace

RegressionSession& regressionSession() {
  static RegressionSession s;
  return s;
}

void SimpleRegression() {
  HelpSubject = kHelpSubject;
  {
    RegressionSession& s = regressionSession();
    CalculatorFrame frame("Simple Regression ", 100, 80, 620, 600, 6, true);
    buildWindow(s);
    frame.start({calculatorMenuHandler, DoDIALOG, nullptr, CHECKRETURN}, kFirstX);
    bool fitted = false, done = false;
    while (!done && !frame.quitting()) {
      const CalculatorFrame::Event e = frame.next();
      if (e.kind == 4 && e.id == kRegressionPlotWindow) {
        rt::closeWindow(kRegressionPlotWindow);
      } else if (e.kind == 4 || (e.kind == 1 && e.id == kDone)) {
        done = true;
      } else if (e.kind == 16 || (e.kind == 1 && e.id == kCalculate)) {
        calculate(s, fitted);
      } else if (e.kind != 1) {
        continue;
      } else if (e.id == kLineButton || e.id == kQuadraticButton) {
        chooseModel(s, e.id == kLineButton ? RegressionModel::Line : RegressionModel::Quadratic);
      } else if ((e.id == kPredictY || e.id == kPredictX) && fitted && s.fit.fitted) {
        predict(s.fit, e.id == kPredictY);
      } else if (e.id == kSave && fitted) {
        save(s);
      } else if (e.id == kHelpButton) {
        HelpSubject = kHelpSubject;
        OpenHelpBook();
      }
    }
    rt::closeWindow(kRegressionPlotWindow);
  }
  MenuIDENTIFIER = MenuItem = 0;
  action = eventID = 0;
}

}  // namespace qv
