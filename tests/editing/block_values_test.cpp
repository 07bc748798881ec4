// Setting blocks to a value and scaling a channel to a block's range.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "editing/block_values.h"

using namespace qv;

TEST(BlockValue, SetsOnlyTheBlockInsideTheChannel) {
  std::vector<float> y(11, 1.0f);
  setBlockValue(y, 3, 5, -1);
  setBlockValue(y, 9, 40, 7);
  EXPECT_EQ(y, (std::vector<float>{1, 1, 1, -1, -1, -1, 1, 1, 1, 7, 7}));
}

TEST(BlockScale, MapsTheBlockRangeOntoTheLimits) {
  // Block 3..7 holds 2..6; case 1 (10) lies outside it.
  std::vector<float> y{0, 10, 1, 2, 3, 6, 4, 5, 0, NAN};
  const auto r = blockRange(y, 3, 7);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->low, 2);
  EXPECT_EQ(r->high, 6);
  struct Case {
    double upper, lower;
    float three;
  } cases[] = {{100, 0, 25}, {10, 5, 6.25f}, {6, 2, 3}};
  for (const Case& c : cases) {
    auto z = y;
    const auto s = blockScale(*r, c.upper, c.lower);
    ASSERT_TRUE(s);
    applyBlockScale(z, 3, 7, *s);
    EXPECT_FLOAT_EQ(z[4], c.three);
    EXPECT_EQ(z[1], 10);
  }
  auto whole = y;
  applyBlockScale(whole, 1, 9, *blockScale(*r, 100, 0));
  EXPECT_FLOAT_EQ(whole[1], 200);
  EXPECT_TRUE(std::isnan(whole[9]));
  EXPECT_FALSE(blockScale({3, 3}, 100, 0));
  EXPECT_FALSE(blockScale(*r, NAN, 0));
  EXPECT_FALSE(blockRange(y, 9, 9));
}
