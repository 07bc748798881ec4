// Special > Simple Math...: X and Y registers, reverse-Polish keys, one-click operations.
#include <cmath>

#include "core/help.h"
#include "calculators/calculator_frame.h"
#include "calculators/commands.h"
#include "calculators/simple_math.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/sounds.h"
#include "output/commands.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/windows.h"
#include "core/stats_state.h"

namespace qv {

namespace {

constexpr int16_t kX = 111, kY = 112;
constexpr int16_t kHelpButton = 141, kDone = 41, kLastMean = 29, kStoreX = 30;

struct ButtonPlace {
  int16_t id;
  const char* label;
  int16_t width;
};

void buttonRow(std::initializer_list<ButtonPlace> row, int left, int top, int gap, int fontSize = 12) {
  int x = left;
  for (const ButtonPlace& b : row) {
    rt::FBButton(b.id, 1, b.label, {x, top, x + b.width, top + 20}, 1);
    if (fontSize != 12) rt::setEditFont(b.id, KestrixFont, fontSize, 0);
    x += b.width + gap;
  }
}

void drawLabels() {
  SetTextStyle(KestrixFont, 16, 0);
  rt::foreColor(RGBblack);
  PrintAt(14, 21, "X value:");
  PrintAt(14, 49, "Y value:");
  DoubleLINE(0, 320, 90);
  DoubleLINE(0, 320, 235);
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblue);
  PrintAt(10, 80, "Use the '_' key for ");
  SetTextStyle(KestrixFont, 12, rt::kBold | rt::kItalic);
  rt::foreColor(RGBred);
  rt::drawString("subtraction ");
  SetTextStyle(KestrixFont, 12, 0);
  rt::foreColor(RGBblue);
  rt::drawString("in RPN");
  PrintAt(215, 220, "X in ");
  SetTextStyle(KestrixFont, 12, rt::kBold);
  rt::foreColor(RGBred);
  rt::drawString("degrees ");
  rt::foreColor(RGBblack);
}

void buildFields() {
  EFForeColor = 3, EFBackColor = 1;
  buildef(1, kY, "0", 90, 34, 300, 55, 3, 0);
  rt::setEditFont(kY, KestrixFont, 15, rt::kBold);
  EFForeColor = 2, EFBackColor = 8;
  const bool offered = LastCalculatorResult != 0.0f && std::isfinite(LastCalculatorResult);
  buildef(1, kX, offered ? calculatorNumberText(LastCalculatorResult) : "1", 90, 5, 300, 26, 3, 0);
  rt::setEditFont(kX, KestrixFont, 16, rt::kBold);
}

void buildButtons() {
  buttonRow({{1, "X + Y", 50}, {2, "X - Y", 50}, {3, "X * Y", 50}, {4, "X ÷ Y", 50}, {5, "1/X", 50},
             {6, "Y = π", 50}},
            6, 95, 2);
  buttonRow({{7, "ln X", 43}, {8, "e^X", 43}, {9, "log X", 43}, {10, "10^X", 43}, {11, "√ X", 43},
             {22, "X²", 43}, {12, "X^Y", 43}},
            5, 120, 2);
  buttonRow({{13, "X÷10", 50}, {14, "X*10", 50}, {15, "X÷60", 50}, {16, "X*60", 50}, {17, "X÷24", 50},
             {18, "X*24", 50}},
            6, 150, 2);
  buttonRow({{19, "X÷760", 46}, {20, "X÷101.325", 66}, {21, "X÷273.1", 55}, {23, "X+273.1", 55},
             {24, "X = y", 45}, {25, "Y = X", 45}},
            2, 177, 1, 10);
  buttonRow({{51, "sine (X)", 68}, {52, "cosine (X)", 68}, {53, "tangent (X)", 68}}, 5, 204, 2, 11);
  const char* const kGeometry[] = {
      "Circumferance of a Circle with Radius X   (2 π r) ", "Area of a Circle with Radius X (π r² ) ",
      "Cylinder Volume,  Radius X and Height Y   (π r² h) ", "Surface Area of a Sphere with Radius X   (4 π r² ) ",
      "Volume of a Sphere with Radius X   (4/3 π r³ ) "};
  for (int i = 0; i < 5; ++i) {
    rt::FBButton(31 + i, 1, kGeometry[i], {10, 245 + 25 * i, 307, 265 + 25 * i}, 1);
    rt::setEditFont(31 + i, KestrixFont, 11, 0);
  }
  const bool haveMean = meanValue != 0.0 && std::isfinite(meanValue);
  rt::FBButton(kLastMean, haveMean ? 1 : 0, "X = Last Result Mean", {10, 372, 190, 392}, 1);
  rt::FBButton(kStoreX, 1, "Store X Value...", {10, 400, 160, 420}, 1);
  rt::FBButton(kHelpButton, 1, "?", {175, 400, 205, 420}, 1);
  rt::FBButton(kDone, 1, "Done", {220, 400, 300, 420}, 1);
}

void writeOutcome(const MathOutcome& o) {
  if (o.setsX) rt::setEditTextIn(kCalculatorWindow, kX, calculatorNumberText(float(o.x)));
  if (o.setsY) {
    const std::string text = o.yIsPi ? std::string(kCalcPiText) : calculatorNumberText(o.yWide ? o.y : float(o.y));
    rt::setEditTextIn(kCalculatorWindow, kY, text);
  }
}

void storeX(float x) {
  if (!std::isfinite(x)) return CALCERROR();
  SCALERESULTS(x);
  rt::bringWindowForward(kCalculatorWindow);
  rt::setOutputWindow(kCalculatorWindow);
  rt::FlushEvents();
  action = eventID = 0;
}

void button(int16_t id) {
  const float x = calculatorField(kX), y = calculatorField(kY);
  switch (id) {
    case kHelpButton:
      HelpSubject = 204;
      OpenHelpBook();
      return;
    case kLastMean:
      if (std::isfinite(meanValue)) rt::setEditTextIn(kCalculatorWindow, kX, calculatorNumberText(meanValue));
      return;
    case kStoreX: return storeX(x);
    default: break;
  }
  const MathOutcome o = simpleMathButton(id, x, y);
  if (o.error) return CALCERROR();
  writeOutcome(o);
}

// A reverse-Polish key works only while the user is typing Y: X op Y goes into X, and X takes
// the focus for the next operand.
void applyPendingOperation() {
  const int16_t op = MathOperation;
  MathOperation = 0;
  if (currentEF == kY) {
    const MathOutcome o = HandleMathOperation(op, calculatorField(kX), calculatorField(kY));
    if (o.error) {
      CALCERROR();
    } else {
      writeOutcome(o);
      playIfSoundsOn("upvip.mp3");
      CalculatorFrame::focus(kX);
    }
  }
  action = eventID = 0;
}

}  // namespace

