#pragma once
// Simple Math: a two-register calculator on X and Y. What its buttons and reverse-Polish keys do
// to the two values, apart from the window.
#include <cstdint>

namespace qv {

// The pi and the decimal logarithm the calculator works with.
constexpr double kCalcPi = 3.1415926;
constexpr double kCalcLn10 = 2.302585;
constexpr const char* kCalcPiText = "3.1415926";

struct MathOutcome {
  bool error = false;   // a math error: nothing changes
  bool setsX = false, setsY = false;
  double x = 0.0, y = 0.0;
  bool yWide = false;   // Y is written from its 64-bit value (the trigonometry)
  bool yIsPi = false;   // Y shows the text of pi as typed
};

// Button `id` of the window on X and Y. A text that is not a number comes as NaN. Any result
// that is not a finite number (1/0, ln 0, e^X past the float range, 0^-1, a value read from a
// field that holds no number) is a math error. Ids with no operation give an outcome that
// changes nothing (and no error).
MathOutcome simpleMathButton(int16_t id, float x, float y);

// The reverse-Polish key `op` (1 add, 2 subtract, 3 multiply, 4 divide, 5 power) on X and Y.
MathOutcome HandleMathOperation(int16_t op, float x, float y);

}  // namespace qv
