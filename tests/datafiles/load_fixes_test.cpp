#include "datafiles/load_fixes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace qv;

TEST(LoadFixes, SpikeCheck) {
  struct Row {
    std::vector<float> in, out;
  };
  const Row rows[] = {
      {{0, 10, 500, 10}, {0, 10, 10, 10}},
      {{0, 10, 409, 10}, {0, 10, 409, 10}},                // 399 from its neighbours
      {{0, 10, 500, 500, 10}, {0, 10, 500, 500, 10}},      // a plateau is no spike
      {{0, 10, -600, 10}, {0, 10, 10, 10}},                // downward too
      {{1000, 10, 1000, 1000}, {1000, 1000, 1000, 1000}},  // case 0 is the left neighbour of case 1
      {{0, 0, -500, 500, 0}, {0, 0, 250, 500, 0}},         // a replaced value is the next left neighbour
      {{3e38f, -3e38f, 3e38f, -3e38f, 3e38f}, {3e38f, 3e38f, 3e38f, 3e38f, 3e38f}},  // their sum is past a float
  };
  for (const Row& r : rows) {
    std::vector<float> v = r.in;
    spikeCheckChannel(v);
    EXPECT_EQ(v, r.out);
  }
}

TEST(LoadFixes, AberrantEndsAndStartOfArray) {
  std::vector<float> v{3e20f, 1, 2, -3e20f};
  fixAberrantEnds(v);
  EXPECT_EQ(v, (std::vector<float>{1, 1, 2, 2}));
  v = {-2e20f, 1, 2, 2e20f};  // exactly the limit is kept
  fixAberrantEnds(v);
  EXPECT_EQ(v, (std::vector<float>{-2e20f, 1, 2, 2e20f}));

  v = {5e7f, 0, 2.5f, 3};
  fixStartOfArray(v);
  EXPECT_EQ(v, (std::vector<float>{2.5f, 2.5f, 2.5f, 3}));
  v = {1e-7f, 2e8f, 5};  // two cases: case 2 has no successor
  fixStartOfArray(v);
  EXPECT_EQ(v, (std::vector<float>{5, 5, 5}));
}

TEST(LoadFixes, SampleIntervalCheck) {
  EXPECT_FALSE(sampleIntervalCheck(0.5f).needsWarning);
  // Zero, and whatever is no length of time at all, is asked for alike.
  const float inf = std::numeric_limits<float>::infinity();
  for (float bad : {0.0f, -0.0f, -1.0f, std::nanf(""), inf, -inf}) {
    const SampleIntervalCheck c = sampleIntervalCheck(bad);
    EXPECT_TRUE(c.needsWarning) << bad;
    EXPECT_FLOAT_EQ(c.interval, 9.999f) << bad;
  }
  EXPECT_FLOAT_EQ(intervalAfterWarning(2), 2.0f);
  for (double typed : {0.0, -1.0, double(NAN), double(INFINITY), 1e300})
    EXPECT_FLOAT_EQ(intervalAfterWarning(typed), 9.999f) << typed;
}
