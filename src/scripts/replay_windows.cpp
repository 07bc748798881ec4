// What the user sees of a replay: the wrong-channel-count question (window 25), the block
// request (window 4), the pause button on the plot window, and the wait for a block.
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/shell_hooks.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "plot/plot.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "core/script_state.h"
#include "scripts/commands.h"
#include "scripts/replay_binding.h"

namespace qv {

namespace {

constexpr int16_t kWarningWindow = 25;
constexpr int16_t kRequestWindow = 4;
constexpr int kCancelScript = 1, kContinueAnyway = 2;
constexpr int kPauseButton = 135;

int plotWindow() { return 1000 + TheFileInUse; }

bool blockSelected() { return slotIsOpen(TheFileInUse) && FileSHORTS[TheFileInUse][2] == 2; }

void buildWarningWindow(int16_t channels) {
  BuildWINDOW(kWarningWindow, "Problematic file", 50, 100, 421, 286, 262);
  WARNINGSTRIPES(1, 10, 33, 8);
  DrawIcon(128, 18, 64);
  DrawIcon(129, 318, 64);
  SetTextStyle(KestrixFont, 36, 0);
  // A shadowed title: black, yellow, then red on top.
  const rt::RGB yellow{65535, 65535, 0};
  const rt::RGB shades[] = {RGBblack, yellow, RGBred};
  for (int i = 0; i < 3; ++i) {
    rt::foreColor(shades[i]);
    PrintAt(96 - i, 58 - i, "WARNING !");
  }
  SetTextStyle(KestrixFont, 18, 0);
  rt::foreColor(RGBblack);
  PrintAt(64, 96, "wrong number of channels (" + rt::PSstrLong(channels) + " ) ");
  PrintAt(64, 120, "for this script (expecting" + rt::PSstrLong(InitialNumberOfScriptOperationChannels) + " ) ");
  rt::FBButton(kCancelScript, 1, "Cancel Script", {30, 140, 150, 160}, 1);
  rt::FBButton(kContinueAnyway, 1, "Continue Anyway", {186, 140, 326, 160}, 1);
}

void flashRequestLines(bool red) {
  rt::foreColor(red ? RGBred : RGBwhite);
  SetTextStyle(KestrixFont, 17, rt::kBold);
  PrintAt(26, 110, "This is a block operation!");
  SetTextStyle(KestrixFont, 12, 0);
  PrintAt(21, 137, "Move the cursor to the plot window");
  PrintAt(30, 158, "and select a block for analysis.");
}

}  // namespace

int16_t ScriptWarning() {
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  buildWarningWindow(slotIsOpen(TheFileInUse) ? nChannels[TheFileInUse] : 0);
  bzot();
  if (prefsArray[7] >= 26) scream();
  installModalHandlers();
  action = eventID = 0;
  int choice = 0;
  while (choice == 0) {
    waitForAction();
    if (action == 1 && (eventID == kCancelScript || eventID == kContinueAnyway)) choice = eventID;
    action = eventID = 0;
  }
  rt::closeWindow(kWarningWindow);
  if (savedOutput && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  return choice == kCancelScript ? 1 : 0;
}

void REQUEST_BLOCK() {
  rt::closeWindow(kRequestWindow);
  if (blockSelected()) return;
  BuildWINDOW(kRequestWindow, "", 10, int16_t(BottomOfPlotArea + 75), 310, int16_t(BottomOfPlotArea + 250), 5);
  rt::setCursor(rt::Cursor::Arrow);
  DrawIcon(129, 10, 44);
  EmbossPrint(0, "Your attention,", 32, 50, 40);
  EmbossPrint(0, "please...", 32, 120, 78);
  playIfSoundsOn("brrrp.mp3");
  rt::foreColor(RGBred);
  rt::penSize(2, 2);
  rt::frameRect({1, 1, 299, 174});
  rt::penSize(1, 1);
  for (int k = 0; k < 12; ++k) {
    flashRequestLines(k % 2 == 0);
    rt::flushWindow(kRequestWindow);
    rt::waitUntilTick(rt::TickCount() + 3);
  }
  // The lines stay readable once the flashing is over.
  flashRequestLines(true);
  rt::foreColor(RGBblack);
  if (rt::windowExists(plotWindow())) rt::bringWindowForward(plotWindow());
}

void SCRIPT_BUTTONS(int16_t /*nextCode*/, int16_t step) {
  if (!rt::windowExists(plotWindow())) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(plotWindow());
  rt::FBButton(kPauseButton, 1, "Continue Script; Step" + rt::PSstrLong(step),
               {ScreenWidth - 160, 35, ScreenWidth - 4, 53}, 1);
  if (saved && rt::windowExists(saved)) rt::setOutputWindow(saved);
}

void SCRIPTLOOP(int16_t waitForButton) {
  if (!slotIsOpen(TheFileInUse)) return;
  PlotForward();
  SavedHandlers saved;
  rt::setHandler(rt::Vector::Menu, hooks::mainMenuHandler);
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  rt::setHandler(rt::Vector::Mouse, HandleMOUSE);
  BaseLineButton = 0;
  const BoundFile bound = BoundFile::inUse();
  // The plot window works as it does in the main loop; a file opened meanwhile waits for the
  // replay to end (the main loop does not start a second one inside this one). Once the file
  // is closed or another is in use, the wait ends before a block there could run the step.
  for (;;) {
    hooks::call(hooks::mainLoopPass);
    if (!bound.lost().empty()) break;
    if (!waitForButton && blockSelected()) break;
    if (BaseLineButton == kPauseButton || RunScript == 0) break;
  }
  rt::backColor(plotBackColor);
  if (rt::windowExists(plotWindow()) && rt::controlExistsIn(plotWindow(), kPauseButton)) {
    rt::setOutputWindow(plotWindow());
    rt::removeControl(kPauseButton);
  }
  BaseLineButton = 0;
}

}  // namespace qv
