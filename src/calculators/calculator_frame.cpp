#include "calculators/calculator_frame.h"

#include <cmath>
#include <cstdio>

#include "core/help.h"
#include "calculators/commands.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/text_format.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

void calculatorMenuHandler() {
  const int menu = rt::menuNumber(), item = rt::menuItemNumber();
  // File > Quit, and Quit as the application menu sends it.
  if ((menu == 1 && item == 21) || (menu == 0 && item == 11)) {
    gQuitPending = true;
    action = eventID = 0;
    return;
  }
  KILLSCRIPT_for_Help();
}

CalculatorFrame::CalculatorFrame(std::string_view title, int16_t left, int16_t top, int16_t right, int16_t bottom,
                                 int16_t kind, bool arrowCursor, bool hideToolBar)
    : hidToolBar_(hideToolBar) {
  if (arrowCursor) rt::setCursor(rt::Cursor::Arrow);
  // With no file the calculators read and keep their per-file values in the defaults slot.
  if (TheFileInUse < 0) TheFileInUse = 0;
  if (hidToolBar_) HideTheToolBar();
  BuildWINDOW(kCalculatorWindow, title, left, top, right, bottom, kind);
}

CalculatorFrame::~CalculatorFrame() {
  rt::closeWindow(kCalculatorWindow);
  if (hidToolBar_) RestoreTheToolBar();
}

void CalculatorFrame::start(const CalculatorHandlers& h, int16_t field) {
  action = eventID = 0;
  MathOperation = 0;
  focus(field);
  if (h.menu) rt::setHandler(rt::Vector::Menu, h.menu);
  if (h.dialog) rt::setHandler(rt::Vector::Dialog, h.dialog);
  if (h.mouse) rt::setHandler(rt::Vector::Mouse, h.mouse);
  if (h.edit) rt::setHandler(rt::Vector::Edit, h.edit);
}

CalculatorFrame::Event CalculatorFrame::next() {
  do {
    rt::FBHandleEvents();
    // The field the user is typing in, whether the calculator or a click put the focus there.
    if (rt::frontWindow() == kCalculatorWindow) {
      const int f = rt::focusedEditField();
      if (f) currentEF = int16_t(f);
    }
  } while (action == 0 && MathOperation == 0 && !gQuitPending);
  Event e{action, eventID};
  action = eventID = 0;
  return e;
}

bool CalculatorFrame::quitting() const { return gQuitPending; }

void CalculatorFrame::focus(int16_t field) {
  rt::setOutputWindow(kCalculatorWindow);
  rt::selectEditField(field, 0, 32767);
  currentEF = field;
}

void markStoredIntoFile() {
  if (slotIsOpen(TheFileInUse)) FileSHORTS[TheFileInUse][kChangeMarkWord] = 1;
}

std::string calculatorResultText(float v) {
  std::string s = StringFormatter(v);
  s.erase(0, s.find_first_not_of(' '));
  return s;
}

void showCalculatorResult(int16_t field, float v) {
  rt::setEditText(field, std::isfinite(v) ? calculatorResultText(v) : std::string("**"));
}

float calculatorField(int16_t field) {
  double v = 0.0;
  if (!rt::PSvalStrict(rt::editTextIn(kCalculatorWindow, field), v)) return NAN;
  return float(v);
}

std::string calculatorNumberText(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.6G", v);
  return buf;
}

}  // namespace qv
