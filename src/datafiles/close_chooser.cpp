// Window 200: the user chooses which open files to close (at the 20-file limit, or from the
// File menu), and window 998, which says first that documents handed over by the desktop
// cannot all be opened. A changed file is offered for saving before it goes, and the last
// open file is never simply dropped.
#include <vector>

#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menus.h"
#include "core/menu_state.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "datafiles/datafiles.h"
#include "datafiles/load_windows.h"
#include "datafiles/open_road.h"
#include "core/unsaved_changes.h"
#include "plot/close_roads.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/events.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kCancelButton = 26, kCloseButton = 27, kAllButton = 28, kOkButton = 28;
constexpr int kWindowWidth = 605, kWindowHeight = 330, kRowHeight = 19, kRowsWithoutGrowth = 11;

int16_t gKeptForLoad = -1;

int boxOf(int slot) { return slot + 1; }

std::vector<int16_t> openSlots() {
  std::vector<int16_t> s;
  for (int16_t f = 0; f < kMaxOpenFiles; ++f)
    if (slotIsOpen(f)) s.push_back(f);
  return s;
}

// After the file in use was closed, the open file in the highest slot takes its place.
void takeAnotherFileInUse() {
  if (slotIsOpen(TheFileInUse)) return;
  const int16_t g = highestOpenSlot();
  if (g < 0) return;
  TheFileInUse = g;
  ActiveChannel = plot::rememberedChannel(g);
  chanB = plot::blockChannel(g);
  if (rt::windowExists(1000 + g)) rt::bringWindowForward(1000 + g);
}

void buildChooser(const std::vector<int16_t>& slots) {
  const int extra = kRowHeight * std::max(0, int(slots.size()) - kRowsWithoutGrowth);
  const int height = kWindowHeight + extra;
  HideTheToolBar();
  BuildWINDOW(kCloseChooserWindow, "Close File(s) ", 50, 100, 50 + kWindowWidth, int16_t(100 + height), 6);
  WARNINGSTRIPES(1, 10, 33, 6);
  PlaySound("bub3.mp3");
  if (int(slots.size()) >= kMaxOpenFiles) {
    SetTextStyle(KestrixFont, 16, rt::kBold);
    rt::foreColor(RGBred);
    PrintAt(40, 26, "A maximum of" + rt::PSstrLong(kMaxOpenFiles) + " files can be open simultaneously");
  }
  SetTextStyle(KestrixFont, 14, 0);
  rt::foreColor(RGBblack);
  PrintAt(90, 50, "Select which file(s) to close:");
  int y = 70;
  for (int16_t f : slots) {
    rt::FBButton(boxOf(f), 1, "   " + FileName[f], {90, y - 13, 560, y + 4}, 2);
    y += kRowHeight;
  }
  rt::FBButton(kCancelButton, 1, "Cancel", {60, height - 40, 160, height - 18}, 1);
  rt::FBButton(kAllButton, 1, "All", {180, height - 40, 260, height - 18}, 1);
  rt::FBButton(kCloseButton, 0, "Close Selected File(s) ", {360, height - 40, 560, height - 18}, 1);
}

std::vector<int16_t> checkedSlots(const std::vector<int16_t>& slots) {
  std::vector<int16_t> c;
  for (int16_t f : slots)
    if (rt::buttonStateIn(kCloseChooserWindow, boxOf(f)) == 2) c.push_back(f);
  return c;
}

// Closes the checked files that may go. Every open file checked: one is kept for now (the
// file in use when it is among them), closed after the load that follows or, with none to
// follow, through the last-file question of closing a plot window. True when any closed.
bool closeChecked(const std::vector<int16_t>& checked, size_t openCount, bool loadFollows) {
  int16_t keep = -1;
  if (checked.size() == openCount && !checked.empty()) {
    keep = checked.back();
    for (int16_t f : checked)
      if (f == TheFileInUse) keep = f;
  }
  bool closed = false;
  for (int16_t f : checked) {
    if (f == keep || !plot::mayCloseSlot(f)) continue;
    plot::releaseSlot(f);
    closed = true;
  }
  if (keep >= 0) {
    if (loadFollows) {
      if (plot::mayCloseSlot(keep)) gKeptForLoad = keep, closed = true;
    } else {
      FIxWINDOWSmenu();
      CloseThisPlotWindow(keep);
      closed = closed || !slotIsOpen(keep);
    }
  }
  return closed;
}

}  // namespace

