// Markers > Remove Markers in Block, Edit > Change or Remove > Selective Block Removal... and
// Cut Block from All Channels, and the plot window's cut and marker buttons.
#include <span>
#include <string>

#include "core/colors.h"
#include "core/data_generation.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menu_state.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "editing/file_reshape.h"
#include "editing/slot_reshape.h"
#include "editing/tool_window.h"
#include "plot/marker_order.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kCutWindow = 9, kMarkerWarningWindow = 25, kRemovalWarningWindow = 15;
constexpr int kThisChannel = 1, kEntireFile = 2, kRemoveButton = 3, kCancelButton = 4;
// CutMarkerWARNING's answers.
constexpr int16_t kCutCancelled = 0, kCutYes = 1, kCutYesInsert = 99;

bool blockIsSet(int f) {
  return slotIsOpen(f) && FileSHORTS[f][kBlockStateWord] == 2 && BeginBlock[f] >= 1 && EndBlock[f] >= BeginBlock[f] &&
         EndBlock[f] <= nCases[f];
}

void say(int window, const std::string& heading, const std::vector<std::string>& lines) { Warn(window, heading, lines); }

void buildCutWindow(int f) {
  const rt::Rect r = besideThePlot(400, 250);
  BuildWINDOW(kCutWindow, "Cut Block", int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 6);
  bzot();
  DrawIcon(128, 14, 48);
  DrawIcon(130, 14, 92);
  rt::foreColor(rt::RGB{65535, 62500, 55000});
  rt::paintRect({60, 10, 390, 118});
  rt::foreColor(RGBblack);
  rt::frameRect({60, 10, 390, 118});
  const auto part = [](std::string_view text, int face, rt::RGB colour) {
    rt::textFace(face);
    rt::foreColor(colour);
    rt::drawString(text);
  };
  SetTextStyle(KestrixFont, 13, 0);
  rt::moveTo(70, 32);
  part("WARNING: ", rt::kBold, RGBred);
  part("  After block removal, ", 0, RGBblack);
  rt::moveTo(70, 52);
  part(" the time ", rt::kBold, RGBblue);
  part("indicators are no longer correct.  ", 0, RGBblack);
  rt::moveTo(70, 76);
  part("With the ", 0, RGBblack);
  part("'entire file'", rt::kBold, RGBblack);
  part(" option, ", 0, RGBblack);
  rt::moveTo(70, 96);
  part("no 'UNDO' is possible!", rt::kBold, RGBred);
  rt::textFace(0);
  rt::foreColor(RGBblack);
  const bool several = nChannels[f] >= 2;
  PrintAt(14, 146, several ? "Remove the block from:" : "Remove the block");
  rt::FBButton(kThisChannel, 1, several ? "This Channel Only" : "Temporarily", {40, 156, 240, 176}, 3);
  rt::FBButton(kEntireFile, 2, several ? "The Entire File" : "Permanently", {40, 180, 240, 200}, 3);
  rt::FBButton(kCancelButton, 1, "Cancel", {170, 214, 260, 236}, 1);
  rt::FBButton(kRemoveButton, 1, "Remove Block", {276, 214, 390, 236}, 4);
}

// The window's loop: 0 cancelled, else the choice (this channel or the entire file).
int askForCut() {
  int choice = kEntireFile;
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == kCancelButton) || (a == 4 && id == kCutWindow)) return 0;
    if (a == 1 && (id == kThisChannel || id == kEntireFile)) {
      choice = id;
      rt::setButtonState(kThisChannel, choice == kThisChannel ? 2 : 1);
      rt::setButtonState(kEntireFile, choice == kEntireFile ? 2 : 1);
      continue;
    }
    if ((a == 1 && id == kRemoveButton) || a == 16 || (a == 3 && id != kCutWindow)) return choice;
  }
}

void cutThisChannel(int f, int32_t b, int32_t e) {
  const int16_t ch = ActiveChannel;
  MAKEBACKUP(ch);
  LastChan = ch;
  Rip();
  reshape::cutFromChannel(std::span<float>(channelData(f, ch), size_t(nCases[f]) + 1), b, e);
  ChangedChan = ch;
  FileSHORTS[f][kChangeMarkWord] = 1;
  raiseDataGeneration(f);
}

