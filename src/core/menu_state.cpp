#include "core/menu_state.h"

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/menus.h"
#include "core/prefs.h"
#include "runtime/clock.h"
#include "runtime/events.h"
#include "runtime/menus.h"
#include "runtime/sound.h"
#include "runtime/windows.h"

namespace qv {

std::string ThisFileName;
int16_t MultiChannelImages[41];

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