int16_t chooseFilesToClose(bool loadFollows) {
  SavedHandlers saved;
  const int savedOutput = rt::outputWindow();
  gKeptForLoad = -1;
  const std::vector<int16_t> slots = openSlots();
  buildChooser(slots);
  installModalHandlers();
  int16_t result = 1;
  for (bool done = false; !done;) {
    action = eventID = 0;
    waitForActionOrQuit();
    if (gQuitPending || (action == 4 && eventID == kCloseChooserWindow) || (action == 1 && eventID == kCancelButton)) {
      done = true;
    } else if (action == 1 && eventID == kAllButton) {
      for (int16_t f : slots) rt::setButtonStateIn(kCloseChooserWindow, boxOf(f), 2);
    } else if (action == 1 && eventID == kCloseButton) {
      const std::vector<int16_t> checked = checkedSlots(slots);
      rt::closeWindow(kCloseChooserWindow);
      result = closeChecked(checked, slots.size(), loadFollows) ? 0 : 1;
      done = true;
    }
    if (!done) rt::setButtonStateIn(kCloseChooserWindow, kCloseButton, checkedSlots(slots).empty() ? 0 : 1);
  }
  action = eventID = 0;
  rt::closeWindow(kCloseChooserWindow);
  FIxWINDOWSmenu();
  if (NumberOfOpenFiles <= 2) FBMenu(kFileMenu, 11, 0);
  takeAnotherFileInUse();
  RestoreTheToolBar();
  if (rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  return result;
}

int16_t SelectWhichFileToClose() { return chooseFilesToClose(false); }

void closeFileKeptForLoad() {
  const int16_t f = gKeptForLoad;
  gKeptForLoad = -1;
  if (f < 0 || f == TheFileInUse || !slotIsOpen(f)) return;
  plot::releaseSlot(f);
  FIxWINDOWSmenu();
}

void keepFileKeptForLoad() { gKeptForLoad = -1; }

std::string tooManyFilesText(int16_t count) {
  if (count == 1) return "One file cannot be loaded";
  return rt::PSstrLong(count) + " files cannot be loaded";
}

int16_t TooManyFiles(int16_t count) {
  {
    SavedHandlers saved;
    BuildWINDOW(kTooManyFilesWindow, "Too Many Files", 100, 100, 424, 230, 6);
    WARNINGSTRIPES(1, 10, 33, 6);
    PlaySound("bub3.mp3");
    SetTextStyle(KestrixFont, 18, rt::kBold);
    rt::foreColor(RGBred);
    PrintAt(30, 30, tooManyFilesText(count));
    SetTextStyle(KestrixFont, 13, 0);
    rt::foreColor(RGBblack);
    PrintAt(30, 58, "A maximum of" + rt::PSstrLong(kMaxOpenFiles) + " files can be");
    PrintAt(30, 78, "open simultaneously.");
    rt::FBButton(kOkButton, 1, "OK", {234, 94, 304, 116}, 4);
    installModalHandlers();
    for (bool done = false; !done;) {
      action = eventID = 0;
      waitForActionOrQuit();
      done = gQuitPending || action == 1 || action == 3 || (action == 16 && (eventID == 13 || eventID == 3)) ||
             (action == 4 && eventID == kTooManyFilesWindow);
    }
    action = eventID = 0;
    rt::closeWindow(kTooManyFilesWindow);
  }
  // With no file open yet (documents given at start-up) there is nothing to choose from.
  if (!gQuitPending && highestOpenSlot() >= 0) chooseFilesToClose(true);
  return 0;
}

}  // namespace qv
