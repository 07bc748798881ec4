#include "app/startup.h"

#include <random>

#include "app/shell_hooks.h"
#include "calculators/commands.h"
#include "app/chooser.h"
#include "core/random.h"
#include "core/colors.h"
#include "core/channel_selection.h"
#include "core/commands.h"
#include "core/popups.h"
#include "core/undo.h"
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "app/menu_bar.h"
#include "core/cursors.h"
#include "plot/menu_rules.h"
#include "core/prefs_file.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/splash.h"
#include "core/text_constants.h"
#include "core/text_format.h"
#include "datafiles/datafiles.h"
#include "editing/commands.h"
#include "output/commands.h"
#include "core/output_state.h"
#include "core/results_scaling.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "respirometry/gas_settings.h"
#include "rhythm/commands.h"
#include "runtime/app.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/menus.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "scripts/commands.h"
#include "core/script_state.h"
#include "stats/commands.h"
#include "scripts/replay_table.h"
#include "core/stats_state.h"
#include "thermoreg/commands.h"
#include "transforms/commands.h"

namespace qv {

namespace {

constexpr uint32_t kAnimationTicks = 600;  // 10 s
constexpr uint32_t kFlyStepTicks = 3;


void prefsDefaults() {
  prefsArray[7] = 60;
  prefsArray[8] = 14;
  for (int i : {6, 9, 10, 11, 13, 15, 16, 18, 19, 20, 21, 22, 23, 24, 25, 28, 29, 30, 31, 32, 34, 44, 46, 47, 57, 59,
                60, 61, 62, 72, 75})
    prefsArray[i] = 1;
  for (int i : {2, 12, 14, 17, 26, 27, 33, 35, 36, 37, 43, 53, 56}) prefsArray[i] = 0;
  // This system's version; [68] marks a system that shows the image cross cursor (ours does).
  prefsArray[67] = int16_t(rt::systemVersionNumber());
  prefsArray[68] = 1;
}

void settingDefaults() {
  FiO2 = 20.95f, FiCO2 = 0.038f, RQ = 0.85f;
  realBP = 760.0f;
  compRH = 20.0f, RHtemperature = 37.5f;
  flowconO = 20.1f, flowconC = 25.0f;
  salinity = 2.0f;
  FlowMode = 1;
  DryAir = AbsorbCO2upstream = oH2O = 1;
  ResetGasExchangeSettings();
  WaterSystem = DoConstantVolume = AbsoluteUnits = WaterUnits = MassUnit = 0;
  blockvalue = ibase = parse = 0;
  startRH = 0.0f;
  ScaleMode = DefaultScaleMode = 2;
  SignificantFigures = 5;
  rt::gFBFloatMaxDigits = 5;
  PolyDegree = 2;
  SteppedSampleInterval = 60.0f, SteppedSampleSkip = 180.0f;
  IntegrationUnit = 66, IntegrationMode = 54;
  FrequencyUnit = 6;
  FirstRefRemovalVal = SecondRefRemovalVal = 10;
  ToolBarBackground = 14;
  WindowTitleFont = 0;
  PortForResultsOutput = 0;
  SEP = CustomPlot = PlotAsHistogram = deltatime = tabTime = tabmass = tabStart = tabChan = 0;
  tabMode = OpenAsk = click = MultiHist = DumpHist = MultiChanSelectorWindow = TimeGridLimit = 1;
  MergeFileCommentHandling = 2;
  RecordSCRIPT = ScriptRunOnce = ScriptIsLoaded = ScanNewSelectedChannel = ButtonsAreON = BlockWindowIsOpen =
      EditFieldWasSelected = FinishedWithSound = 0;
  CalculationsCanUseTorpor = variableTb = variableConductance = ZeroEqualsMissingTemperatures = replacementTb =
      SunUseAllowed = dayActive = UseTorpor = 1;
  ComputeDawnAndDusk = ActiveTimeCostsOnly = BMRinWatts = 0;
  DaytimeStart = 6.0f, DaytimeEnd = 18.0f;
  TorporQ10 = 2.2f, TorporEntryTime = 2.0f, MinimumTorporTb = 12.0f;
}

// The menus as they are while no file is open yet.
void startupMenus() {
  for (int16_t i = 4; i <= 15; ++i) FBMenu(kFileMenu, i, 0);
  FBMenu(kFileMenu, 18, 1);
  for (int16_t m = 2; m <= 5; ++m)
    if (rt::menuExists(m)) FBMenu(m, 0, 0);
  for (int16_t i = 1; i <= 14; ++i) FBMenu(kScriptMenu, i, 0);
  FBMenu(kScriptMenu, 4, 1);
}

bool fileInUseHasCases(int32_t atLeast) { return slotIsOpen(TheFileInUse) && nCases[TheFileInUse] >= atLeast; }

// A first file too short to work with is given back before the user chooses again.
void discardShortFile() {
  const int f = TheFileInUse;
  if (f < 0 || f >= 20 || nCases[f] == 0) return;
  FreeFileSlot(f);
  nChannels[f] = 0;
  rt::closeWindow(1000 + f);
  FIxWINDOWSmenu();
}

void waitWhileSoundPlays() {
  while (rt::soundIsPlaying() && !rt::Button()) rt::refreshPump();
}

void flyAnimation(bool firstPass) {
  if (rt::soundIsPlaying()) return;
  rt::waitUntilTick(rt::TickCount() + 5);  // 83 ms
  StartTheFlies(0);
  rt::FlushEvents();
  action = eventID = 0;
  const uint32_t end = rt::TickCount() + kAnimationTicks;
  while (!rt::Button() && rt::TickCount() < end) {
    MoveTheFlies(0);
    rt::FlushEvents();
    action = eventID = 0;
    if (!rt::soundIsPlaying() && prefsArray[7]) {
      static const char* const kBuzz[4] = {"shortflies.mp3", "shortflies2.mp3", "shortflies3.mp3", "shortflies4.mp3"};
      const int r = randomIn(1, 6);
      if (r <= 4) rt::playSound(kBuzz[r - 1]);
    }
    rt::waitUntilTick(rt::TickCount() + kFlyStepTicks);
  }
  StopTheFlies();
  rt::closeWindow(kFlyWindow);
  rt::closeWindow(kSplashBackWindow);
  rt::bringWindowForward(kSplashWindow);
  if (firstPass && prefsArray[7] > 0 && prefsArray[73]) {
    rt::playSound("KixSound.mp3");
    while (rt::soundIsPlaying()) rt::refreshPump();
  }
}

// Shows the chooser until the user's choice opened a file (or the user quit).
void chooseAndLoad() {
  FBMenu(kSpecialMenu, 3, 0);
  MergeThisFile = 0;
  do {
    rt::refreshPump();
    SelectFileTYPE(1, 150, 358, 0, 1);
    if (prefsArray[64] == 3) {
      rt::closeWindow(kChooserWindow);
      SETPREFERENCES();
      prefsArray[64] = 0;
    }
    DefaultNameStem = eventID == 1 ? "" : "data";
    switch (TypeOfFile) {
      case 1:
      case 3:
      case 5:
      case 7: LOADFILE(0); break;
      case 4:
        if (LOADFILE(0) == 0) LABELwarn();
        break;
      default: break;
    }
    // Documents handed over while the chooser or the load's windows were up.
    if (DocumentsWaiting()) OpenHandedOverDocuments();
  } while (!fileInUseHasCases(1));
}

void startupLoop() {
  bool firstPass = true;
  for (;;) {
    FirstDoubleclickLoad = 1;
    // Documents handed over while a start-up warning held the program (a damaged preferences
    // file) open now, as they would have without it, before any chooser.
    if (!fileInUseHasCases(1) && DocumentsWaiting()) OpenHandedOverDocuments();
    if (!fileInUseHasCases(1)) {
      FirstDoubleclickLoad = 0;
      rt::flushWindow(rt::outputWindow());
      rt::refreshPump();
      if (FinishedWithSound == 0) {
        if (prefsArray[7] == 0) {
          rt::playSound("wsst.mp3");
        } else if (prefsArray[73]) {
          rt::playSound("whipbird.mp3");
          rt::waitUntilTick(rt::TickCount() + 240);  // 4,000 ms
        }
      }
      FinishedWithSound = 1;
      action = MenuIDENTIFIER = 0;
      FBMenu(kViewMenu, 0, 0);
      rt::colorNumber(7);
      waitWhileSoundPlays();
      rt::setHandler(rt::Vector::Menu, StartupMenuHandler);
      rt::setHandler(rt::Vector::Mouse, MOUSECLICK);
      rt::setHandler(rt::Vector::Dialog, DoDIALOG);
      flyAnimation(firstPass);
      firstPass = false;
      chooseAndLoad();
    }
    if (fileInUseHasCases(2)) return;
    discardShortFile();
  }
}

// The menus and windows once the first file is open.
void firstFileMenus() {
  const int f = TheFileInUse;
  CloseSplashScreen();
  SetCrossCursor();
  for (int16_t m = 1; m <= 6; ++m)
    if (rt::menuExists(m)) FBMenu(m, 0, 1);
  for (int16_t i = 4; i <= 15; ++i) FBMenu(kFileMenu, i, 1);
  FIxWINDOWSmenu();
  FBMenu(kFileMenu, 17, 1);
  for (int16_t i = 1; i <= 14; ++i) FBMenu(kScriptMenu, i, 1);
  if (FileSHORTS[f][5] == 0) FBMenu(kMarkersMenu, 1, 0);
  if (FileSHORTS[f][7]) FBMenu(kViewMenu, 12, 1);
  if (nChannels[f] == 1) {
    FBMenu(kViewMenu, 9, 0);
    FBMenu(kViewMenu, 12, 4, "Full screen");
  } else {
    FBMenu(kViewMenu, 9, 1);
    FBMenu(kViewMenu, 12, 4, "Show multiple channels...");
  }
  FBMenu(kCommentsBlocksMenu, 1, prefsArray[2] == 0 ? 2 : 1);
  if (rt::windowExists(1000 + f)) {
    rt::windowShowsMenuBar(1000 + f, true);
    rt::bringWindowForward(1000 + f);
  }
  SETMENU(1);
  ColorSet();
  if (ScriptIsLoaded) {
    FBMenu(kScriptMenu, 8, 1);
    FBMenu(kScriptMenu, 9, 1);
  }
  rt::FlushEvents();
  for (int i = 0; i < 5; ++i) rt::refreshPump();
  action = eventID = 0;
  FBMenu(kEditMenu, 2, 0);
  FBMenu(kSpecialMenu, 3, 1);
  // Documents handed over while the first ones were opened are left to the main loop.
  FileIconWasClicked = FileHasBeenClicked = DocumentsWaiting() ? 1 : 0;
  if (FileSHORTS[f][5] > 500) prefsArray[10] = 0;
}

}  // namespace

void StartProgram(int argc, char** argv) {
  rt::initRuntime(argc, argv);
  for (int s = 0; s < kSlots; ++s) CFURLarrayMain[s] = CFURLarrayOutput[s] = CFURLarrayLast[s] = "";
  SetColorConstants();
  rt::setHandler(rt::Vector::Documents, MyFinderInfo);
  BuildSpecialCharacters();
  LookUpFonts();
}

void GiveDefaults() {
  prefsDefaults();
  ToolBarBackgroundColor = ToolBarBlueGray;
  settingDefaults();
  FileSHORTS[0][3] = FileSHORTS[0][4] = 0;
  TheFileInUse = -1;
  LastBaselineMarker = LastInsertedMarker = 83;
  LastBaselineShift = 0;
  MaxAverageIntervalinDays = 1.0f;
  TemperatureForKPA = 20.0f;
  TempContainer.clear();
  CopperplateFont = int16_t(rt::fontNumber("Copperplate"));
  SetOverlayColors();
  GetSettings(0);
  WindowFont = 8;
  ColorSet();
  note1 = note2 = " ";
  resetResultScaling();
  ch = ActiveChannel = chanB = 1;
  ChannelSelectControlFlag = 1;
  startsize = 0;
  FileSHORTS[0][1] = 1;
  RunScript = 0;
  FileJustLoaded = 0;
  InstallShellHooks();
  MAINMENU();
  startupMenus();
  RegisterReplayOperations();
  DefaultNameStem = "data";
}

void StartupSequence() {
  SplashScreenJPEG();
  rt::refreshPump();
  if (TheFileInUse < 0) TheFileInUse = 0;
  startupLoop();
  firstFileMenus();
  // The main loop's handlers from here on, so that its first pass drops no event (a file
  // handed over during the splash skipped the chooser, which installs handlers of its own).
  rt::setHandler(rt::Vector::Menu, HANDLEMENU);
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
}

void SetDEFAULTS() {
  GiveDefaults();
  StartupSequence();
}

}  // namespace qv
