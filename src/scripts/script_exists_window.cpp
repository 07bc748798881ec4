// Window 25, "Script Exists": Record a Script over a script in memory either starts anew or
// adds to it.
#include "core/colors.h"
#include "core/event_state.h"
#include "core/kit.h"
#include "core/saved_handlers.h"
#include "core/script_state.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "runtime/windows.h"
#include "scripts/commands.h"
#include "core/script_recorder.h"
#include "scripts/script_steps.h"

namespace qv {

namespace {

constexpr int16_t kExistsWindow = 25;
constexpr int kStartNew = 1, kAddTo = 2;

void buildExistsWindow() {
  BuildWINDOW(kExistsWindow, "Script Exists", 50, 100, 421, 256, 262);
  WARNINGSTRIPES(1, 10, 33, 8);
  DrawIcon(128, 18, 64);
  DrawIcon(129, 318, 64);
  SetTextStyle(KestrixFont, 36, 0);
  rt::foreColor(RGBblue);
  PrintAt(100, 58, "Caution:");
  SetTextStyle(KestrixFont, 18, 0);
  rt::foreColor(RGBblack);
  PrintAt(92, 90, "a script already exists.");
  rt::FBButton(kStartNew, 1, "Start a New Script", {20, 110, 150, 130}, 1);
  rt::FBButton(kAddTo, 1, "Add to Existing Script", {162, 110, 344, 130}, 1);
}

int askStartOrAdd() {
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  buildExistsWindow();
  playIfSoundsOn("bub3.mp3");
  installModalHandlers();
  action = eventID = 0;
  int choice = 0;
  while (choice == 0) {
    waitForAction();
    if (action == 1 && (eventID == kStartNew || eventID == kAddTo)) choice = eventID;
    action = eventID = 0;
  }
  rt::closeWindow(kExistsWindow);
  if (savedOutput && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  return choice;
}

}  // namespace

void CheckScriptRecording() {
  if (askStartOrAdd() == kStartNew) {
    // The old steps would otherwise still run after the new ones.
    clearScriptSteps();
    return;
  }
  ScriptCOUNT = lastScriptStep();
  if (ScriptCOUNT < kMostScriptSteps) return;
  RecordSCRIPT = 0;
  Warn(1166, "Script full: ", {"The script already has " + std::to_string(kMostScriptSteps) + " steps, the most it can hold.",
                               "Nothing more is recorded; start a new script to record again."});
}

}  // namespace qv
