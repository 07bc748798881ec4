// The program's menu call over the runtime's menus: items by number, separators filling gaps,
// Command keys written into the item text, and Quit bound to the application menu.
#include "core/menus.h"

#include <string>

#include "runtime/menus.h"

namespace qv {

namespace {

void setState(int menu, int item, int state) {
  if (state >= 0 && state <= 2 && rt::menuItemCount(menu) >= item) rt::menuSetItemState(menu, item, state);
}

// Fills items after the current end up to `item` - 1 with separators.
void fillGap(int menu, int item) {
  for (int k = rt::menuItemCount(menu) + 1; k < item; ++k) rt::menuSetItemText(menu, k, "-");
}

}  // namespace

void bindToApplicationMenu(int appItem, int menu, int item, std::string_view text, char key) {
  fillGap(kAppMenu, appItem);
  rt::menuSetItemText(kAppMenu, appItem, text);
  rt::menuSetItemState(kAppMenu, appItem, 1);
  if (key) rt::menuSetCommandKey(kAppMenu, appItem, key);
  rt::menuSetItemReport(kAppMenu, appItem, menu, item);
}

void FBMenu(int16_t menu, int16_t item, int16_t state) {
  if (item == 0) {
    if (rt::menuExists(menu) && state >= 0 && state <= 2) rt::menuSetEnabled(menu, state != 0);
    return;
  }
  setState(menu, item, state);
}

void FBMenu(int16_t menu, int16_t item, int16_t state, std::string_view text) {
  if (item == 0) {
    rt::menuCreate(menu, text);
    if (state >= 0 && state <= 2) rt::menuSetEnabled(menu, state != 0);
    return;
  }
  if (item < 0) return;
  char key = 0;
  if (text.size() >= 2 && text[0] == '/') {
    key = text[1];
    text.remove_prefix(2);
  }
  if (key == 'Q') {
    bindToApplicationMenu(kAppQuitItem, menu, item, text, key);
    return;
  }
  fillGap(menu, item);
  rt::menuSetItemText(menu, item, text);
  if (key) rt::menuSetCommandKey(menu, item, key);
  setState(menu, item, state);
}

int16_t MakeHierMenu(int16_t menu, uint16_t item, std::string_view title, int16_t submenu) {
  if (!rt::menuExists(menu)) return -1;
  FBMenu(menu, int16_t(item), 1, title);
  rt::menuCreate(submenu, "");
  rt::menuSetSubmenu(menu, item, submenu);
  return 0;
}

}  // namespace qv
