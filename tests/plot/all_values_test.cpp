// Where the all-values display puts its fields: under the data bar, in as many columns as the
// plot area's height needs, all inside the window.
#include <gtest/gtest.h>

#include <algorithm>

#include "plot/all_values.h"

using namespace qv;

TEST(AllValues, FieldsFitThePlotAreaInColumnsInsideTheWindow) {
  struct Case {
    int count, left, top, width, bottom;
    int expectLeft, expectTop, expectRows;
  } cases[] = {
      {4, 223, 7, 1287, 391, 223, 20, 30},    // the standard place: under the data bar
      {39, 223, 7, 1287, 391, 223, 20, 30},   // 40 channels: two columns
      {39, 1250, 100, 1287, 391, 1079, 100, 24},  // columns that would leave the window move left
      {39, 223, 7, 150, 391, 0, 20, 30},      // a window narrower than the columns
  };
  for (const Case& c : cases) {
    const ValueColumns v = valueColumns(c.count, c.left, c.top, c.width, c.bottom);
    EXPECT_EQ(v.left, c.expectLeft) << c.count << " at " << c.left;
    EXPECT_EQ(v.top, c.expectTop) << c.count << " at " << c.left;
    EXPECT_EQ(v.rows, c.expectRows) << c.count << " at " << c.left;
    // Every field's bottom is inside the plot area.
    EXPECT_LE(v.top + kValueRowHeight * (std::min(c.count, v.rows) - 1) + kValueRowHeight, c.bottom);
  }
}
