// Closing a plot window closes its file: unsaved changes are offered for saving, the slot's
// memory is released and another file becomes the file in use. The last file does not just
// vanish: the user quits, loads another file in its place, or keeps it.
#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "plot/menu_rules.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/unsaved_changes.h"
#include "plot/block_support.h"
#include "plot/close_roads.h"
#include "plot/draw_support.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/app.h"
#include "runtime/windows.h"

namespace qv::plot {

int16_t rememberedChannel(int f) {
  if (f < 0 || f >= kMaxOpenFiles) return 1;
  const int16_t c = ActiveChannelArray[f];
  return c >= 1 && c <= nChannels[f] ? c : 1;
}

int16_t blockChannel(int f) {
  const int16_t c = FileSHORTS[f][kBlockChannelWord];
  return c >= 1 && c <= nChannels[f] ? c : 1;
}

// Saves slot f: for the save it is the file in use, with its own channels; the file in use
// and its channels are put back afterwards, whatever the save did.
SaveOutcome saveSlot(int16_t f) {
  const int16_t keepFile = TheFileInUse, keepActive = ActiveChannel, keepBlockChannel = chanB;
  if (f != keepFile) {
    TheFileInUse = f;
    ActiveChannel = rememberedChannel(f);
    chanB = blockChannel(f);
  }
  const SaveOutcome outcome = saveFileInUse();
  TheFileInUse = keepFile;
  ActiveChannel = keepActive;
  chanB = keepBlockChannel;
  return outcome;
}

// The unsaved-changes question for slot f; true when the file may go: nothing to save, "Do
// Not Save", or a save that went through.
bool mayCloseSlot(int16_t f) {
  switch (CHECKDUMP(f)) {
    case CheckDumpAnswer::DontSave: return true;
    case CheckDumpAnswer::Cancel: return false;
    case CheckDumpAnswer::Save: break;
  }
  return saveSlot(f) == SaveOutcome::Saved;
}

// Closes the window and releases everything the slot holds for the file, so that a file
// loaded into it later starts with no block, zoom, strips or compacted data of this one.
void releaseSlot(int16_t f) {
  rt::closeWindow(plot::kPlotWindowBase + f);
  FreeFileSlot(f);
  for (int c = 1; c <= kMaxChannels; ++c) overlayFlag(f, 1, c) = 0;
  FileSHORTS[f][kBlockStateWord] = 0;
  FileSHORTS[f][kZoomedWord] = 0;
  FileSHORTS[f][kBlockLeftWord] = FileSHORTS[f][kBlockRightWord] = 0;
  // The strips were this file's view; the next file in the slot comes up in the single view.
  FileSHORTS[f][kViewModeWord] = 0;
  BeginBlock[f] = EndBlock[f] = 0;
  CompactedChannel[f] = 0;
  for (auto& row : ParseArray[f]) std::vector<float>().swap(row);
}

}  // namespace qv::plot

namespace qv {

namespace {

constexpr int kLastFileWindow = 15;
constexpr int kFileMenu = 1;
constexpr int kAppendItem = 4, kCloseSeveralItem = 11;
constexpr int kAppendButton = 564;

enum class LastFileChoice { Quit, LoadNew, Keep };

LastFileChoice askAboutLastFile() {
  SavedHandlers saved;
  BuildWINDOW(kLastFileWindow, "", 145, 120, 145 + 245, 120 + 105, 5);
  rt::foreColor(LightGray);
  rt::paintRect({0, 0, 245, 105});
  DrawIcon(129, 10, 50);
  rt::FBButton(1, 1, "Quit Quorvelant", {60, 10, 230, 30}, 1);
  rt::FBButton(2, 1, "Load New File", {60, 40, 230, 60}, 4);
  rt::FBButton(3, 1, "Cancel File Closure", {60, 70, 230, 90}, 1);
  installModalHandlers();
  LastFileChoice choice = LastFileChoice::Keep;
  for (bool done = false; !done;) {
    action = eventID = 0;
    waitForAction();
    done = true;
    if (action == 1 && eventID == 1) choice = LastFileChoice::Quit;
    else if (action == 1 && eventID == 2) choice = LastFileChoice::LoadNew;
    else if (action == 1 && eventID == 3) choice = LastFileChoice::Keep;
    else if (action == 16 && (eventID == 13 || eventID == 3)) choice = LastFileChoice::LoadNew;
    else if (action == 4 && eventID == kLastFileWindow) choice = LastFileChoice::Keep;
    else if (action == 3 && eventID != kLastFileWindow) choice = LastFileChoice::LoadNew;
    else done = false;
  }
  action = eventID = 0;
  rt::closeWindow(kLastFileWindow);
  return choice;
}

// The last open file: quit, or load another file in its place (the question comes back
// while nothing is loaded). True when the file was closed.
bool closeLastFile(int16_t f) {
  HideTheToolBar();
  if (rt::controlExistsIn(kToolBarWindow, kAppendButton)) rt::setButtonStateIn(kToolBarWindow, kAppendButton, 0);
  plot::setMenuItem(kFileMenu, kAppendItem, 0);
  if (rt::windowExists(plot::kPlotWindowBase + f)) rt::setOutputWindow(plot::kPlotWindowBase + f);
  for (;;) {
    const LastFileChoice choice = askAboutLastFile();
    if (choice == LastFileChoice::Keep || !plot::mayCloseSlot(f)) return false;
    if (choice == LastFileChoice::Quit) rt::exitProgram(0);
    MergeThisFile = 0;
    // The old file stays whole until the new one is in: a cancelled or failed open keeps it.
    if (plot::loadNewFile()) {
      if (TheFileInUse != f) plot::releaseSlot(f);
      FIxWINDOWSmenu();
      return true;
    }
  }
}

// After the file in use was closed: the open file in the highest slot takes its place.
void takeNextFileInUse() {
  int g = kMaxOpenFiles - 1;
  while (g >= 0 && !(slotIsOpen(g) && rt::windowExists(plot::kPlotWindowBase + g))) --g;
  if (g < 0) return;
  TheFileInUse = int16_t(g);
  ActiveChannel = plot::rememberedChannel(g);
  chanB = plot::blockChannel(g);
  rt::bringWindowForward(plot::kPlotWindowBase + g);
  if (FileSHORTS[g][kBlockStateWord] == 2) DrawBLOCK();
  else OPENBLOCKWINDOW();
  if (prefsArray[30] && prefsArray[33]) ToolBar();
  DRAWCOMMENTS();
  MakeChannelSelectionsPopUp();
}

}  // namespace

void CloseThisPlotWindow(int16_t f) {
  if (!slotIsOpen(f)) {
    // A plot window left without a file has nothing to save or free: it just goes.
    if (f >= 0 && f < kMaxOpenFiles) rt::closeWindow(plot::kPlotWindowBase + f);
    action = eventID = 0;
    return;
  }
  const bool wasInUse = f == TheFileInUse;
  bool closed = false;
  if (openFileCount() >= 2) {
    if (plot::mayCloseSlot(f)) {
      plot::releaseSlot(f);
      FIxWINDOWSmenu();
      if (openFileCount() < 3) plot::setMenuItem(kFileMenu, kCloseSeveralItem, 0);
      closed = true;
    }
  } else {
    closed = closeLastFile(f);
  }
  if (closed && (wasInUse || !slotIsOpen(TheFileInUse))) takeNextFileInUse();
  SETMENU(1);
  action = eventID = 0;
}

}  // namespace qv
