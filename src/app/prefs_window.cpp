// The preferences window: the tab control and fixed buttons, the event loop, and the steps of
// closing it.
#include <string>

#include "app/dispatcher.h"
#include "core/help.h"
#include "app/menu_bar.h"
#include "app/prefs_window.h"
#include "core/color_dialog.h"
#include "core/commands.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/images.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/prefs_controls.h"
#include "core/prefs_file.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/warning.h"
#include "plot/plot.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int16_t kHelpButton = 334, kExport = 340, kImport = 341, kStore = 332, kDone = 333, kPlotStyle = 335;
constexpr int16_t kHelpOfPage[5] = {0, 261, 263, 262, 264};

// The plot window of the file in use, when an open file has one (0 otherwise): from the
// start-up chooser there is none, and nothing may be drawn for a slot without a file.
int openPlotWindow() {
  const int f = TheFileInUse;
  return slotIsOpen(f) && rt::windowExists(1000 + f) ? 1000 + f : 0;
}

void drawGears() {
  rt::setOutputWindow(kPrefsWindow);
  DrawThisImage(CreateCGImageFromBundleResource("DUdoderi", "gears.png"), 10, 5, 100, 83);
}

void buildWindow() {
  BuildWINDOW(kPrefsWindow, "User Preferences", 10, 90, 640, 460, 6);
  rt::FBTabControl(kPrefsTabs, {"Appearance, Sounds", " Fonts, Plots ", "File Handling", " Operations "},
                   {110, 8, 620, 34}, 1);
  rt::FBButton(kHelpButton, 1, "?", {130, 343, 165, 363}, 1);
  rt::FBButton(kExport, 1, "Export", {180, 343, 280, 363}, 1);
  rt::FBButton(kImport, 1, "Import...", {290, 343, 390, 363}, 1);
  rt::FBButton(kStore, 1, "Store Preferences", {405, 343, 530, 363}, 1);
  rt::FBButton(kDone, 1, "Done", {540, 343, 615, 363}, 4);
}

void wait50ms() { rt::waitUntilTick(rt::TickCount() + 3); }

// The plot window's markers button and the Markers menu item show prefsArray[10].
void showMarkersChoice() {
  const bool shown = prefsArray[10] == 1;
  FBMenu(kMarkersMenu, 1, shown ? 2 : 1);
  const int w = openPlotWindow();
  if (!w || !rt::controlExistsIn(w, 332)) return;
  const int saved = rt::outputWindow();
  rt::setOutputWindow(w);
  rt::setControlTitle(332, shown ? "Hide Markers" : "Show Markers");
  if (rt::windowExists(saved)) rt::setOutputWindow(saved);
}

// The View menu's switches that an imported record replaces.
void showImportedSwitches() {
  showMarkersChoice();
  FBMenu(kGridsMenu, 1, prefsArray[11] ? 2 : 1);
  FBMenu(kGridsMenu, 2, prefsArray[13] ? 2 : 1);
  FBMenu(kGridsMenu, 4, prefsArray[12] ? 2 : 1);
  FBMenu(kGridsMenu, 5, prefsArray[19] ? 2 : 1);
  FBMenu(kCommentsBlocksMenu, 1, prefsArray[2] ? 2 : 1);
}

void redrawPlotOfFileInUse() {
  const int w = openPlotWindow();
  if (!w) return;
  rt::setOutputWindow(w);
  if (FileSHORTS[TheFileInUse][kViewModeWord] != 0) DrawALLCHANNELS(0);
  else DrawPlot(0, 0, 0, 1);
}

void importSettings() {
  GetSettings(1);
  redrawPlotOfFileInUse();
  showImportedSwitches();
  rt::bringWindowForward(kPrefsWindow);
  rt::setOutputWindow(kPrefsWindow);
}

// "Plot Style...": the colour dialog, then the plot in the colours it left.
void plotStyles() {
  const int16_t changed = SETCOLORS();
  if (changed && openPlotWindow()) {
    const int f = TheFileInUse;
    if (FileSHORTS[f][2] == 2) DrawBLOCK();
    PlotForward();
    if (FileSHORTS[f][kViewModeWord] != 0) {
      DrawALLCHANNELS(0);
      RefreshPLOTBLOCK(0);
    } else {
      DrawPlot(0, 0, 0, 1);
    }
  }
  rt::bringWindowForward(kPrefsWindow);
  rt::setOutputWindow(kPrefsWindow);
}

void showPage(int16_t page) {
  for (int id : {kPlotStyle, int16_t(300), int16_t(301)}) rt::removeControl(id);
  DRAWPREFERENCEBUTTONS(page);
}

