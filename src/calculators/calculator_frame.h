#pragma once
// The shape every Special-menu calculator shares: window 8 opened over a hidden tool bar, its
// own event handlers while it is up, a loop that takes one event at a time, and on leaving the
// window closed, the tool bar back and the handlers that were in force before.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/saved_handlers.h"
#include "runtime/events.h"

namespace qv {

constexpr int16_t kCalculatorWindow = 8;

struct CalculatorHandlers {
  rt::Handler menu = nullptr;    // nullptr keeps the handler in place
  rt::Handler dialog = nullptr;
  rt::Handler mouse = nullptr;
  rt::Handler edit = nullptr;
};

// The menu handler of the calculators: menu picks wait until the window is closed (help opens
// at once), but Quit ends the calculator and then the program.
void calculatorMenuHandler();

class CalculatorFrame {
 public:
  struct Event {
    int kind = 0;  // the dialog kind of `action` (16 Return, 1 button, 3 activation, 4 close box)
    int id = 0;
  };

  // Opens window 8 with `title` at (left, top, right, bottom) of kind `kind` (BuildWINDOW's kinds).
  // A small calculator that sits beside the work can leave the tool bar up (`hideToolBar`).
  CalculatorFrame(std::string_view title, int16_t left, int16_t top, int16_t right, int16_t bottom, int16_t kind,
                  bool arrowCursor, bool hideToolBar = true);
  ~CalculatorFrame();
  CalculatorFrame(const CalculatorFrame&) = delete;
  CalculatorFrame& operator=(const CalculatorFrame&) = delete;

  // Once the window is drawn: the handlers go in and `field` takes the focus.
  void start(const CalculatorHandlers& handlers, int16_t field);
  // Waits for the next event (or a pending reverse-Polish key); the event is cleared from
  // `action` and `eventID`. quitting() tells whether Quit was chosen meanwhile.
  Event next();
  bool quitting() const;
  // Gives `field` the focus with its whole text selected.
  static void focus(int16_t field);

 private:
  SavedHandlers saved_;
  bool hidToolBar_;
};

// The number in a field of window 8; NaN when the field holds no number.
float calculatorField(int16_t field);
// A calculator's number as text: six significant digits (what a 32-bit value holds without
// showing its rounding), no trailing zeros.
std::string calculatorNumberText(double v);
// After a calculator has stored a value into the file in use: the file has changes to save.
void markStoredIntoFile();
// A result in `field` as calculatorResultText shows it; one that is no number shows "**".
void showCalculatorResult(int16_t field, float v);
// StringFormatter's text of a result without the blanks that align it in a column.
std::string calculatorResultText(float v);

}  // namespace qv
