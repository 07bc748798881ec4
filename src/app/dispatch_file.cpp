// The File menu and its submenus, and Quit.
#include <string>

#include "app/chooser.h"
#include "core/colors.h"
#include "app/dispatch_internal.h"
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "app/menu_bar.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "datafiles/datafiles.h"
#include "core/unsaved_changes.h"
#include "output/commands.h"
#include "core/output_state.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/app.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv::dispatch {

namespace {

// The open road changes the set of open files: the Window menu follows.
void openRoad() {
  FILELOADING();
  FIxWINDOWSmenu();
}

// Asks about one changed file, with that file in use and its plot window in front. False
// when the Quit is to stop here (Cancel, or a save that did not go through). A save of only
// part of the file leaves changes unsaved: the question comes again.
bool mayQuitLeaving(int16_t slot) {
  switchFileInUse(slot);
  ActiveChannel = rememberedChannel(slot);
  PlotForward();
  for (;;) {
    const CheckDumpAnswer answer = CHECKDUMP(slot);
    if (answer == CheckDumpAnswer::DontSave) return true;
    if (answer != CheckDumpAnswer::Save) return false;
    const SaveResult saved = SAVEDATAFILE(1, 0, 0);
    if (saved != SaveResult::Partial) return saved == SaveResult::Saved;
  }
}

// "Data Output": says where results go and how to send them; it goes away by itself.
void dataOutputNotice(const std::string& name) {
  BuildWINDOW(15, "Data Output", 55, 110, 485, 215, 262);
  WARNINGSTRIPES(1, 10, 33, 5);
  DrawIcon(129, 20, 40);
  SetTextStyle(KestrixFont, 16, 0);
  rt::foreColor(RGBblack);
  PrintAt(65, 35, "Results will be sent to a  ");
  rt::foreColor(RGBblue);
  rt::drawString(name);
  rt::foreColor(RGBblack);
  SetTextStyle(KestrixFont, 13, 0);
  PrintAt(65, 58, "To save results, hit the 'p' key");
  PrintAt(65, 76, "or click the 'print' button");
  rt::FBButton(1, 1, "Proceed", {330, 70, 420, 92}, 4);
  playIfSoundsOn("brrrp.mp3");
  const uint32_t deadline = rt::TickCount() + 240;
  if (rt::script::active()) {
    // Scripted runs do not wait on the clock; the notice closes at its deadline.
    rt::waitUntilTick(deadline);
  } else {
    installModalHandlers();
    action = eventID = 0;
    while (rt::TickCount() < deadline) {
      rt::FBHandleEvents();
      if (action == 1 || action == 3 || action == 4 || action == 16) break;
    }
  }
  action = eventID = 0;
  rt::closeWindow(15);
}

}  // namespace

void quit(int16_t menu) {
  gQuitPending = false;
  // Every open file with unsaved changes is offered for saving, each in front in its turn.
  for (int16_t s = 0; s < 20; ++s) {
    if (nCases[s] <= 0 || nChannels[s] <= 0 || FileSHORTS[s][10] == 0) continue;
    if (!mayQuitLeaving(s)) {
      if (menu == 0) RefreshSCREEN();
      return;
    }
  }
  rt::closeWindow(41);
  if (menu == kFileMenu) KillMCHpictures(0);
  rt::exitProgram(0);
}

bool fileMenu(uint16_t item) {
  const int16_t f = TheFileInUse;
  switch (item) {
    case 1:
      TypeOfFile = 5;
      openRoad();
      return false;
    case 6:
    case 7: {
      if (item == 7) EndBeep();
      const int16_t keptChannel = ActiveChannel;
      const int32_t keptCases = nCases[f];
      SAVEDATAFILE(item == 7 ? 1 : 0, item == 6 ? 1 : 0, 0);
      ActiveChannel = keptChannel;
      nCases[f] = keptCases;
      if (item == 7) rt::closeWindow(5);
      RestoreWindowName();
      if (item == 7) SaveAsBigENDIAN = 0;
      return false;
    }
    case 8: ExportBlockData(); return false;
    case 10:
      CloseThisPlotWindow(f);
      FIxWINDOWSmenu();
      return false;
    case 11:
      SelectWhichFileToClose();
      FIxWINDOWSmenu();
      return false;
    case 13: FILEINFO("", "", "", 1); return false;
    case 15: SCREENIMAGE(1); return false;
    case 17:
    case 18: DRAFTPRINT(" "); return false;
    case 19:
      SendTextToPrinter();
      // The route is closed: nothing is left to output. The Send Results To: submenu stays
      // reachable so that a new route can be chosen.
      FBMenu(kFileMenu, 18, 0);
      return false;
    case 21: quit(kFileMenu); return false;
    case 999: openRoad(); return false;
    default: return false;
  }
}

bool importMenu(uint16_t item) {
  if (item < 1 || item > 3) return false;
  MergeThisFile = 0;
  TypeOfFile = item == 1 ? 7 : item == 2 ? 3 : 4;
  openRoad();
  return false;
}

bool appendMenu(uint16_t item) {
  if (item == 5) {
    AdjustTimeScale();
    return false;
  }
  if (item < 1 || item > 3) return false;
  MergeThisFile = 1;
  TypeOfFile = item == 1 ? 5 : item == 2 ? 4 : 7;
  openRoad();
  return false;
}

bool sendResultsMenu(uint16_t item) {
  if (item < 1 || item > 3) return false;
  // The menus keep a second choice out while a route is open; a choice queued before the
  // route opened must not empty the file that now holds its reports either.
  if (RouteIsOpen()) return false;
  static const int16_t route[4] = {0, 6, 5, 4};
  static const char* const name[4] = {"", "printer file", "Spreadsheet", "text file"};
  PortForResultsOutput = route[item];
  if (fileInUse()) FBMenu(kFileMenu, 17, 1);
  const int16_t opened = OPEN_OUTPUT_PORT();
  SetRouteMenus();
  if (opened != 0 && *name[item]) dataOutputNotice(name[item]);
  RestoreTheToolBar();
  return false;
}

}  // namespace qv::dispatch