// A page control: its setting first, then what the window does about it.
void pageControl(int id) {
  switch (ApplyPreferenceControl(id)) {
    case PrefsFollowUp::NormalSounds:
      wsst();
      bup();
      break;
    case PrefsFollowUp::StrangeSounds:
      wait50ms();
      playIfSoundsOn("skid.mp3");
      scream();
      break;
    case PrefsFollowUp::BlockBeep:
      wait50ms();
      playIfSoundsOn("lobeep.mp3");
      break;
    case PrefsFollowUp::FrontAgain: rt::bringWindowForward(kPrefsWindow); break;
    case PrefsFollowUp::QuartzWarning: QuartzWarning(); break;
    case PrefsFollowUp::SpreadsheetWarning: xlsFileWarning(); break;
    case PrefsFollowUp::RedrawSample: PrintExampleWindowLabels(); break;
    case PrefsFollowUp::TextFont: {
      const std::string name = ChooseTextFont(id);
      if (rt::controlExists(105)) rt::setControlTitle(105, name + "     (best; available on all systems) ");
      break;
    }
    case PrefsFollowUp::MarkersChanged:
    case PrefsFollowUp::None:
    case PrefsFollowUp::NotAPageControl: break;
  }
}

// Leaving: the markers of the plot brought into line with the default the user left.
void applyMarkersDefault() {
  const int w = openPlotWindow();
  if (prefsArray[10] == 1) {
    if (w) {
      PlotForward();
      if (FileSHORTS[TheFileInUse][5] > 0) DRAWMARKERS(0, 1);
    }
  } else if (w) {
    RefreshSCREEN();
  }
  showMarkersChoice();
}

}  // namespace

void SETPREFERENCES() {
  SavedHandlers savedHandlers;
  HideTheToolBar();
  buildWindow();
  int16_t page = 1;
  DRAWPREFERENCEBUTTONS(page);
  SetThePreferenceButtons();
  drawGears();
  installModalHandlers();
  action = eventID = 0;
  bool markersChanged = false;
  bool done = false;
  while (!done) {
    do {
      rt::FBHandleEvents();
    } while (action == 0 && !gQuitPending);
    // Quit chosen meanwhile ends the window as Done; the main loop then quits.
    if (gQuitPending) break;
    rt::setOutputWindow(kPrefsWindow);
    const int id = eventID;
    if (action == 4 && id == kPrefsWindow) {
      done = true;
    } else if (action == 1) {
      switch (id) {
        case kPrefsTabs:
          page = int16_t(rt::controlValue(kPrefsTabs));
          showPage(page);
          break;
        case kHelpButton:
          HelpSubject = kHelpOfPage[page >= 1 && page <= 4 ? page : 1];
          OpenHelpBook();
          rt::bringWindowForward(kPrefsWindow);
          break;
        case kStore: SaveSettings(0); break;
        case kExport: SaveSettings(1); break;
        case kImport: importSettings(); break;
        case kDone: done = true; break;
        case kPlotStyle: plotStyles(); break;
        default:
          if (id == 27 || id == 28) markersChanged = true;
          pageControl(id);
          break;
      }
    }
    if (!done && rt::windowExists(kPrefsWindow)) {
      rt::setOutputWindow(kPrefsWindow);
      SetThePreferenceButtons();
      drawGears();
    }
    action = eventID = 0;
  }
  rt::FlushEvents();
  playIfSoundsOn("piiing.mp3");
  rt::closeWindow(kPrefsWindow);
  if (markersChanged) applyMarkersDefault();
  RestoreTheToolBar();
}

void xlsFileWarning() {
  WarningSpec s;
  s.window = 212;
  s.title = "Excel format warning";
  s.heading = "Caution: ";
  // The three sentences, broken to the window's width.
  s.lines = {"Kestrix tab-delimited files with the extension '.xls'  may",
             "be flagged as suspicious by Excel (since they do not use",
             "standard Excel binary format).    If so, you may get a",
             "warning message when you open these files, which you can",
             "ignore.",
             "Comma-separated files (.csv) do not have this issue."};
  s.buttons = {"Close"};
  s.sound = "bzot.mp3";
  s.left = 100;
  s.top = 200;
  s.width = 495;
  s.endsOnWindowClick = true;
  ShowWarning(s);
  rt::setOutputWindow(kPrefsWindow);
}

void QuartzWarning() {
  WarningSpec s;
  s.window = 212;
  s.title = "Drawing Speed Warning";
  s.heading = "Caution: ";
  s.lines = {"Quartz-only drawing will be a little", " slow for big files ( > 2 million samples)"};
  s.buttons = {};
  s.sound = "bzot.mp3";
  s.left = 150;
  s.top = 200;
  s.width = 395;
  s.endsOnWindowClick = true;
  ShowWarning(s);
  rt::setOutputWindow(kPrefsWindow);
}

}  // namespace qv
