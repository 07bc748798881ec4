// Draws the regression plot window.
#include "calculators/regression_plot.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "calculators/calculator_frame.h"
#include "core/kit.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kLeft = 73, kWidth = 355, kBottom = 311, kHeight = 298;
constexpr rt::RGB kDarkGrey{0x5555, 0x5555, 0x5555};

struct Range {
  double lo = 1e300, hi = -1e300;
  void take(double v) { lo = std::min(lo, v), hi = std::max(hi, v); }
  // A range of no width draws as one unit about its value.
  void widen() {
    if (!(hi > lo)) lo -= 0.5, hi += 0.5;
  }
};

struct Scale {
  Range x, y;
  double sx = 1, sy = 1;
  // Pixels stay within a few screens of the plot whatever the value, so a curve that leaves
  // the points' range far behind still converts to a whole number.
  int px(double v) const { return kLeft + int(std::clamp((v - x.lo) * sx, -2000.0, 2000.0)); }
  int py(double v) const { return kBottom - int(std::clamp((v - y.lo) * sy, -2000.0, 2000.0)); }
};

std::string numberText(double v) { return std::isfinite(v) ? calculatorNumberText(v) : std::string("**"); }

void dashedLine(int x1, int y1, int x2, int y2) {
  const int len = std::max(std::abs(x2 - x1), std::abs(y2 - y1));
  for (int s = 0; s < len; s += 8) {
    const int e = std::min(len, s + 4);
    rt::moveTo(x1 + (x2 - x1) * s / len, y1 + (y2 - y1) * s / len);
    rt::lineTo(x1 + (x2 - x1) * e / len, y1 + (y2 - y1) * e / len);
  }
}

void axesAndZeroLines(const Scale& s) {
  rt::penNormal();
  rt::colorNumber(7);
  rt::moveTo(63, 18), rt::lineTo(63, 321);
  rt::moveTo(63, 321), rt::lineTo(426, 321);
  SetTextStyle(KestrixFont, 12, 0);
  rt::moveTo(190, 334), rt::drawString("X values");
  rt::moveTo(57 - rt::stringWidth("Y values") / 2, 12), rt::drawString("Y values");
  SetTextStyle(KestrixFont, 10, 0);
  rt::foreColor(kDarkGrey);
  if (s.x.lo < 0 && s.x.hi > 0) {
    const int x = s.px(0);
    dashedLine(x, 20, x, 318);
    rt::moveTo(x - 3, 332), rt::drawString("0");
  }
  if (s.y.lo < 0 && s.y.hi > 0) {
    const int y = s.py(0);
    dashedLine(68, y, 426, y);
    rt::moveTo(44, y + 4), rt::drawString("0");
  }
  // The ends of each axis.
  rt::colorNumber(7);
  rt::moveTo(20, 318), rt::drawString(numberText(s.y.lo));
  rt::moveTo(20, 24), rt::drawString(numberText(s.y.hi));
  rt::moveTo(66, 332), rt::drawString(numberText(s.x.lo));
  const std::string hi = numberText(s.x.hi);
  rt::moveTo(428 - rt::stringWidth(hi), 332), rt::drawString(hi);
}

void curve(const Scale& s, const RegressionFit& fit) {
  if (!fit.fitted) return;
  std::vector<rt::PointF> pts;
  if (fit.model == RegressionModel::Line) {
    pts.push_back({double(kLeft), double(s.py(predictY(fit, s.x.lo)))});
    pts.push_back({double(kLeft + kWidth), double(s.py(predictY(fit, s.x.hi)))});
  } else {
    for (int p = 74; p <= 424; p += 5) pts.push_back({double(p), double(s.py(s.x.lo + (p - kLeft) / s.sx))});
  }
  rt::strokePolyline(pts.data(), pts.size(), 1.5, rt::colorOfNumber(6), true);
}

}  // namespace

std::string regressionEquationText(const RegressionFit& f) {
  if (!f.fitted) return "**";
  std::string t = numberText(f.a) + (f.b >= 0 ? " + " : " ") + numberText(f.b) + "*X";
  if (f.model == RegressionModel::Quadratic) t += (f.c >= 0 ? " + " : " ") + numberText(f.c) + "*X^2";
  return t;
}

void drawRegressionPlot(std::span<const RegressionPoint> points, const RegressionFit& fit) {
  if (rt::windowExists(kRegressionPlotWindow)) {
    rt::setOutputWindow(kRegressionPlotWindow);
    rt::clearWindow();
    for (int id : {101, 103, 104}) rt::removeControl(id);
  } else {
    BuildWINDOW(kRegressionPlotWindow, "regression plot", 650, 80, 1100, 550, 6);
  }
  Scale s;
  for (const RegressionPoint& p : points) s.x.take(p.x), s.y.take(p.y);
  s.x.widen(), s.y.widen();
  s.sx = kWidth / (s.x.hi - s.x.lo), s.sy = kHeight / (s.y.hi - s.y.lo);
  axesAndZeroLines(s);
  curve(s, fit);
  for (const RegressionPoint& p : points) {
    const int x = s.px(p.x), y = s.py(p.y);
    rt::colorNumber(4);
    rt::frameOval({x - 3, y - 3, x + 4, y + 4});
    rt::colorNumber(3);
    rt::paintOval({x - 2, y - 2, x + 3, y + 3});
  }
  rt::colorNumber(7);
  SetTextStyle(KestrixFont, 12, 0);
  EFForeColor = 0, EFBackColor = 0;
  buildef(0, 101, "Regression:", 20, 356, 120, 374, 7, 0);
  buildef(0, 103, "Y = " + regressionEquationText(fit), 20, 378, 430, 396, 7, 0);
  buildef(0, 104, std::to_string(points.size()) + " points; r-squared = " + numberText(fit.rSquared), 20, 400, 430,
          418, 7, 0);
  rt::flushWindow(kRegressionPlotWindow);
}

}  // namespace qv
