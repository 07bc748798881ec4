// Edit > Crop File to Block... and Change or Remove > Remove Channel...: the two edits that
// take cases or channels out of a file for good.
#include <array>
#include <string>

#include "core/channel_selection.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/popups.h"
#include "core/prefs.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/splash.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "editing/commands.h"
#include "editing/edit_frame.h"
#include "editing/slot_reshape.h"
#include "editing/tool_window.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kCropWindow = 9, kSelectionWindow = 10;
constexpr int kCropButton = 10, kCancelButton = 2;

void buildCropWindow() {
  const rt::Rect r = besideThePlot(400, 150);
  BuildWINDOW(kCropWindow, "Crop File", int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 6);
  DrawIcon(129, 20, 48);
  DrawIcon(128, 60, 48);
  DrawIcon(130, 100, 48);
  SetTextStyle(KestrixFont, 16, 0);
  PrintAt(20, 76, "Delete all data outside the block");
  SetTextStyle(KestrixFont, 14, 0);
  PrintAt(20, 98, "Manually adjust date if necessary.");
  bzot();
  rt::FBButton(kCancelButton, 1, "Cancel", {180, 116, 270, 138}, 1);
  rt::FBButton(kCropButton, 1, "OK to Crop", {286, 116, 390, 138}, 4);
}

bool askToCrop() {
  for (;;) {
    const auto [a, id] = takeAction();
    if ((a == 1 && id == kCancelButton) || (a == 4 && id == kCropWindow)) return false;
    if ((a == 1 && id == kCropButton) || a == 16 || (a == 3 && id != kCropWindow)) return true;
  }
}

}  // namespace

void CROPFILE() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || FileSHORTS[f][kBlockStateWord] != 2) return;
  const int32_t b = BeginBlock[f], e = EndBlock[f];
  if (b < 1 || e < b || e > nCases[f]) return;
  bool crop = false;
  {
    SavedHandlers savedHandlers;
    buildCropWindow();
    installModalHandlers();
    action = eventID = 0;
    crop = askToCrop();
  }
  if (crop) {
    rt::setCursor(rt::Cursor::Wait);
    const ReshapeOutcome done = cropFile(f, b, e);
    CLEARBLOCK();
    FileSHORTS[f][kBlockStateWord] = 0;
    BeginBlock[f] = EndBlock[f] = 0;
    logEdit(0, ActiveChannel, "channel" + rt::PSstrLong(ActiveChannel) + " was cropped to cases" + rt::PSstrLong(b) +
                                  " to" + rt::PSstrLong(e));
    redrawAfterReshape(f, true);
    rt::setCursor(rt::Cursor::Arrow);
    if (done.startTimeUnread)
      Warn(1166, "Crop File: ", {"The start time \"" + StartTime[f] + "\" does not read as hours:minutes:seconds.",
                                 "It was left as it was; set it in the file's description."});
  }
  closeToolWindows();
  rt::closeWindow(kCropWindow);
  action = eventID = 0;
}

void CUTCHANNEL() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f) || f > 20) return;
  const int n = nChannels[f];
  ChannelSelectControlFlag = -99;
  rt::closeWindow(kSelectionWindow);
  playIfSoundsOn("ahem.mp3");
  // The dialog ticks into the row that also holds the multi-channel view's choice: that
  // choice is kept aside and follows its channels.
  std::array<int16_t, kMaxChannels + 1> shown{};
  for (int c = 1; c <= kMaxChannels; ++c) shown[size_t(c)] = overlayFlag(f, 1, c);
  FinishedWithSound = 0;
  const int16_t result = SELECTCHANNELS("Channels to Delete (No 'Undo' Possible) ", 0, kSelectNone, 0, kModeDelete);
  std::array<bool, kMaxChannels + 1> ticked{};
  int count = 0;
  for (int c = 1; c <= n; ++c) count += (ticked[size_t(c)] = overlayFlag(f, 1, c) != 0);
  for (int c = 1; c <= kMaxChannels; ++c) overlayFlag(f, 1, c) = shown[size_t(c)];
  if (result == kSelectionClosed || FinishedWithSound == 4 || count == 0) return;
  if (count >= n) {
    bzot();
    Warn(1166, "Remove Channel: ", {"A file keeps at least one channel.", "No channel was deleted."});
    return;
  }
  deleteChannels(f, ticked);
  if (prefsArray[7] == 50) Rip();
  MakeChannelSelectionsPopUp();
  if (rt::windowExists(1000 + f)) UpdateSCREEN(22, 0);
}

}  // namespace qv
