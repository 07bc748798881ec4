#include "app/dispatcher.h"

#include <cstdio>

#include "core/channel_selection.h"
#include "core/commands.h"
#include "core/popups.h"
#include "core/undo.h"
#include "app/dispatch_internal.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "app/menu_bar.h"
#include "core/prefs.h"
#include "plot/close_roads.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

namespace dispatch {

bool fileInUse() { return slotIsOpen(TheFileInUse); }

bool hasBlock() { return fileInUse() && FileSHORTS[TheFileInUse][2] == 2; }

bool multiChannelView() { return fileInUse() && FileSHORTS[TheFileInUse][7] != 0; }

int16_t rememberedChannel(int16_t slot) { return plot::rememberedChannel(slot); }

// The active channel of each file lives in one place, ActiveChannelArray: it is written when
// the file is left (and by every plot drawing) and read when the file comes back.
void switchFileInUse(int16_t slot) {
  const int16_t f = TheFileInUse;
  if (f >= 0 && f < 20 && f != slot && nChannels[f] > 0) ActiveChannelArray[f] = ActiveChannel;
  TheFileInUse = slot;
}

namespace {

// Commands that make sense while no file is open (at start-up, or after every file was closed).
bool runsWithoutFile(int16_t menu, uint16_t item) {
  switch (menu) {
    case 0: return item == 11;
    case kFileMenu: return item == 1 || item == 21 || item == 999;
    case kImportMenu:
    case kSpecialMenu:
    case kAppMenu:
    case kHelpMenu:
    case kSignificantDigitsMenu: return true;
    case kEditMenu: return item == 37;
    case kScriptMenu: return item == 4 || item == 5;
    default: return false;
  }
}

bool route(int16_t menu, uint16_t item) {
  if (menu < 0) return menu == kHelpMenu && helpMenu(item);
  switch (menu) {
    case 0:
      if (item == 11) quit(0);
      return false;
    case kFileMenu: return fileMenu(item);
    case kEditMenu: return editMenu(item);
    case kAnalyzeMenu: return analyzeMenu(item);
    case kViewMenu: return viewMenu(item);
    case kChannelPopupMenu: return channelPopup(item);
    case kScriptMenu: return scriptMenu(item);
    case kWindowMenu: return windowMenu(item);
    case kSpecialMenu: return specialMenu(item);
    case kGridsMenu: return gridsMenu(item);
    case kScalingActiveMenu: return scalingActiveMenu(item);
    case kChangeRemoveMenu: return changeRemoveMenu(item);
    case kImportMenu: return importMenu(item);
    case kAppendMenu: return appendMenu(item);
    case kRespirometryMenu: return respirometryMenu(item);
    case kAnalysisUtilitiesMenu: return analysisUtilitiesMenu(item);
    case kScalingAllMenu: return scalingAllMenu(item);
    case kSignificantDigitsMenu: return significantDigitsMenu(item);
    case kSendResultsMenu: return sendResultsMenu(item);
    case kCommentsBlocksMenu: return commentsBlocksMenu(item);
    case kMarkersMenu: return markersMenu(item);
    case kCompactMenu: return compactMenu(item);
    case kTimeSeriesMenu: return timeSeriesMenu(item);
    case kAppMenu: return applicationMenu(item);
    default: return false;
  }
}

}  // namespace
}  // namespace dispatch

int16_t DoMENU(int16_t menu, uint16_t item) {
  MENU_or_ToolBar_PICKED = 0;
  bool popup = false;
  // A pick may arrive before the first file is open (the start-up window) or after the last
  // one was closed: only the commands that need no file run then.
  if (dispatch::fileInUse() || dispatch::runsWithoutFile(menu, item)) popup = dispatch::route(menu, item);
  if (popup && dispatch::fileInUse()) MakeChannelSelectionsPopUp();
  if (rt::outputWindow()) rt::colorNumber(7);
  MenuIDENTIFIER = 0;
  rt::FlushEvents();
  return 0;
}

void HANDLEMENU() {
  rt::setCursor(rt::Cursor::Arrow);
  DoMENU(int16_t(rt::menuNumber()), uint16_t(rt::menuItemNumber()));
  action = eventID = 0;
  rt::FlushEvents();
}

void StartupMenuHandler() { DoMENU(int16_t(rt::menuNumber()), uint16_t(rt::menuItemNumber())); }

std::string DurationText(double seconds) {
  double v = seconds;
  const char* unit = " sec";
  if (v >= 120) {
    v /= 60;
    unit = " min";
    if (v > 120) {
      v /= 60;
      unit = " hr";
      if (v > 24) {
        v /= 24;
        unit = " days";
      }
    }
  }
  std::string text = rt::PSstr(v);
  if (text.size() >= 8) text.resize(7);
  return text + unit;
}

}  // namespace qv
