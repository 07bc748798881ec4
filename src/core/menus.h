#pragma once
// The menu bar's numbers and the program's menu call: every menu and item addressed by number
// for the whole run. A missing item number in a menu is a separator line.
#include <cstdint>
#include <string_view>

namespace qv {

enum MenuNumber : int16_t {
  kFileMenu = 1,
  kEditMenu = 2,
  kAnalyzeMenu = 3,
  kViewMenu = 4,
  kChannelPopupMenu = 5,  // the plot window's channel popup reports as this menu
  kScriptMenu = 6,
  kWindowMenu = 7,
  kSpecialMenu = 8,
  kGridsMenu = 70,
  kScalingActiveMenu = 71,
  kChangeRemoveMenu = 73,
  kImportMenu = 74,
  kAppendMenu = 75,
  kRespirometryMenu = 76,
  kAnalysisUtilitiesMenu = 77,
  kScalingAllMenu = 78,
  kSignificantDigitsMenu = 79,
  kSendResultsMenu = 80,
  kCommentsBlocksMenu = 81,
  kMarkersMenu = 82,
  kCompactMenu = 83,
  kTimeSeriesMenu = 103,
  kAppMenu = 254,
  kHelpMenu = -16490,
};

// Items of the application menu (Preferences and Quit report as Edit 37 and File 21).
constexpr int16_t kAboutItem = 1, kAppPreferencesItem = 3, kAppQuitItem = 5;

// The program's menu call. Item 0 with a text creates a menu (or retitles and empties it) and
// sets the whole menu's state. A text that starts with "/" and one character gives that
// character as the item's Command key. An item more than one past the end first fills the
// gap with separator lines. Without a text only the state of an existing item changes; a text
// for an existing item replaces its text and keeps its key. States: 0 disabled, 1 enabled,
// 2 checked; any other value leaves the item as it is. An item whose key is Q goes to the
// application menu as its Quit command, and the separator before it is not made.
void FBMenu(int16_t menu, int16_t item, int16_t state);
void FBMenu(int16_t menu, int16_t item, int16_t state, std::string_view text);

// Sets the parent item's title (state 1), attaches a new empty submenu to it and returns 0;
// -1 when the parent menu does not exist.
int16_t MakeHierMenu(int16_t menu, uint16_t item, std::string_view title, int16_t submenu);

// Binds an item of the application menu (Preferences, Quit) so that it reports as item `item`
// of `menu`, with the text and Command key given.
void bindToApplicationMenu(int appItem, int menu, int item, std::string_view text, char key);

}  // namespace qv
