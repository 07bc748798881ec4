#include "app/menu_state.h"

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "app/menu_bar.h"
#include "core/prefs.h"
#include "editing/commands.h"
#include "plot/plot_state.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/menus.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

std::string ThisFileName;
int16_t MultiChannelImages[41];

namespace {

// Tool-bar buttons, when the tool bar exists. The output window is put back afterwards.
struct ToolBarButtons {
  int savedOutput = rt::outputWindow();
  bool exists = rt::windowExists(kToolBarWindow);
  ToolBarButtons() {
    if (exists) rt::setOutputWindow(kToolBarWindow);
  }
  ~ToolBarButtons() {
    if (exists && rt::windowExists(savedOutput)) rt::setOutputWindow(savedOutput);
  }
  void hide(std::initializer_list<int> ids) const {
    for (int id : ids)
      if (rt::controlExists(id)) rt::setControlShown(id, false);
  }
  void show(std::initializer_list<int> ids, int state = 1) const {
    for (int id : ids)
      if (rt::controlExists(id)) {
        rt::setControlShown(id, true);
        rt::setButtonState(id, state);
      }
  }
  void enable(std::initializer_list<int> ids, int state = 1) const {
    for (int id : ids)
      if (rt::controlExists(id)) rt::setButtonState(id, state);
  }
};

void noBlockState(int f, bool zoomed) {
  if (EndBlock.inUse() >= 1 && EndBlock.inUse() <= nCases[f]) FBMenu(kEditMenu, 2, 1);
  FBMenu(kFileMenu, 8, 0);
  if (rt::windowExists(kToolBarWindow)) {
    const int front = rt::frontWindow();
    ToolBarButtons tb;
    tb.hide({565, 566, 567, 568, 569, 570, 571, 572, 573, 574, 575, 576, 592, 593, 595, 591, 589});
    if (zoomed) tb.show({589, 590});
    tb.enable({598});
    if (front) rt::bringWindowForward(front);
  }
  FBMenu(kMarkersMenu, 3, 0);
  FBMenu(kViewMenu, 6, 0);
  FBMenu(kViewMenu, 7, zoomed ? 1 : 0);
  FBMenu(kRespirometryMenu, 12, 0);
  FBMenu(kEditMenu, 7, 0);
  FBMenu(kChangeRemoveMenu, 2, 0);
  FBMenu(kChangeRemoveMenu, 3, 0);
  for (int16_t i : {25, 26, 30}) FBMenu(kEditMenu, i, 0);
  for (int16_t i = 1; i <= 22; ++i) FBMenu(kAnalyzeMenu, i, 0);
  for (int16_t i : {12, 27, 28}) FBMenu(kAnalyzeMenu, i, 0);
  FBMenu(kAnalyzeMenu, 8, 1);
  FBMenu(kAnalyzeMenu, 9, 1);
}

void blockState(int f, bool zoomed) {
  FBMenu(kFileMenu, 8, 1);
  FBMenu(kEditMenu, 2, 0);
  FBMenu(kEditMenu, 7, 1);
  FBMenu(kMarkersMenu, 3, 1);
  FBMenu(kViewMenu, 6, zoomed ? 2 : 1);
  FBMenu(kViewMenu, 7, zoomed ? 1 : 0);
  if (rt::windowExists(kToolBarWindow)) {
    const int front = rt::frontWindow();
    if (BaselineON == 0) RestoreTheToolBar();
    ToolBarButtons tb;
    // Buttons built hidden show once a block is set, without a rebuild of the bar.
    if (zoomed) tb.hide({589});
    else tb.show({589});
    tb.show({565, 566, 567, 568, 569, 570, 571, 572, 573, 574, 575, 576, 591, 592, 593, 595});
    if (zoomed) tb.show({589, 590});
    // Regress Channels needs two channels, as its menu item does.
    if (nChannels[f] < 2) tb.enable({574}, 0);
    tb.enable({598});
    if (front) rt::bringWindowForward(front);
  }
  FBMenu(kRespirometryMenu, 12, 1);
  FBMenu(kEditMenu, 7, 1);
  FBMenu(kChangeRemoveMenu, 2, 1);
  FBMenu(kChangeRemoveMenu, 3, 1);
  for (int16_t i : {25, 26, 30}) FBMenu(kEditMenu, i, 1);
  for (int16_t i = 1; i <= 22; ++i) FBMenu(kAnalyzeMenu, i, 1);
  for (int16_t i : {12, 27, 28}) FBMenu(kAnalyzeMenu, i, 1);
  if (nChannels[f] == 1) {
    FBMenu(kAnalyzeMenu, 16, 0);
    FBMenu(kAnalyzeMenu, 18, 0);
  }
}

}  // namespace

