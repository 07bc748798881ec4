#include "core/unsaved_changes.h"

#include <algorithm>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kQuestionWindow = 67;

constexpr const char* kQuestion = "Do you want to save it before continuing?";

void buildQuestion() {
  BuildWINDOW(kQuestionWindow, "Data Loss Warning", 55, 110, 440, 215, 261);
  // The window grows when the question is wider in the desktop's font than it was drawn for.
  SetTextStyle(KestrixFont, 15, 0);
  const int width = std::max(385, 65 + rt::stringWidth(kQuestion) + 14);
  if (width > 385) BuildWINDOW(kQuestionWindow, "Data Loss Warning", 55, 110, int16_t(55 + width), 215, 261);
  WARNINGSTRIPES(1, 10, 33, 5);
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 20, 0);
  PrintAt(75, 29, "This file has been changed.");
  SetTextStyle(KestrixFont, 15, 0);
  PrintAt(65, 49, kQuestion);
  DrawIcon(129, 15, 48);
  GrayBOX(1, 10, 56, int16_t(width - 10), 90);
  rt::FBButton(1, 1, "Save...", {17, 62, 105, 82}, 4);
  rt::FBButton(2, 1, "Do Not Save", {117, 62, 222, 82}, 1);
  rt::FBButton(3, 1, "Cancel", {width - 100, 62, width - 15, 82}, 1);
  DrawIcon(130, 228, 89);
}

}  // namespace

CheckDumpAnswer CHECKDUMP(int16_t slot) {
  if (slot < 0 || slot >= kSlots || FileSHORTS[slot][10] != 1 || prefsArray[16] != 1) return CheckDumpAnswer::DontSave;
  rt::playSound(prefsArray[7] < 26 ? "bzot.mp3" : "ahem.mp3");

  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  buildQuestion();
  action = eventID = 0;
  installModalHandlers();
  // Only the three buttons and Return end the question: its close box does not.
  CheckDumpAnswer answer = CheckDumpAnswer::DontSave;
  for (bool answered = false; !answered;) {
    waitForAction();
    if (action == 16 && (eventID == 13 || eventID == 3)) answer = CheckDumpAnswer::Save, answered = true;
    else if (action == 1 && eventID == 1) answer = CheckDumpAnswer::Save, answered = true;
    else if (action == 1 && eventID == 2) answer = CheckDumpAnswer::DontSave, answered = true;
    else if (action == 1 && eventID == 3) answer = CheckDumpAnswer::Cancel, answered = true;
    action = eventID = 0;
  }
  if (answer == CheckDumpAnswer::DontSave) Rip();
  rt::closeWindow(kQuestionWindow);
  if (rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  return answer;
}

}  // namespace qv
