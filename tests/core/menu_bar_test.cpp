// The menu bar as MAINMENU builds it: numbering with its gaps, texts, Quit and Preferences in
// the application menu, and the edit commands that act on a focused field.
#include <gtest/gtest.h>

#include "core/kit.h"
#include "core/help.h"
#include "app/menu_bar.h"
#include "menus_fixture.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"

using namespace qv;

namespace {

class MenuBar : public menutest::MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    for (int16_t m = 1; m <= 6; ++m) FBMenu(m, 0, 1);
  }
};

int gPickMenu = 0, gPickItem = 0;
void recordPick() {
  gPickMenu = rt::menuNumber();
  gPickItem = rt::menuItemNumber();
}

}  // namespace

TEST_F(MenuBar, NumberingTextsAndSeparators) {
  MAINMENU();  // as built, before start-up disables what needs a file
  EXPECT_EQ(rt::menuBarMenus(), (std::vector<int>{254, 1, 2, 3, 4, 6, 7, 8, -16490}));
  // File ends at item 19: Quit went to the application menu with the separator before it.
  EXPECT_EQ(rt::menuItemCount(1), 19);
  EXPECT_EQ(rt::menuItemText(1, 19), "     Print | Close File");
  EXPECT_TRUE(rt::menuItemIsSeparator(1, 3));
  EXPECT_TRUE(rt::menuItemIsSeparator(1, 16));
  EXPECT_EQ(rt::menuItemText(1, 1), "Open Kestrix...");
  EXPECT_EQ(rt::menuSubmenu(1, 17), 80);
  // Edit keeps the platform's first items and loses Preferences to the application menu.
  EXPECT_EQ(rt::menuItemText(2, 1), "Undo");
  EXPECT_EQ(rt::menuItemText(2, 2), "Reset Last Block");
  EXPECT_EQ(rt::menuItemText(2, 7), "Clear Block    'clear',  'esc'\"");
  EXPECT_EQ(rt::menuItemText(2, 8), "Select All");
  EXPECT_EQ(rt::menuItemCount(2), 36);
  EXPECT_EQ(rt::menuItemState(2, 34), 2);  // Record Edits built checked
  EXPECT_EQ(rt::menuItemText(76, 1), "Compute VO\u2082 ...");
  EXPECT_EQ(rt::menuItemState(76, 12), 0);
  EXPECT_EQ(rt::menuItemText(3, 27), "Shift Block Left \u00AB");
  EXPECT_EQ(rt::menuItemState(79, 3), 2);
  EXPECT_EQ(rt::menuItemState(6, 12), 2);
  EXPECT_EQ(rt::menuItemState(8, 17), 0);
  EXPECT_EQ(rt::menuItemCount(7), 0);
  EXPECT_EQ(rt::menuItemText(254, 1), "About Quorvelant...");
  EXPECT_EQ(rt::menuItemText(254, kAppQuitItem), "Quit");
  EXPECT_EQ(rt::menuItemText(254, kAppPreferencesItem), "Preferences...");
  EXPECT_EQ(rt::menuItemText(-16490, 2), "Key to Toolbar Buttons...");
  // A submenu's parent stays enabled among disabled items.
  EXPECT_EQ(rt::menuItemState(3, 12), 1);
}

TEST_F(MenuBar, QuitAndPreferencesReportTheirOwnPairs) {
  rt::setHandler(rt::Vector::Menu, recordPick);
  qvtest::script({"menu 254 5", "menu 1 21", "menu 2 37", "menu 254 1"});
  const std::pair<int, int> expect[] = {{1, 21}, {1, 21}, {2, 37}, {254, 1}};
  for (auto [m, i] : expect) {
    gPickMenu = gPickItem = 0;
    rt::FBHandleEvents();
    EXPECT_EQ(gPickMenu, m);
    EXPECT_EQ(gPickItem, i);
  }
}

TEST_F(MenuBar, EditCommandsActOnAFocusedFieldElseReachTheDispatcher) {
  rt::setHandler(rt::Vector::Menu, recordPick);
  rt::setHandler(rt::Vector::Dialog, DoDIALOG);
  BuildWINDOW(30, "Tool", 100, 100, 400, 300, 6);
  gPickMenu = gPickItem = 0;
  qvtest::script({"menu 2 8"});
  rt::FBHandleEvents();
  EXPECT_EQ(gPickMenu, 2);
  EXPECT_EQ(gPickItem, 8);

  buildef(1, 3, "abc", 20, 20, 200, 36, 1, 0);  // a framed field takes the focus
  gPickMenu = gPickItem = 0;
  qvtest::script({"menu 2 4"});
  rt::FBHandleEvents();
  EXPECT_EQ(gPickMenu, 0);
  EXPECT_EQ(rt::editText(3), "");
  qvtest::script({"menu 2 1"});
  rt::FBHandleEvents();
  EXPECT_EQ(gPickMenu, 0);
  EXPECT_EQ(rt::editText(3), "abc");
}

TEST_F(MenuBar, ASubmenuItemIsOutOfReachWhileItsParentIsOff) {
  rt::setHandler(rt::Vector::Menu, recordPick);
  FBMenu(2, 0, 0);
  qvtest::script({"menu 76 1"});
  EXPECT_EQ(qvtest::exitStatusOf([] { rt::FBHandleEvents(); }), 3);
  FBMenu(2, 0, 1);
  FBMenu(2, 20, 0);
  qvtest::script({"menu 76 1"});
  EXPECT_EQ(qvtest::exitStatusOf([] { rt::FBHandleEvents(); }), 3);
  FBMenu(2, 20, 1);
  qvtest::script({"menu 76 1"});
  rt::FBHandleEvents();
  EXPECT_EQ(gPickMenu, 76);
}

TEST_F(MenuBar, FBMenuConventions) {
  FBMenu(200, 0, 1, "Test");
  FBMenu(200, 3, 0, "/KThird");
  EXPECT_EQ(rt::menuItemCount(200), 3);
  EXPECT_TRUE(rt::menuItemIsSeparator(200, 1));
  EXPECT_TRUE(rt::menuItemIsSeparator(200, 2));
  EXPECT_EQ(rt::menuItemText(200, 3), "Third");
  EXPECT_EQ(rt::menuItemState(200, 3), 0);
  FBMenu(200, 5, 1);  // no text, no item: nothing
  EXPECT_EQ(rt::menuItemCount(200), 3);
  FBMenu(200, 3, 7);  // another state leaves the item alone
  EXPECT_EQ(rt::menuItemState(200, 3), 0);
  FBMenu(200, 3, 2, "Renamed");
  EXPECT_EQ(rt::menuItemText(200, 3), "Renamed");
  EXPECT_EQ(rt::menuItemState(200, 3), 2);
  EXPECT_EQ(MakeHierMenu(201, 1, "x", 202), -1);
  EXPECT_EQ(MakeHierMenu(200, 4, "Sub", 202), 0);
  EXPECT_EQ(rt::menuSubmenu(200, 4), 202);
  EXPECT_EQ(rt::menuItemState(200, 4), 1);
  rt::menuDelete(200);
  rt::menuDelete(202);
}