void CALCERROR() {
  const std::string kept = rt::editTextIn(kCalculatorWindow, kX);
  bzot();
  constexpr uint32_t kBlinkTicks = 9;  // 150 ms
  for (int i = 0; i < 6; ++i) {
    for (const char* text : {"***  MATH ERROR !!  ***", " "}) {
      rt::setEditTextIn(kCalculatorWindow, kX, text);
      rt::flushWindow(kCalculatorWindow);
      rt::waitUntilTick(rt::TickCount() + kBlinkTicks);
    }
  }
  rt::setEditTextIn(kCalculatorWindow, kX, kept);
}

void SIMPLECALC() {
  CalculatorFrame frame("Simple math  (RPN for +, _, *, /, ^) ", 300, 80, 620, 509, 6, true);
  wsst();
  drawLabels();
  buildFields();
  buildButtons();
  frame.start({calculatorMenuHandler, DoDIALOG, noMOUSE, CALCCHECKRETURN}, kX);
  bool done = false;
  while (!done) {
    const CalculatorFrame::Event e = frame.next();
    if (frame.quitting()) break;
    if (e.kind == 16) {
      CalculatorFrame::focus(kY);
      playIfSoundsOn("click.mp3");
    } else if (e.kind == 7) {
      lobeep();
      CalculatorFrame::focus(currentEF == kX ? kY : kX);
      playIfSoundsOn("click.mp3");
    } else if (e.kind == 1 && e.id <= kHelpButton) {
      button(int16_t(e.id));
      done = e.id == kDone;
    } else if (e.kind == 4 || (e.kind == 3 && e.id != kCalculatorWindow)) {
      done = true;
    }
    if (MathOperation != 0) applyPendingOperation();
  }
  // X goes on to the next calculator only when it is a number.
  const float x = calculatorField(kX);
  if (std::isfinite(x)) LastCalculatorResult = x;
  bup();
}

}  // namespace qv
