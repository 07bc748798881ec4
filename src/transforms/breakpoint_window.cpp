// The breakpoint transform's set-up: window 19.
#include <algorithm>
#include <cmath>

#include "core/help.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/line_values.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "plot/plot.h"
#include "runtime/macroman.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "transforms/transform_state.h"
#include "transforms/transform_windows.h"

namespace qv {

namespace {

constexpr int kWindow = 19;
constexpr int kLowerButton = 5, kUpperButton = 6, kOK = 10, kHelp = 11;
constexpr const char* kTypeNames[] = {"", "linear", "2-way poly", "power", "exponential"};

void resetTable() {
  BreakpointArray.fill(0);
  BreakpointArray[24] = 1;
  for (int base : {26, 31}) {
    BreakpointArray[size_t(base)] = 1;
    BreakpointArray[size_t(base + 2)] = 1;
  }
}

// A formula in red with its raised part right after it.
void formula(int y, const char* text, const char* raisedPart) {
  PrintAt(140, y, text);
  if (!raisedPart) return;
  const int x = 141 + rt::stringWidth(text);
  rt::textSize(9);
  PrintAt(x, y - 6, raisedPart);
  rt::textSize(12);
}

void buildRows() {
  SetTextStyle(KestrixFont, 11, 0);
  PrintAt(80, 172, "equation type                'a ' value                  'b ' value                  'c ' value");
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(12, 194, "< bkpt:");
  PrintAt(12, 218, rt::macRomanChar(179) + " bkpt:");
  EFForeColor = EFBackColor = 1;
  for (int row = 0; row < 2; ++row) {
    const int y = 180 + 24 * row, first = 202 + 4 * row;
    buildef(1, int16_t(first), "linear", 80, int16_t(y), 200, int16_t(y + 18), 7, 0);
    const char* start[] = {"0", "1", "0"};
    for (int i = 0; i < 3; ++i)
      buildef(1, int16_t(first + 1 + i), start[i], int16_t(220 + 125 * i), int16_t(y), int16_t(320 + 125 * i),
              int16_t(y + 18), 1, 0);
  }
}

void buildWindow() {
  const int height = 230;
  int top = std::max(40, BottomOfPlotArea - 180);
  top = std::min(top, 900 - height - 10);
  BuildWINDOW(kWindow, " Breakpoint Transformations Setup ", 19, int16_t(top), 605, int16_t(top + height), 6);
  SetTextStyle(KestrixFont, 12, 1);
  PrintAt(12, 24, "breakpoint:");
  EFForeColor = EFBackColor = 1;
  buildef(1, 201, "1", 100, 10, 180, 28, 1, 0);
  PrintAt(12, 50, "Equation type:");
  const char* radios[] = {"linear;", "2-way Poly;", "Power;", "Exponential;"};
  for (int i = 0; i < 4; ++i) rt::FBButton(51 + i, i == 0 ? 2 : 1, radios[i], {20, 58 + 22 * i, 130, 76 + 22 * i}, 3);
  SetTextStyle(KestrixFont, 12, 0);
  rt::colorNumber(6);
  formula(72, "a + b * volts", nullptr);
  formula(94, "a + b * volts + c * volts", "2");
  formula(116, "a + b * volts", "c");
  formula(138, "a + b * e", "(c * volts) ");
  rt::colorNumber(7);
  rt::FBButton(kLowerButton, 1, "Use This Equation for Data < Breakpoint", {310, 58, 580, 80}, 1);
  rt::FBButton(kUpperButton, 1, "Use This Equation for Data \u2265 Breakpoint", {310, 86, 580, 108}, 1);
  rt::FBButton(kOK, 1, "OK to Transform", {450, 116, 580, 138}, 4);
  rt::FBButton(kHelp, 1, "?", {410, 116, 440, 138}, 1);
  buildRows();
}

int selectedType() {
  for (int i = 1; i <= 4; ++i)
    if (rt::controlValue(50 + i) != 0) return i;
  return 1;
}

void useEquation(int base, int firstField) {
  const int type = selectedType();
  BreakpointArray[size_t(base)] = float(type);
  rt::setEditText(firstField, kTypeNames[type]);
  rt::setEditText(firstField + 1, "0");
  rt::setEditText(firstField + 2, "1");
  rt::setEditText(firstField + 3, type == 3 ? "1" : "0");
  ValueOfA = 0;
  ValueOfB = 1;
}

// Stores the typed values, or names the first that is not a number and stores nothing.
bool storeFields() {
  const std::pair<int, int> map[] = {{201, 24}, {203, 27}, {204, 28}, {205, 29}, {207, 32}, {208, 33}, {209, 34}};
  BreakpointTable t = BreakpointArray;
  for (auto [field, word] : map) {
    const std::optional<float> v = typedSingle(field);
    if (!v) {
      Warn(1166, "Breakpoint transform: ", {"\"" + rt::editText(field) + "\" is not a number.", "Type a number and press \"OK to Transform\" again."});
      rt::bringWindowForward(kWindow);
      rt::setOutputWindow(kWindow);
      return false;
    }
    t[size_t(word)] = *v;
  }
  BreakpointArray = t;
  return true;
}

}  // namespace

void BREAKPOINT() {
  SavedHandlers saved;
  HelpSubject = 177;
  resetTable();
  buildWindow();
  upvip();
  installModalHandlers();
  action = eventID = 0;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 3 && id != kWindow) {
      rt::bringWindowForward(kWindow);
    } else if (a == 1 && id >= 51 && id <= 54) {
      for (int r = 51; r <= 54; ++r) rt::setControlValue(r, r == id);
    } else if (a == 1 && id == kLowerButton) {
      useEquation(26, 202);
    } else if (a == 1 && id == kUpperButton) {
      useEquation(31, 206);
    } else if (a == 1 && id == kHelp) {
      OpenHelpBook();
    } else if (((a == 1 && id == kOK) || a == 16 || (a == 4 && id == kWindow)) && storeFields()) {
      break;
    }
  }
  rt::closeWindow(kWindow);
  const int f = TheFileInUse;
  if (slotIsOpen(f) && rt::windowExists(1000 + f)) {
    rt::bringWindowForward(1000 + f);
    if (FileSHORTS[f][kViewModeWord] != 0) DrawALLCHANNELS(0);
  }
  downvip();
}

}  // namespace qv
