#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/block_stats.h"
#include "core/stats_state.h"
#include "case_samples.h"

using namespace qv;

namespace {

using statstest::channel;

int32_t last(const std::vector<float>& v) { return int32_t(v.size()) - 1; }

}  // namespace

TEST(BlockStats, DescriptiveValuesOnATable) {
  struct Case {
    std::vector<float> data;
    int32_t n;
    double mean, sd, se, min, max;
    double cv;  // percent, < 0: none
  } cases[] = {
      {channel({1, 2, 3, 4}), 4, 2.5, 1.118034, 0.559017, 1, 4, 44.7214},
      {channel({7, 7, 7}), 3, 7, 0, 0, 7, 7, 0},
      {channel({-3, 3}), 2, 0, 3, 3 / std::sqrt(2.0), -3, 3, -1},  // zero mean: no C.V.
      {channel({5}), 1, 5, 0, 0, 5, 5, 0},
      {channel({2.5f, -1.5f, 10, 0.25f, 4}), 5, 3.05, 3.950949, 1.766918, -1.5, 10, 129.5393},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.n);
    BlockStats s = blockStats(c.data, 1, last(c.data));
    ASSERT_TRUE(s.valid());
    EXPECT_EQ(s.n, c.n);
    EXPECT_NEAR(s.mean, c.mean, 1e-9);
    EXPECT_NEAR(s.sd, c.sd, 1e-5);
    EXPECT_NEAR(s.se(), c.se, 1e-5);
    EXPECT_EQ(s.min, float(c.min));
    EXPECT_EQ(s.max, float(c.max));
    if (c.cv < 0)
      EXPECT_FALSE(s.cv().has_value());
    else
      EXPECT_NEAR(*s.cv(), c.cv, 1e-3);
  }
}

TEST(BlockStats, TheRangeStaysInsideTheData) {
  std::vector<float> v = channel({1, 2, 3, 4, 5, 6});
  BlockStats inner = blockStats(v, 2, 4);
  EXPECT_EQ(inner.n, 3);
  EXPECT_DOUBLE_EQ(inner.mean, 3.0);
  // Case 0 holds no sample and cases past the end do not exist: neither is read.
  BlockStats wide = blockStats(v, 0, 1000);
  EXPECT_EQ(wide.begin, 1);
  EXPECT_EQ(wide.end, 6);
  EXPECT_EQ(wide.n, 6);
  EXPECT_EQ(wide.min, 1.0f);
}

TEST(BlockStats, ValueWindowIsInclusiveAndWarnsBelowThreeCases) {
  std::vector<float> v = channel({1, 2, 3, 4, 5, 6});
  BlockStats s = blockStats(v, 1, 6, {}, {true, 2.0f, 5.0f});
  EXPECT_EQ(s.n, 4);  // 2, 3, 4, 5: the limits themselves count
  EXPECT_DOUBLE_EQ(s.mean, 3.5);
  EXPECT_EQ(s.min, 2.0f);
  EXPECT_EQ(s.max, 5.0f);
  EXPECT_FALSE(s.tooFewInWindow);

  // A window that keeps two cases still gives their mean and range, and says it is too narrow.
  BlockStats narrow = blockStats(v, 1, 6, {}, {true, 5.0f, 6.0f});
  EXPECT_EQ(narrow.n, 2);
  EXPECT_TRUE(narrow.tooFewInWindow);
  EXPECT_DOUBLE_EQ(narrow.mean, 5.5);
  EXPECT_EQ(narrow.min, 5.0f);
  EXPECT_EQ(narrow.max, 6.0f);
  // Plain mode never warns, whatever the count.
  EXPECT_FALSE(blockStats(v, 1, 2).tooFewInWindow);
}

