// Every request to open a file (File > Open, Import, a replayed script step, the start-up
// chooser, the last-file question) comes here: the load itself, then the plot window of the
// new file with its menus, or the previous file back in front when nothing was loaded.
#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menus.h"
#include "core/notices.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "datafiles/datafiles.h"
#include "datafiles/format_detect.h"
#include "datafiles/load_windows.h"
#include "datafiles/open_road.h"
#include "core/open_rules.h"
#include "core/results_scaling.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"
#include "core/script_recorder.h"
#include "core/script_state.h"

namespace qv {

namespace {

constexpr int16_t kOpenFileStep = 33;
constexpr int kScriptStepField = 52;

bool plotWindowOf(int f) { return rt::windowExists(1000 + f); }

void checkScaleItem(int16_t menu) {
  const int16_t checked = ScaleMode == 0 ? 1 : ScaleMode == 1 ? 2 : 3;
  for (int16_t i = 1; i <= 3; ++i) FBMenu(menu, i, i == checked ? 2 : 1);
}

void menusForLoadedFile(int f) {
  FBMenu(kCommentsBlocksMenu, 1, prefsArray[2] == 0 ? 2 : 1);
  FBMenu(kMarkersMenu, 1, FileSHORTS[f][kMarkerCountWord] == 0 ? 0 : prefsArray[10] == 1 ? 2 : 1);
  checkScaleItem(kScalingActiveMenu);
  checkScaleItem(kScalingAllMenu);
  FBMenu(kViewMenu, 13, nChannels[f] == 1 ? 0 : 1);
  FBMenu(kViewMenu, 12, 1, nChannels[f] == 1 ? "Full Screen..." : "Show Multiple Channels...");
}

// Recording a script ends with the step that opens a file: the script is then armed to run
// on this file and every file opened after it.
void recordOpenStep() {
  if (!RecordScriptStep(kOpenFileStep, {float(TypeOfFile)})) return;
  if (prefsArray[7] && !prefsArray[48]) PlaySound("longclick.mp3");
  const int f = TheFileInUse;
  if (f >= 0 && f < kMaxOpenFiles && plotWindowOf(f)) {
    rt::bringWindowForward(1000 + f);
    rt::removeControl(kScriptStepField);
  }
  for (int16_t item : {6, 8, 9}) FBMenu(kScriptMenu, item, 1);
  ArmScriptForEveryFile();
  ScriptCOUNT = 0;
  DRAWTIMEDATE();
}

}  // namespace

void ShowPreviousFileAgain() {
  Cancel_Open = 1;
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  if (plotWindowOf(f)) {
    rt::bringWindowForward(1000 + f);
    rt::setOutputWindow(1000 + f);
  }
  if (TypeOfFile != kTypeRefused) RefreshSCREEN();
  MakeChannelSelectionsPopUp();
  if (nCases[f] > ScreenWidth) MakeSlider();
}

void SetUpLoadedFile() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  ActiveChannel = 1;
  chanB = 1;
  FileSHORTS[f][kZoomedWord] = 0;
  Cancel_Open = 0;
  if (FileSHORTS[f][kPlotWindowWord] == 0) DrawMAINWINDOW(0, 0);
  BaseLineButton = 0;
  action = eventID = 0;
  for (int c = 1; c <= kMaxChannels; ++c) scalingFactorArray[c][4] = float(DefaultScaleMode);
  MakeChannelSelectionsPopUp();
  BeginBlock.inUse() = 0;
  EndBlock.inUse() = 0;
  FileSHORTS[f][kBlockLeftWord] = FileSHORTS[f][kBlockRightWord] = 0;
  NoUndoChange = 0;
  menusForLoadedFile(f);

