// Edit > Re-arrange Channels...: the user clicks channels in the wanted order; the file as it
// was is written to "RearrangeBackup.KXdata" first, and the picked channels then take their
// new places. There is no Undo: the backup file is the copy of the old arrangement.
#include <string>
#include <vector>

#include "core/channel_selection.h"
#include "core/colors.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/help.h"
#include "core/kit.h"
#include "core/menus.h"
#include "core/popups.h"
#include "core/saved_handlers.h"
#include "core/sounds.h"
#include "core/view_state.h"
#include "core/warning.h"
#include "datafiles/save_names.h"
#include "datafiles/save_writing.h"
#include "editing/commands.h"
#include "editing/slot_reshape.h"
#include "editing/tool_window.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/app.h"
#include "runtime/numtext.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"

namespace qv {

namespace {

constexpr int kWindow = 6, kWarningWindow = 20;
constexpr int kAgainButton = 228, kCancelButton = 229, kOKButton = 230, kReArBox = 231, kHelpButton = 232;
constexpr int kOldLabelBase = 300, kNewLabelBase = 400;  // static fields of row k: base + k
constexpr int16_t kHelpPage = 141;
constexpr int kRowTop = 30, kRowStep = 18;
constexpr const char* kBackupName = "RearrangeBackup.KXdata";

int footerTop(int n) { return kRowTop + kRowStep * n + 8; }

void buildWindow(int f) {
  const int n = nChannels[f];
  const int height = footerTop(n) + 86;
  const rt::Rect r = besideThePlot(560, height);
  BuildWINDOW(kWindow, "Re-arrange Channels", int16_t(r.left), int16_t(r.top), int16_t(r.right), int16_t(r.bottom), 6);
  keepToolWindowOnScreen(kWindow, height);
  bzot();
  SetTextStyle(KestrixFont, 12, rt::kBold);
  PrintAt(10, 20, "Original channel order");
  PrintAt(330, 20, "New order");
  for (int j = 1; j <= n; ++j) {
    const int y = kRowTop + kRowStep * (j - 1);
    SetTextStyle(KestrixFont, 12, 0);
    PrintAt(j <= 9 ? 10 : 1, y + 13, rt::PSstrLong(j) + ":");
    rt::FBEditField(kOldLabelBase + j, rt::trimRight(RetrieveLabel(j)), {30, y, 240, y + 16}, 7);
    rt::FBButton(j, 1, "next...", {246, y, 316, y + 17}, 1);
    rt::FBEditField(kNewLabelBase + j, "", {330, y, 550, y + 16}, 7);
  }
  const int t = footerTop(n);
  DrawIcon(129, 10, int16_t(t + 33));
  DrawIcon(130, 518, int16_t(t + 33));
  SetTextStyle(KestrixFont, 13, rt::kBold);
  rt::foreColor(RGBred);
  rt::moveTo(52, t + 20);
  rt::drawString("Caution:  ");
  rt::foreColor(RGBblack);
  rt::textFace(0);
  rt::drawString("Undo not possible");
  rt::FBButton(kReArBox, 1, "Add  'ReAr ' to Default File Name", {250, t + 6, 510, t + 26}, 2);
  rt::FBButton(kHelpButton, 1, "?", {10, t + 52, 40, t + 74}, 1);
  rt::FBButton(kAgainButton, 1, "Arrange Again", {60, t + 52, 180, t + 74}, 1);
  rt::FBButton(kCancelButton, 1, "Cancel", {196, t + 52, 286, t + 74}, 1);
  rt::FBButton(kOKButton, 0, "Re-arrangement OK", {380, t + 52, 550, t + 74}, 4);
}

void pickAgain(int n, std::vector<int16_t>& order) {
  for (int j = 1; j <= n; ++j) {
    rt::setButtonStateIn(kWindow, j, 1);
    rt::setEditTextIn(kWindow, kNewLabelBase + j, "");
  }
  rt::setButtonStateIn(kWindow, kOKButton, 0);
  order.clear();
}

// The window's loop: the order picked (old channel of each new position), empty when the
// user left without re-arranging.
std::vector<int16_t> askForOrder(int f, bool& addReAr) {
  const int n = nChannels[f];
  std::vector<int16_t> order;
  for (;;) {
    const auto [a, id] = takeAction();
    if (a == 1 && id >= 1 && id <= n) {
      // A picked channel is dimmed: each channel takes one place.
      if (rt::buttonStateIn(kWindow, id) == 0 || int(order.size()) >= kMaxChannels) continue;
      order.push_back(int16_t(id));
      rt::setButtonStateIn(kWindow, id, 0);
      rt::setButtonStateIn(kWindow, kOKButton, 1);
      rt::setEditTextIn(kWindow, kNewLabelBase + int(order.size()), rt::trimRight(RetrieveLabel(id)));
    } else if (a == 1 && id == kAgainButton) {
      Rip();
      pickAgain(n, order);
    } else if (a == 1 && id == kReArBox) {
      addReAr = !addReAr;
      rt::setControlValue(kReArBox, addReAr ? 1 : 0);
    } else if (a == 1 && id == kHelpButton) {
      HelpSubject = kHelpPage;
      OpenHelpBook();
      rt::setOutputWindow(kWindow);
    } else if (a == 1 && id == kCancelButton) {
      downvip();
      return {};
    } else if (a == 4 || (a == 3 && id != kWindow)) {
      return {};
    } else if ((a == 1 && id == kOKButton) || (a == 16 && !order.empty())) {
      if (!order.empty()) return order;
    }
  }
}

void redrawRearranged(int f) {
  if (!rt::windowExists(1000 + f)) return;
  rt::bringWindowForward(1000 + f);
  if (FileSHORTS[f][kViewModeWord] != 0) {
    SELECTCHANNELS("Select Channels to Display", 0, kSelectKeepFlags, 0, kModeDisplay);
    if (CustomScreenPlot) ChangeCHARTHITE(1);
    DrawALLCHANNELS(0);
    DRAWCOMMENTS();
    FBMenu(4, 13, 1);
    return;
  }
  FindMinMax();
  DrawPlot(0, 0, 1, 1);
}

}  // namespace

std::string rearrangeBackupPath() { return rt::userDataDir() + "/" + kBackupName; }

void REARRANGEWARN() {
  PlaySound("ahem.mp3");
  WarningSpec w;
  w.window = kWarningWindow;
  w.title = "Data Change Warning";
  w.heading = "Some channels were changed!";
  w.lines = {"Saving the file under the old file name will make", "these changes"};
  w.redTail = "permanent.";
  w.sound = "";
  w.endsOnWindowClick = true;
  ShowWarning(w);
}

void REARRANGE() {
  const int f = TheFileInUse;
  if (!slotIsOpen(f)) return;
  bool addReAr = false;
  std::vector<int16_t> order;
  {
    SavedHandlers savedHandlers;
    HideTheToolBar();
    buildWindow(f);
    installModalHandlers();
    action = eventID = 0;
    order = askForOrder(f, addReAr);
  }
  rt::closeWindow(kWindow);
  action = eventID = 0;
  if (!order.empty()) {
    rt::setCursor(rt::Cursor::Wait);
    std::string error;
    const std::string path = rearrangeBackupPath();
    // The copy can take a while at full size; say what is being written meanwhile.
    BuildWINDOW(kSaveStatusWindow, "Saving...", 120, 120, 540, 190, 6);
    SetTextStyle(KestrixFont, 12, 0);
    PrintAt(20, 40, std::string("Saving a copy of the file as it is to ") + kBackupName);
    const bool saved = writeBackupFile(f, path, error);
    rt::closeWindow(kSaveStatusWindow);
    if (!saved) {
      rt::setCursor(rt::Cursor::Arrow);
      Warn(1166, "Re-arrange Channels: ",
           {"The copy of the file as it is could not be written to", path + (error.empty() ? "." : ": " + error),
            "The channels were not re-arranged."});
    } else {
      rearrangeChannels(f, order);
      rt::setCursor(rt::Cursor::Arrow);
      if (addReAr) RearrangedName[f] = FileName[f];
      else REARRANGEWARN();
      redrawRearranged(f);
      MakeChannelSelectionsPopUp();
    }
  }
  RestoreTheToolBar();
  rt::setCursor(rt::Cursor::Arrow);
}

}  // namespace qv
