// "Notes for Tabular Data File": the note cells of a spreadsheet line.
#include <algorithm>
#include <string>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "output/output.h"
#include "core/output_state.h"
#include "output/spreadsheet.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kNotesWindow = 30;

void buildWindow(bool two) {
  int left = 10, top = 40;
  const int f = TheFileInUse;
  if (f >= 0 && f < kMaxOpenFiles && rt::windowExists(1000 + f)) {
    const rt::Rect plot = rt::windowContentRect(1000 + f);
    left = plot.left;
    top = plot.top;
  }
  const int width = std::max(std::min(ScreenWidth - 1, 1100) - 321, 360);
  const int height = two ? 65 : 45;
  int y = top + BottomOfPlotArea + 148;
  const rt::Rect screen = rt::screenRect();
  if (y + height > screen.bottom) y = std::max(0, screen.bottom - height);
  BuildWINDOW(kNotesWindow, "Notes for Tabular Data File", int16_t(left + 321), int16_t(y), int16_t(left + 321 + width),
              int16_t(y + height), 6);
  rt::setWindowBackground(kNotesWindow, LightGray);
  rt::clearWindow();
  SetTextStyle(KestrixFont, 13, 0);
  rt::foreColor(RGBblack);
  PrintAt(4, 15, "# 1:");
  rt::FBEditField(1, note1, {30, 3, width - 10, 18}, 3);
  if (two) {
    PrintAt(4, 37, "# 2:");
    rt::FBEditField(2, note2, {30, 25, width - 10, 40}, 3);
  }
  PrintAt(30, two ? 58 : 36, "hit  'return ' or click close box when notes are correct");
  rt::selectEditField(1, 0, int(rt::editText(1).size()));
}

}  // namespace

void TabFileComments() {
  SavedHandlers savedHandlers;
  const int savedOutput = rt::outputWindow();
  const int16_t savedHelp = HelpSubject;
  const bool two = Note_2 != 0;
  if (prefsArray[7] >= 26) PlaySound("bub3.mp3");
  buildWindow(two);
  installModalHandlers();
  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  HelpSubject = 0;
  action = eventID = 0;
  for (;;) {
    waitForAction();
    if (action == 16 || (action == 4 && eventID == kNotesWindow)) break;
    // Tab goes to the other note.
    if (action == 7 && two) rt::selectEditField(rt::focusedEditField() == 1 ? 2 : 1, 0, 0);
    action = eventID = 0;
  }
  note1 = rt::leftChars(rt::editTextIn(kNotesWindow, 1), kMaxNoteChars);
  if (two) note2 = rt::leftChars(rt::editTextIn(kNotesWindow, 2), kMaxNoteChars);
  rt::closeWindow(kNotesWindow);
  action = eventID = 0;
  HelpSubject = savedHelp;
  if (savedOutput && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
}

}  // namespace qv
