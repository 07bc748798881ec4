#include <gtest/gtest.h>

#include <vector>

#include "core/screen_place.h"
#include "stats/subset_layout.h"

using namespace qv;

namespace {

const rt::Rect kScreen{0, 0, 1440, 900};
constexpr int kMaxHeight = 900 - kTitleBarHeight - 20;  // what the window asks of the screen

bool inside(const rt::Rect& r, int width, int height) {
  return r.left >= 0 && r.top >= 0 && r.right <= width && r.bottom <= height && r.left < r.right && r.top < r.bottom;
}
bool overlap(const rt::Rect& a, const rt::Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

}  // namespace

TEST(SubsetLayout, EveryControlInsideAWindowOnTheScreenFor1To40Channels) {
  for (int n = 1; n <= 40; ++n) {
    const SubsetLayout l = subsetWindowLayout(n, kMaxHeight);
    ASSERT_EQ(int(l.rows.size()), n);
    std::vector<rt::Rect> all{l.setIndex, l.clearAll, l.done};
    for (const auto& r : l.rows) {
      all.push_back(r.label);
      for (size_t k = 0; k < 3; ++k) all.push_back(r.box[k]), all.push_back(r.field[k]);
    }
    for (size_t i = 0; i < all.size(); ++i) {
      EXPECT_TRUE(inside(all[i], l.width, l.height)) << n << " channels, control " << i;
      for (size_t j = i + 1; j < all.size(); ++j) EXPECT_FALSE(overlap(all[i], all[j])) << n << ": " << i << " " << j;
    }
    // Every column has its titles above its first row.
    ASSERT_EQ(int(l.titles.size()), l.columns);
    for (const auto& t : l.titles) EXPECT_LT(t[0].y, l.rows[0].box[0].top);
    const rt::Rect placed = placeOnScreen({50, 300, 50 + l.width, 300 + l.height}, kScreen);
    EXPECT_TRUE(fitsOnScreen(placed, kScreen)) << n;
  }
}

TEST(SubsetLayout, OneColumnAsBeforeUntilTheScreenIsFull) {
  const SubsetLayout one = subsetWindowLayout(5, kMaxHeight);
  EXPECT_EQ(one.width, 530);
  EXPECT_EQ(one.height, 22 * 5 + 110);
  EXPECT_EQ(one.rows[0].box[0], (rt::Rect{272, 56, 288, 70}));
  EXPECT_EQ(one.rows[4].field[2], (rt::Rect{462, 144, 522, 158}));
  EXPECT_EQ(one.done, (rt::Rect{355, 188, 465, 210}));
  EXPECT_EQ(subsetWindowLayout(34, kMaxHeight).columns, 1);
  const SubsetLayout two = subsetWindowLayout(40, kMaxHeight);
  EXPECT_EQ(two.columns, 2);
  EXPECT_EQ(two.rows[20].label.left, 530 + 8) << "channel 21 heads the second column";
  EXPECT_EQ(two.rows[20].label.top, two.rows[0].label.top);
}
