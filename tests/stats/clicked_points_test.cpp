#include <gtest/gtest.h>

#include <cmath>

#include "stats/clicked_points.h"

using namespace qv;

TEST(ClickedPoints, RunningValuesStatisticsAndOneDeletePerClick) {
  RunningValues r;
  EXPECT_EQ(r.stats().n, 0);
  r.click(1);
  r.click(2);
  ClickedStats s = r.stats();
  EXPECT_EQ(s.n, 2);
  EXPECT_DOUBLE_EQ(s.mean, 1.5);
  EXPECT_FALSE(s.sd);  // fewer than 3 values: no spread
  r.click(6);
  s = r.stats();
  EXPECT_EQ(s.n, 3);
  EXPECT_EQ(s.last, 6);
  EXPECT_DOUBLE_EQ(s.mean, 3);
  EXPECT_DOUBLE_EQ(s.total, 9);
  ASSERT_TRUE(s.sd);
  EXPECT_NEAR(*s.sd, 2.160247, 1e-6);

  EXPECT_EQ(r.erase(), DeleteOutcome::Removed);
  EXPECT_EQ(r.erase(), DeleteOutcome::Nothing);
  EXPECT_EQ(r.stats().n, 2);
  r.click(4);
  EXPECT_EQ(r.erase(), DeleteOutcome::Removed);
  EXPECT_EQ(r.stats().n, 2);
}

TEST(ClickedPoints, TheTwoHundredAndFirstValueOrPairIsRefused) {
  RunningValues r;
  for (int i = 0; i < kMostClickedValues; ++i) ASSERT_EQ(r.click(i), ClickOutcome::Taken);
  EXPECT_EQ(r.click(1), ClickOutcome::Full);
  EXPECT_EQ(r.stats().n, kMostClickedValues);
  EXPECT_EQ(r.erase(), DeleteOutcome::Removed);
  EXPECT_EQ(r.click(1), ClickOutcome::Taken);

  ValuePairs p;
  for (int i = 0; i < kMostClickedValues; ++i) {
    ASSERT_EQ(p.click(2 * i + 1, 0, 1), ClickOutcome::Waiting);
    ASSERT_EQ(p.click(2 * i + 2, 1, 1), ClickOutcome::Taken);
  }
  EXPECT_EQ(p.click(1000, 0, 1), ClickOutcome::Full);
  EXPECT_FALSE(p.waiting());
}

TEST(ClickedPoints, PairsDifferencesAndRefusals) {
  ValuePairs p;
  // A reversed pair gives positive differences.
  EXPECT_EQ(p.click(300, 5.0, 0.5), ClickOutcome::Waiting);
  EXPECT_EQ(p.click(300, 9.0, 0.5), ClickOutcome::Refused);  // same case: still open
  EXPECT_EQ(p.click(100, 2.0, 0.5), ClickOutcome::Taken);
  EXPECT_DOUBLE_EQ(p.values()[0], 3.0);
  EXPECT_DOUBLE_EQ(p.times()[0], 100.0);
  // A new pair may start at the last pair's case.
  EXPECT_EQ(p.click(100, 2.0, 0.5), ClickOutcome::Waiting);
  // Delete while a first point waits cancels that point only.
  EXPECT_EQ(p.erase(), DeleteOutcome::CancelledWaiting);
  EXPECT_FALSE(p.waiting());
  EXPECT_EQ(p.valueStats().n, 1);
  EXPECT_EQ(p.erase(), DeleteOutcome::Nothing);
  EXPECT_EQ(p.click(10, 1.0, 0.5), ClickOutcome::Waiting);
  EXPECT_EQ(p.click(20, 1.5, 0.5), ClickOutcome::Taken);
  EXPECT_EQ(p.erase(), DeleteOutcome::Removed);
  EXPECT_EQ(p.valueStats().n, 1);
}

TEST(ClickedPoints, PairTimesAreExactFarIntoALongFile) {
  const PairDifference d = pairDifference(1, 6000000, 2, 6000001, 0.01);
  EXPECT_NEAR(d.seconds, 0.01, 1e-12);
  EXPECT_DOUBLE_EQ(pairDifference(1, 6000001, 2, 6000000, 0.01).seconds, d.seconds);
}

// A click on a missing sample (NaN or infinite) is refused: taken, it would leave the mean,
// total and range of every later click unreadable.
TEST(ClickedPoints, AClickOnASampleThatIsNotANumberIsRefused) {
  for (double bad : {double(NAN), double(INFINITY), -double(INFINITY)}) {
    RunningValues r;
    r.click(2);
    EXPECT_EQ(r.click(bad), ClickOutcome::Refused);
    r.click(4);
    const ClickedStats s = r.stats();
    EXPECT_EQ(s.n, 2);
    EXPECT_DOUBLE_EQ(s.mean, 3);
    EXPECT_EQ(r.erase(), DeleteOutcome::Removed);  // the 4: the refused click left nothing to take back
    EXPECT_EQ(r.stats().n, 1);

    ValuePairs p;
    EXPECT_EQ(p.click(10, bad, 1.0), ClickOutcome::Refused);
    EXPECT_FALSE(p.waiting());
    EXPECT_EQ(p.click(10, 5, 1.0), ClickOutcome::Waiting);
    EXPECT_EQ(p.click(12, bad, 1.0), ClickOutcome::Refused);
    ASSERT_TRUE(p.waiting());  // the first point still waits for a usable second one
    EXPECT_EQ(p.click(13, 8, 1.0), ClickOutcome::Taken);
    EXPECT_DOUBLE_EQ(p.valueStats().mean, 3);
    EXPECT_DOUBLE_EQ(p.timeStats().mean, 3);
  }
}
