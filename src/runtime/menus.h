#pragma once
// Menus: the menu bar's menus and popup menus share one model, addressed by number.
// Item states: 0 disabled, 1 enabled, 2 enabled with a check mark.
#include <string>
#include <string_view>
#include <vector>

namespace qv::rt {

// Creates or empties menu `menu` with a title.
void menuCreate(int menu, std::string_view title);
bool menuExists(int menu);
void menuDelete(int menu);
// Enters a ";"-separated list from item `first` on; an item "-" is a separator.
void menuSetItems(int menu, int first, std::string_view list, int state = 1);
void menuSetItemText(int menu, int item, std::string_view text);
void menuSetItemState(int menu, int item, int state);
int menuItemState(int menu, int item);
std::string menuItemText(int menu, int item);
int menuItemCount(int menu);
bool menuItemIsSeparator(int menu, int item);
void menuDeleteItem(int menu, int item);
// Command key of an item (a letter, shown with the desktop's Ctrl modifier).
void menuSetCommandKey(int menu, int item, char key, bool shift = false);
// An item that opens another menu.
void menuSetSubmenu(int menu, int item, int submenu);
int menuSubmenu(int menu, int item);
// The whole menu enabled or not (state of item 0).
void menuSetEnabled(int menu, bool on);
bool menuEnabled(int menu);

// The menu bar: its menus in order; each document window shows it.
void setMenuBar(const std::vector<int>& menus);
const std::vector<int>& menuBarMenus();
// Routes a pick as a different menu number (the desktop's application menu reports
// as 254, the Help menu as -16490).
void setMenuReportNumber(int menu, int reported);

// An item that reports as another (menu, item) pair when chosen (the application menu's Quit
// and Preferences stand for File item 21 and Edit item 37). A scripted choice may name
// either pair.
void menuSetItemReport(int menu, int item, int reportMenu, int reportItem);
// Edit commands act on the focused edit field when there is one; otherwise the item is
// reported as usual.
enum class EditAction { None, Undo, Cut, Copy, Paste, SelectAll };
void menuSetEditAction(int menu, int item, EditAction action);

// Whether a window shows the menu bar (document windows where the user works).
void windowShowsMenuBar(int window, bool on);
bool windowHasMenuBar(int window);

// Whether a menu choice could be made now (used by scripted input): the menu and item
// exist and are enabled.
bool menuChoiceEnabled(int menu, int item);

}  // namespace qv::rt
