// Window 99: a file that gives its sample interval as zero (or as no length of time at
// all). The interval becomes 9.999 s unless the user types the right one, or the load is
// cancelled.
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/text_constants.h"
#include "datafiles/load_fixes.h"
#include "datafiles/load_windows.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kIntervalField = 101;
constexpr int kContinueButton = 1, kCancelLoadButton = 2;

void buildSampleIntervalWindow() {
  BuildWINDOW(kSampleIntervalWindow, "Sample Interval Warning", 180, 120, 640, 420, 6);
  WARNINGSTRIPES(1, 10, 33, 6);
  rt::playSound("bub3.mp3");
  DrawIcon(129, 20, 60);
  SetTextStyle(KestrixFont, 18, rt::kBold);
  rt::foreColor(RGBred);
  PrintAt(62, 44, "Caution:  ");
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 14, 0);
  rt::drawString("The file had a sample interval of");
  int y = 66;
  for (const char* line : {"zero, which has been changed to 9.999 sec.", "You can re-set it to a correct value in the",
                           " 'Edit File Data ' window of the EDIT Menu,", "or enter the correct value here:"}) {
    PrintAt(62, y, line);
    y += 19;
  }
  buildef(1, kIntervalField, "9.999", 62, 150, 152, 168, 0, 2);
  PrintAt(160, 164, "seconds");
  SetTextStyle(KestrixFont, 13, rt::kItalic);
  PrintAt(62, 200, bullet + " If you do not cancel loading, be sure to save");
  PrintAt(74, 217, "the file after correcting the sample rate.");
  rt::FBButton(kCancelLoadButton, 1, "Cancel Load", {200, 248, 310, 270}, 1);
  rt::FBButton(kContinueButton, 1, "Continue...", {330, 248, 440, 270}, 4);
  rt::selectEditField(kIntervalField, 0, 32767);
}

}  // namespace

int16_t CheckSampleInterval() {
  const int f = TheFileInUse;
  if (f < 0 || f >= kSlots || sampleIntervalUsable(FileInfoFLOATS[f][1])) return 1;
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  buildSampleIntervalWindow();
  installModalHandlers();
  bool cancelled = false;
  for (bool done = false; !done;) {
    action = eventID = 0;
    waitForAction();
    if (action == 1 && (eventID == kContinueButton || eventID == kCancelLoadButton)) {
      cancelled = eventID == kCancelLoadButton;
      done = true;
    } else if (action == 16 || action == 4 || (action == 3 && eventID != kSampleIntervalWindow) || gQuitPending) {
      done = true;
    }
  }
  action = eventID = 0;
  const double typed = rt::PSval(rt::editTextIn(kSampleIntervalWindow, kIntervalField));
  rt::closeWindow(kSampleIntervalWindow);
  if (rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  FileInfoFLOATS[f][1] = intervalAfterWarning(typed);
  return cancelled ? 0 : 1;
}

}  // namespace qv