void SETMENU(uint16_t mode) {
  const int f = TheFileInUse;
  FBMenu(kEditMenu, 2, 0);
  if (mode) RestoreTheToolBar();
  FBMenu(kWindowMenu, 0, 1);
  FBMenu(kFileMenu, 4, 1);
  if (f < 0 || f > 20) return;
  FBMenu(kEditMenu, 32, nChannels[f] >= 2 ? 1 : 0);
  // Reset Last Block (item 2) is left to the block rules below: it is offered only while the
  // last block still lies inside the file.
  for (int16_t i : {1, 4, 5, 7}) FBMenu(kEditMenu, i, 1);
  FBMenu(kMarkersMenu, 6, NumberOfNotes[f] ? 1 : 0);
  const bool zoomed = FileSHORTS[f][6] != 0;
  if (FileSHORTS[f][2] != 2) noBlockState(f, zoomed);
  else blockState(f, zoomed);
  FBMenu(kEditMenu, 31, nChannels[f] >= kMaxChannels ? 0 : 1);
  FBMenu(kChangeRemoveMenu, 4, nChannels[f] == 1 ? 0 : 1);
  if (nCases[f] >= 128) FBMenu(kAnalyzeMenu, 13, 1);
}

void FIxWINDOWSmenu() {
  NumberOfOpenFiles = 0;
  while (rt::menuItemCount(kWindowMenu) > 0) rt::menuDeleteItem(kWindowMenu, rt::menuItemCount(kWindowMenu));
  for (int s = 0; s < 20; ++s) {
    if (!slotIsOpen(s)) continue;
    ++NumberOfOpenFiles;
    ThisFileName = FileName[s];
    // A file name is shown as it is, never read as a Command key.
    rt::menuSetItemText(kWindowMenu, NumberOfOpenFiles, ThisFileName.empty() ? " " : ThisFileName);
    rt::menuSetItemState(kWindowMenu, NumberOfOpenFiles, 1);
  }
  FBMenu(kFileMenu, 11, NumberOfOpenFiles >= 3 ? 1 : 0);
}

void WindowsMenuCheckmark(int16_t position) {
  for (int16_t i = 1; i <= 20; ++i) FBMenu(kWindowMenu, i, 1);
  int count = 0;
  for (int s = 0; s < position && s < 20; ++s)
    if (slotIsOpen(s)) ++count;
  if (count >= 1) FBMenu(kWindowMenu, int16_t(count), 2);
}

int16_t SlotOfOpenFile(int n) {
  int count = 0;
  for (int s = 0; s < 20; ++s)
    if (slotIsOpen(s) && ++count == n) return int16_t(s);
  return -1;
}

void MOVE_CURSOR_CUE(int16_t left, int16_t top, int16_t right, int16_t bottom, std::string_view text, uint16_t y) {
  rt::colorNumber(6);
  rt::paintRect({left, top, right, bottom});
  rt::penMode(rt::kPatXor);
  if (prefsArray[7]) rt::playSound("brrrp.mp3");
  for (int i = 0; i < 9; ++i) {
    rt::colorNumber(i % 2 == 0 ? 1 : 6);
    rt::refreshPump();
    SetTextStyle(KestrixFont, 16, 0);
    rt::moveTo(25, y);
    rt::drawString(text);
    rt::flushWindow(rt::outputWindow());
    rt::waitUntilTick(rt::TickCount() + 2);  // about 35 ms
    rt::textSize(12);
  }
  rt::penNormal();
  rt::colorNumber(7);
}

void KillMCHpictures(int16_t index) {
  if (index < 0 || index > 40) return;
  if (MultiChannelImages[index] != 0) {
    if (rt::controlExists(MultiChannelImages[index])) rt::removeControl(MultiChannelImages[index]);
    MultiChannelImages[index] = 0;
  }
}

}  // namespace qv
