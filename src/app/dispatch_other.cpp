// The Script, Window, Special, application and Help menus.
#include "app/shell_hooks.h"
#include "calculators/commands.h"
#include "app/about.h"
#include "core/channel_selection.h"
#include "core/commands.h"
#include "core/popups.h"
#include "core/undo.h"
#include "app/dispatch_internal.h"
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "app/menu_bar.h"
#include "plot/menu_rules.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "scripts/commands.h"
#include "scripts/script_steps.h"
#include "core/script_state.h"
#include "thermoreg/commands.h"
#include "transforms/commands.h"

namespace qv::dispatch {

namespace {

int16_t channelsOfFileInUse() { return fileInUse() ? nChannels[TheFileInUse] : 0; }

void runScript(uint16_t item) {
  RunScript = 1;
  upvip();
  ScriptRunOnce = item == 8 ? 1 : item == 9 ? 0 : 100;
  for (int16_t i = 8; i <= 10; ++i) FBMenu(kScriptMenu, i, i == int16_t(item) ? 2 : 1);
  if (multiChannelView()) {
    FileSHORTS[TheFileInUse][7] = 0;
    ActiveChannel = 1;
    FindMinMax();
    DrawPlot(0, 0, 0, 1);
  } else {
    DRAWTIMEDATE();
  }
}

}  // namespace

bool scriptMenu(uint16_t item) {
  switch (item) {
    case 1:
      InitialNumberOfScriptOperationChannels = channelsOfFileInUse();
      FBMenu(kScriptMenu, 1, 0);
      playIfSoundsOn("longclick.mp3");
      RecordSCRIPT = 1;
      RunScript = 0;
      // A loaded or replayed script leaves ScriptCOUNT at 0: its steps tell whether one exists.
      if (scriptExists()) CheckScriptRecording();
      else ScriptCOUNT = 0;
      if (!RecordSCRIPT) FBMenu(kScriptMenu, 1, 1);
      DRAWTIMEDATE();
      break;
    case 2: {
      FBMenu(kScriptMenu, 1, 1);
      playIfSoundsOn("longclick.mp3");
      PlotForward();
      const int w = 1000 + TheFileInUse;
      if (rt::controlExistsIn(w, 52)) {
        rt::setOutputWindow(w);
        rt::removeControl(52);
      }
      FBMenu(kScriptMenu, 8, 2);
      FBMenu(kScriptMenu, 9, 1);
      FBMenu(kScriptMenu, 10, 1);
      FBMenu(kScriptMenu, 6, 1);
      ArmScriptForEveryFile();
      DRAWTIMEDATE();
      break;
    }
    case 4:
      if (!LoadScriptFromFile()) break;
      InitialNumberOfScriptOperationChannels = channelsOfFileInUse();
      if (fileInUse()) RefreshSCREEN();
      ScriptRunOnce = 0;
      VIEWSCRIPT();
      break;
    case 5: VIEWSCRIPT(); break;
    case 6:
      SaveSCRIPTtoFile();
      RefreshSCREEN();
      break;
    case 8:
    case 9:
    case 10: runScript(item); break;
    case 12:
      RunScript = 0;
      for (int16_t i = 8; i <= 10; ++i) FBMenu(kScriptMenu, i, 1);
      DRAWTIMEDATE();
      FBMenu(kScriptMenu, 12, 2);
      break;
    case 13:
      ClearSCRIPT();
      Rip();
      RunScript = 0;
      FBMenu(kScriptMenu, 1, 1);
      FBMenu(kScriptMenu, 12, 1);
      FBMenu(kScriptMenu, 6, 0);
      for (int16_t i = 8; i <= 10; ++i) FBMenu(kScriptMenu, i, 0);
      DRAWTIMEDATE();
      ScriptRunOnce = 0;
      break;
    case 15:
      TogglePrefs(48);
      if (prefsArray[48]) {
        FBMenu(kScriptMenu, 15, 2);
      } else {
        FBMenu(kScriptMenu, 15, 1);
        wssst();
      }
      break;
    default: break;
  }
  return false;
}

bool windowMenu(uint16_t item) {
  // Item n is the n-th open file in slot order; the count stops at the last file slot.
  const int16_t slot = SlotOfOpenFile(item);
  if (slot < 0) return false;
  for (int16_t i = 1; i <= 20; ++i) FBMenu(kWindowMenu, i, 1);
  FBMenu(kWindowMenu, int16_t(item), 2);
  switchFileInUse(slot);
  rt::bringWindowForward(1000 + slot);
  action = eventID = 0;
  ActiveChannel = rememberedChannel(slot);
  MakeChannelSelectionsPopUp();
  ToolBar();
  DRAWCOMMENTS();
  SETMENU(1);
  if (multiChannelView()) MultiChannelChanSelectWindow(1);
  return false;
}

bool specialMenu(uint16_t item) {
  if (qv::RunCalculator(item)) return false;
  switch (item) {
    case 3: HelpSubject = 204, ExpressionEvaluator(0); break;
    case 17: HelpSubject = 244, ComputeThermoregulationCosts(); break;
    default: break;
  }
  return false;
}

bool applicationMenu(uint16_t item) {
  if (item == kAboutItem) AboutQuorvelant();
  return false;
}

bool helpMenu(uint16_t item) {
  switch (item) {
    case 1:
      HelpSubject = 1;
      OpenHelpBook();
      break;
    case 2:
      HelpSubject = 266;
      OpenHelpBook();
      break;
    case 4: LSLaunchURL(2); break;
    case 5: LSLaunchURL(3); break;
    default: break;
  }
  return false;
}

}  // namespace qv::dispatch

