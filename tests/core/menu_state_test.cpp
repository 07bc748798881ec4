// SETMENU on a table of file states, and the Window menu.
#include <gtest/gtest.h>

#include "plot/menu_rules.h"
#include "menus_fixture.h"
#include "runtime/menus.h"

using namespace qv;

namespace {

class MenuState : public menutest::MenusTest {};

struct Expect {
  int menu, item, state;
};

}  // namespace

TEST_F(MenuState, ItemsFollowTheFileInUse) {
  struct Case {
    const char* name;
    int channels;
    int32_t cases;
    bool block, zoomed;
    std::vector<Expect> expect;
  } cases[] = {
      {"one channel, no block", 1, 500, false, false,
       {{2, 32, 0}, {73, 4, 0}, {2, 31, 1}, {3, 1, 0}, {3, 8, 1}, {3, 27, 0}, {2, 7, 0}, {1, 8, 0}, {4, 6, 0},
        {4, 7, 0}, {76, 12, 0}, {3, 13, 1}}},
      {"one channel, block", 1, 500, true, false,
       {{3, 16, 0}, {3, 18, 0}, {3, 1, 1}, {3, 15, 1}, {2, 7, 1}, {1, 8, 1}, {4, 6, 1}, {2, 30, 1}, {73, 4, 0}}},
      {"forty channels, block, zoomed", 40, 500, true, true,
       {{2, 31, 0}, {2, 32, 1}, {73, 4, 1}, {3, 16, 1}, {4, 6, 2}, {4, 7, 1}, {82, 3, 1}}},
      {"forty channels, no block, zoomed", 40, 500, false, true, {{4, 6, 0}, {4, 7, 1}, {3, 5, 0}, {82, 3, 0}}},
      {"127 cases with a block", 2, 127, true, false, {{3, 13, 1}}},
      {"127 cases without a block", 2, 127, false, false, {{3, 13, 0}}},
      {"128 cases without a block", 2, 128, false, false, {{3, 13, 1}}},
  };
  for (const auto& c : cases) {
    openFile(0, c.channels, c.cases);
    if (c.block) setBlock(10, 20);
    else FileSHORTS[0][2] = 0;
    FileSHORTS[0][6] = c.zoomed ? 1 : 0;
    SETMENU(1);
    for (const auto& e : c.expect)
      EXPECT_EQ(rt::menuItemState(e.menu, e.item), e.state) << c.name << ": menu " << e.menu << " item " << e.item;
  }
}

TEST_F(MenuState, ResetLastBlockOnlyWhileTheLastBlockLiesInTheFile) {
  openFile(0, 2, 300);
  FileSHORTS[0][2] = 0;
  EndBlock.inUse() = 250;
  SETMENU(1);
  EXPECT_EQ(rt::menuItemState(2, 2), 1);
  EndBlock.inUse() = 301;
  SETMENU(1);
  EXPECT_EQ(rt::menuItemState(2, 2), 0);
}

TEST_F(MenuState, WindowMenuListsTheOpenFilesInSlotOrder) {
  openFile(4, 1, 10);
  openFile(1, 1, 10);
  FIxWINDOWSmenu();
  EXPECT_EQ(NumberOfOpenFiles, 2);
  EXPECT_EQ(rt::menuItemText(7, 1), "file 1");
  EXPECT_EQ(rt::menuItemText(7, 2), "file 4");
  EXPECT_EQ(rt::menuItemState(1, 11), 0);
  openFile(2, 1, 10);
  FIxWINDOWSmenu();
  EXPECT_EQ(rt::menuItemCount(7), 3);
  EXPECT_EQ(rt::menuItemState(1, 11), 1);
  WindowsMenuCheckmark(1005);  // the plot window 1004 in front: slot 4, the third open file
  EXPECT_EQ(rt::menuItemState(7, 3), 2);
  EXPECT_EQ(rt::menuItemState(7, 1), 1);
  FreeFileSlot(2);
  FIxWINDOWSmenu();
  EXPECT_EQ(rt::menuItemCount(7), 2);
  EXPECT_EQ(SlotOfOpenFile(2), 4);
  EXPECT_EQ(SlotOfOpenFile(3), -1);
}