TEST(BlockStats, FilteredCasesCountNowhere) {
  std::vector<float> v = channel({1, 2, 100, 3, 4, -50});
  // Subset row: case 3 excluded; interpolation row: case 6 interpolated.
  std::vector<float> subset{5, 1, 1, 0, 1, 1, 1};
  std::vector<float> interp{0, 0, 0, 0, 0, 0, 1};
  CaseFilters both{true, subset, true, interp};
  BlockStats s = blockStats(v, 1, 6, both);
  EXPECT_EQ(s.n, 4);
  EXPECT_DOUBLE_EQ(s.mean, 2.5);
  EXPECT_NEAR(s.sd, 1.118034, 1e-6);
  EXPECT_EQ(s.min, 1.0f);
  EXPECT_EQ(s.max, 4.0f);
  // In value-window mode as well.
  BlockStats w = blockStats(v, 1, 6, both, {true, -1000.0f, 1000.0f});
  EXPECT_EQ(w.n, 4);
  EXPECT_EQ(w.max, 4.0f);

  // Each filter alone, and switched off while its row says otherwise.
  EXPECT_EQ(blockStats(v, 1, 6, {true, subset, false, interp}).n, 5);
  EXPECT_EQ(blockStats(v, 1, 6, {false, subset, true, interp}).n, 5);
  EXPECT_EQ(blockStats(v, 1, 6, {false, subset, false, interp}).n, 6);
}

TEST(BlockStats, NonFiniteSamplesAreNoCases) {
  const float nan = std::nanf(""), inf = INFINITY;
  std::vector<float> v = channel({1, nan, 3, inf, 5, -inf});
  std::vector<float> all{1, 1, 1, 1, 1, 1, 1};
  const BlockStats results[] = {
      blockStats(v, 1, 6),                                     // plain
      blockStats(v, 1, 6, {true, all, false, {}}),             // through the case filters
      blockStats(v, 1, 6, {}, {true, -inf, inf}),              // a value window open to infinity
  };
  for (const BlockStats& s : results) {
    EXPECT_EQ(s.n, 3);
    EXPECT_DOUBLE_EQ(s.mean, 3.0);
    EXPECT_NEAR(s.sd, std::sqrt(8.0 / 3.0), 1e-6);
    EXPECT_EQ(s.min, 1.0f);
    EXPECT_EQ(s.max, 5.0f);
  }
  // Nothing but gaps: no valid case, not a NaN mean.
  EXPECT_FALSE(blockStats(channel({nan, nan}), 1, 2).valid());
}

TEST(BlockStats, NoValidCasePublishesNothingUndefined) {
  std::vector<float> v = channel({1, 2, 3});
  std::vector<float> none{0, 0, 0, 0};
  const BlockStats results[] = {
      blockStats(v, 3, 2),                              // empty range
      blockStats(v, 1, 3, {true, none, false, {}}),     // everything filtered
      blockStats(v, 1, 3, {}, {true, 10.0f, 20.0f}),    // nothing inside the value window
      blockStats({}, 1, 3),                             // no data at all
  };
  for (const BlockStats& s : results) {
    EXPECT_FALSE(s.valid());
    EXPECT_EQ(s.n, 0);
    meanValue = 123.0;
    mi = -1.0f;
    publishStatistics(s, 1, 3);
    EXPECT_EQ(nrPoints, 0);
    EXPECT_EQ(nPoints, 0);
    EXPECT_EQ(meanValue, 0.0);
    EXPECT_TRUE(std::isfinite(StandardDeviation) && std::isfinite(mi) && std::isfinite(ma));
  }
}

TEST(BlockStats, PublishingSetsTheSharedResults) {
  std::vector<float> v = channel({1, 2, 3, 4, 5});
  publishStatistics(blockStats(v, 2, 5), 2, 5);
  EXPECT_DOUBLE_EQ(meanValue, 3.5);
  EXPECT_EQ(nrPoints, 4);
  EXPECT_EQ(nPoints, 4);
  EXPECT_EQ(mi, 2.0f);
  EXPECT_EQ(ma, 5.0f);
  EXPECT_EQ(yFloat, 5.0f);
  EXPECT_EQ(BeginAverage, 2);
  EXPECT_EQ(EndAverage, 5);
  EXPECT_EQ(x1float, 2.0f);
  EXPECT_EQ(SecondXvalue, 5.0f);
}