namespace qv {

// A calculator opened over a tool window from the Special menu: the tool window's help subject
// is left as it is.
bool RunCalculatorOverTool(uint16_t item) {
  switch (item) {
    case 1: SIMPLECALC(); break;
    case 2: SimpleRegression(); break;
    case 5: STPflowAdjust(); break;
    case 6: ALTITUDE(); break;
    case 7: AltitudeSimulation(); break;
    case 8: PO2CALC(); break;
    case 9: DissolvedO2CALC(); break;
    case 11: METABOLISM(0); break;
    case 13: ChamberWashout(); break;
    case 14: Q10adjust(); break;
    case 15: ClosedSystemRespirometry(); break;
    case 16: VENTILATION(); break;
    case 19: DayOfTheYear(); break;
    case 20: Sunrise(); break;
    case 21: UnitCONVERSIONS(); break;
    default: return false;
  }
  return true;
}

bool RunCalculator(uint16_t item) {
  switch (item) {
    case 1: HelpSubject = 204, SIMPLECALC(); break;
    case 2: SimpleRegression(); break;
    case 5: HelpSubject = 205, STPflowAdjust(); break;
    case 6: HelpSubject = 206, ALTITUDE(); break;
    case 7: HelpSubject = 206, AltitudeSimulation(); break;
    case 8: HelpSubject = 248, PO2CALC(); break;
    case 9: HelpSubject = 248, DissolvedO2CALC(); break;
    case 11: HelpSubject = 237, METABOLISM(0); break;
    case 12: HelpSubject = 237, METABOLISM(1); break;
    case 13: ChamberWashout(); break;
    case 14: HelpSubject = 249, Q10adjust(); break;
    case 15: HelpSubject = 235, ClosedSystemRespirometry(); break;
    case 16: HelpSubject = 236, VENTILATION(); break;
    case 19: HelpSubject = 237, DayOfTheYear(); break;
    case 20: HelpSubject = 247, Sunrise(); break;
    case 21: HelpSubject = 237, UnitCONVERSIONS(); break;
    default: return false;
  }
  return true;
}

}  // namespace qv