// False when the user kept the markers (nothing cut).
bool cutEntireFile(int f, int32_t b, int32_t e) {
  if (e - b + 1 >= nCases[f]) {
    bzot();
    say(1166, "Cut Block: ", {"The block holds every case of the file; cutting it would leave no data.", "Nothing was cut."});
    return false;
  }
  int16_t answer = kCutYes;
  if (reshape::anyMarkerIn(slotMarkers(f), b, e)) {
    scream();
    answer = CutMarkerWARNING();
    if (answer == kCutCancelled) return false;
  }
  rt::setCursor(rt::Cursor::Wait);
  Rip();
  const ReshapeOutcome done = cutFileBlock(f, b, e, answer == kCutYesInsert);
  if (answer == kCutYesInsert) upvip();
  rt::setCursor(rt::Cursor::Arrow);
  if (done.startTimeUnread)
    say(1166, "Cut Block: ", {"The start time \"" + StartTime[f] + "\" does not read as hours:minutes:seconds.",
                              "It was left as it was; set it in the file's description."});
  return done.done;
}

}  // namespace

int16_t CutMarkerWARNING() {
  WarningSpec w;
  w.window = kMarkerWarningWindow;
  w.title = "Marker Loss Warning";
  w.heading = "Careful...  ";
  w.lines = {"At least one marker is in the block", "Are you sure you want to delete it?"};
  w.buttons = {"Cancel", "Yes", "Yes; Insert New Marker"};
  // Return keeps the markers: only a click deletes them.
  w.defaultButton = 1;
  w.icon = 128;
  w.sound = "";
  w.endsOnWindowClick = true;
  const int b = ShowWarning(w);
  return b == 3 ? kCutYesInsert : b == 2 ? kCutYes : kCutCancelled;
}

void RemoveMarkersFromBlock() {
  const int f = TheFileInUse;
  if (!blockIsSet(f)) return;
  PlaySound(prefsArray[7] >= 26 ? "ahem.mp3" : "bzot.mp3");
  WarningSpec w;
  w.window = kRemovalWarningWindow;
  w.title = "Data Loss Warning";
  w.heading = "";
  w.lines = {"Marker removal isn't 'undoable'...", "Do you want to continue?"};
  w.buttons = {"Continue", "Cancel"};
  w.sound = "";
  if (ShowWarning(w) != 1) return;
  const std::vector<reshape::Marker> before = slotMarkers(f);
  const std::vector<reshape::Marker> kept = reshape::markersOutside(before, BeginBlock[f], EndBlock[f]);
  setSlotMarkers(f, kept);
  SortMARKERS();
  if (kept.size() != before.size()) FileSHORTS[f][kChangeMarkWord] = 1;
  Rip();
  if (rt::windowExists(1000 + f)) RefreshSCREEN();
}

void CUTBLOCK(int16_t fromAllChannels) {
  const int f = TheFileInUse;
  action = eventID = 0;
  if (!blockIsSet(f)) return;
  if (rt::windowExists(kToolBarWindow)) rt::hideWindow(kToolBarWindow);
  rt::setCursor(rt::Cursor::Arrow);
  const int32_t b = BeginBlock[f], e = EndBlock[f];
  int choice = kEntireFile;
  if (fromAllChannels == 0 || prefsArray[65] != 0) {
    SavedHandlers savedHandlers;
    HideTheToolBar();
    buildCutWindow(f);
    installModalHandlers();
    action = eventID = 0;
    choice = askForCut();
    rt::closeWindow(kCutWindow);
    RestoreTheToolBar();
  }
  if (choice == 0) {
    action = eventID = 0;
    return;
  }
  bool cut = true;
  if (choice == kThisChannel) cutThisChannel(f, b, e);
  else cut = cutEntireFile(f, b, e);
  // The block goes, also after a cancelled marker warning.
  CLEARBLOCK();
  FileSHORTS[f][kBlockStateWord] = 0;
  BeginBlock[f] = EndBlock[f] = 0;
  action = eventID = 0;
  redrawAfterReshape(f, cut && choice == kEntireFile);
  if (fromAllChannels == 0) closeToolWindows();
  if (rt::windowExists(1000 + f)) rt::bringWindowForward(1000 + f);
}

}  // namespace qv
