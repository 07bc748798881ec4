#include <gtest/gtest.h>

#include <limits>

#include "core/text_constants.h"
#include "core/open_rules.h"
#include "plot/block_shift.h"
#include "plot/paging.h"
#include "plot/toolbar_layout.h"

using namespace qv;
using namespace qv::plot;

TEST(BlockShift, MovesOneWidthAndNeverLeavesTheFile) {
  struct Case {
    int32_t begin, end;
    bool overlap;
    int direction;
    int32_t newBegin, newEnd;  // 0: not moved
  } cases[] = {
      {11, 20, false, -1, 1, 10},  {1, 10, false, 1, 11, 20},  {9, 18, false, -1, 0, 0},
      {10, 19, false, -1, 0, 0},   // would start at case 0, which holds no sample
      {81, 90, false, 1, 91, 100}, {82, 91, false, 1, 0, 0},   {1, 11, true, 1, 11, 21},
      {11, 21, true, -1, 1, 11},   {10, 20, true, -1, 0, 0},   {50, 50, true, 1, 51, 51},
      {50, 50, false, -1, 49, 49}, {100, 100, true, 1, 0, 0},
  };
  for (const Case& c : cases) {
    const auto r = shiftedBlock(c.begin, c.end, 100, c.overlap, c.direction);
    const std::string what = std::to_string(c.begin) + ".." + std::to_string(c.end);
    if (c.newBegin == 0) {
      EXPECT_FALSE(r) << what;
    } else {
      ASSERT_TRUE(r) << what;
      EXPECT_EQ(r->begin, c.newBegin) << what;
      EXPECT_EQ(r->end, c.newEnd) << what;
    }
  }
}

TEST(BlockShift, FixedWidthFromTheTypedDuration) {
  EXPECT_EQ(blockHalfWidth(10, 1, 100).cases, 5);
  EXPECT_DOUBLE_EQ(offeredBlockSeconds(1), 11.99);
  EXPECT_EQ(blockHalfWidth(11.99, 1, 100).cases, 6);
  EXPECT_EQ(fixedWidthText(6, 1), " 12 sec");
  EXPECT_DOUBLE_EQ(offeredBlockSeconds(10), 119.99);
  EXPECT_EQ(fixedWidthText(blockHalfWidth(119.99, 10, 100).cases, 10), " 2 min");
  EXPECT_EQ(blockHalfWidth(0, 1, 100).cases, 0);
  EXPECT_EQ(automaticBlockPixels(3000000, 1, 1800, 6100000), 885);
  const double inf = std::numeric_limits<double>::infinity();
  for (double bad : {-5.0, inf, std::numeric_limits<double>::quiet_NaN(), 100.5})
    EXPECT_FALSE(blockHalfWidth(bad, 1, 100).error.empty()) << bad;
  EXPECT_FALSE(blockHalfWidth(10, 0, 100).error.empty());
  EXPECT_EQ(offeredBlockSeconds(inf), 0);
}

TEST(Paging, ArrowKeysWrapBothWays) {
  EXPECT_EQ(pageAfterKey(9, 9, 29), 1);
  EXPECT_EQ(pageAfterKey(1, 9, 28), 9);
  EXPECT_EQ(pageAfterKey(4, 9, 28), 3);
  EXPECT_EQ(pageAfterKey(4, 9, 29), 5);
  EXPECT_EQ(pageWithin(12, 4, 9), 4);
  EXPECT_EQ(pageWithin(0, 12, 9), 9);
}

namespace {

const PlacedTool& tool(const std::vector<PlacedTool>& placed, int id) {
  for (const PlacedTool& p : placed)
    if (std::abs(p.id) == id) return p;
  static PlacedTool none{0, "", {}};
  ADD_FAILURE() << "no button " << id;
  return none;
}

}  // namespace

TEST(ToolBarLayout, PlacesOfBothLayouts) {
  BuildSpecialCharacters();
  const auto vertical = layoutTools(kVerticalBarWidth, true);
  ASSERT_EQ(vertical.size(), 48u);
  EXPECT_EQ(tool(vertical, 598).rect, (rt::Rect{8, 1, 44, 25}));
  EXPECT_EQ(tool(vertical, 587).rect, (rt::Rect{6, 507, 39, 531}));
  EXPECT_EQ(tool(vertical, 599).rect, (rt::Rect{6, 645, 50, 669}));
  // "Dup" follows "Blk" on the vertical bar only.
  for (size_t i = 0; i + 1 < vertical.size(); ++i) {
    if (vertical[i].id == 584) {
      EXPECT_EQ(vertical[i + 1].id, 587);
    }
  }

  const auto wide = layoutTools(1265, false);
  const PlacedTool* firstOfRow2 = nullptr;
  for (const PlacedTool& p : wide)
    if (p.rect.top == 24 && !firstOfRow2) firstOfRow2 = &p;
  ASSERT_TRUE(firstOfRow2);
  EXPECT_EQ(firstOfRow2->rect, (rt::Rect{6, 24, 36, 45}));
  EXPECT_EQ(tool(wide, 599).rect, (rt::Rect{594, 24, 638, 45}));
  EXPECT_EQ(horizontalBarHeight(wide), 47);
  // Every button lies inside the bar the layout asks for.
  for (int width : {600, 1265, 1357, 1877}) {
    const auto placed = layoutTools(width, false);
    const int height = horizontalBarHeight(placed);
    for (const PlacedTool& p : placed) {
      EXPECT_LE(p.rect.right, width) << width << " " << p.id;
      EXPECT_LE(p.rect.bottom, height) << width << " " << p.id;
    }
  }
  EXPECT_EQ(horizontalBarHeight(layoutTools(600, false)), 24 + 3 * 23);
  EXPECT_EQ(horizontalBarHeight(layoutTools(1877, false)), 24);
}