  rt::backColor(gray);
  rt::closeWindow(kLoadingWindow);
  if (nCases[f] < 10001 || FileSHORTS[f][kViewModeWord] != 0) rt::closeWindow(16);
  FileSHORTS[f][kBlockStateWord] = 0;
  rt::closeWindow(17);
  rt::closeWindow(2);
  OPENBLOCKWINDOW();
  for (int w : {4, 6, 41}) rt::closeWindow(w);
  rt::bringWindowForward(1000 + f);
  rt::setOutputWindow(1000 + f);
  if (screenSegmentsOffered(nCases[f], ScreenWidth)) {
    FBMenu(kGridsMenu, 4, 1);
    prefsArray[12] = 0;
  }
  if (FileSHORTS[f][kViewModeWord] != 0) {
    // The preferences brought the file up in strips: the user says which channels to show.
    // A new file has no strips chosen yet: offer every channel, as the standard view shows.
    bool anyShown = false;
    for (int c = 1; c <= nChannels[f]; ++c) anyShown = anyShown || overlayFlag(f, 1, c) != 0;
    if (!anyShown)
      for (int c = 1; c <= nChannels[f]; ++c) overlayFlag(f, 1, c) = 1;
    ChannelSelectControlFlag = 1;
    SELECTCHANNELS("Select Channels to Display", 0, kSelectKeepFlags, 0, kModeDisplay);
    if (CustomScreenPlot) ChangeCHARTHITE(1);
    DrawALLCHANNELS(0);
    DRAWCOMMENTS();
    FBMenu(kViewMenu, 13, 1);
  } else {
    DrawPlot(0, 0, 1, 1);
  }
  ABu = automaticBlockPixels(ABunit, Xstep, ScreenWidth, nCases[f]);
  oldNchan = nChannels[f];
  const int16_t append = appendAllowed(nCases[f]) ? 1 : 0;
  FBMenu(kAppendMenu, 1, append);
  FBMenu(kAppendMenu, 2, append);
  if (nCases[f] > ScreenWidth) MakeSlider();
}

int16_t LoadIntoNewSlot(int16_t fromFinder) {
  const int16_t previous = TheFileInUse;
  const int16_t keptActive = ActiveChannel, keptBlock = chanB;
  if (slotIsOpen(previous)) originalSinterval = FileInfoFLOATS[previous][1];
  const int16_t result = GETDATAFILE(fromFinder);
  if (result != 0 || TypeOfFile == kTypeRefused) {
    // The file in use is the one before, unless the close chooser closed it.
    if (TheFileInUse == previous) {
      ActiveChannel = keptActive;
      chanB = keptBlock;
    }
    ShowPreviousFileAgain();
    return result != 0 ? result : 1;
  }
  if (slotIsOpen(previous) && previous != TheFileInUse) ActiveChannelArray[previous] = keptActive;
  SetUpLoadedFile();
  return 0;
}

int16_t LOADFILE(int16_t fromFinder) {
  if (TheFileInUse < 0) TheFileInUse = 0;
  rt::closeWindow(11);
  parse = 0;
  rt::setCursor(rt::Cursor::Arrow);
  ButtonsAreON = 0;
  int16_t result = 1;
  switch (TypeOfFile) {
    case 4:
    case 5:
    case 7: result = LoadIntoNewSlot(fromFinder); break;
    case 3:
      result = LoadIntoNewSlot(fromFinder);
      if (result == 0) EditFileData(0);
      break;
    default: break;
  }
  TypeOfFile = 0;
  return result;
}

int16_t FILELOADING() {
  // A merge is no open to replay: it records no step.
  if (RecordSCRIPT && ScriptCOUNT < 41 && !MergeThisFile && isOpeningType(TypeOfFile)) recordOpenStep();
  const int16_t requested = TypeOfFile;
  if (requested >= 1 && requested <= 7) {
    if (LOADFILE(0) == 0 && requested == 4) LABELwarn();
  }
  MergeThisFile = appendONLY = stackONLY = 0;
  TypeOfFile = 0;
  return 0;
}

}  // namespace qv
