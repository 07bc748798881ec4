#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/block_stats.h"
#include "output/stats_text.h"

using namespace qv;

TEST(ClockText, MakeTimeStringOnATable) {
  struct Case {
    double minutes;
    const char* text;
  } cases[] = {
      {0, " 0:00:00  "},
      {90, " 1:30:00  "},
      {1500, " 1:00:00  "},     // past a day: wraps to 60 minutes
      {61.5, " 1:01:30  "},
      {605.25, " 10:05:15  "},
      {59.99, " 0:59:59  "},    // seconds are cut, not rounded
      {1440, " 24:00:00  "},    // a whole day does not wrap
      {2880, " 24:00:00  "},
      {1440 * 400 + 75, " 1:15:00  "},
      {-30, " 23:30:00  "},
      {std::nan(""), "**"},
      {INFINITY, "**"},
  };
  for (const Case& c : cases) EXPECT_EQ(MakeTimeString(c.minutes), c.text) << c.minutes;
}

TEST(ClockText, CaseTimesUseTheExactMinute) {
  // 6,100,000 s after midnight is 70 days and 14:26:40; a 1/60 rounded to 0.0166667 would read
  // 12 s later.
  EXPECT_EQ(MakeTimeString(clockMinutes(6100000, 1.0, 0)), " 14:26:40  ");
  EXPECT_EQ(MakeTimeString(clockMinutes(6100000, 0.25, 480)), " 23:36:40  ");  // 8:00 + 1,525,000 s
  EXPECT_EQ(MakeTimeString(clockMinutes(3, 20.0, 59)), " 1:00:00  ");
}

TEST(Durations, ElapsedTimeOnATable) {
  struct Case {
    int32_t n;
    double interval;
    int16_t unit;
    const char* text;
    bool overTen;
  } cases[] = {
      {1, 1.0, kUnitSeconds, " 0 sec", false},  // one case has no duration
      {0, 1.0, kUnitSeconds, " 0 sec", false},
      {61, 1.0, kUnitMinutes, "  1.000 min", false},
      {601, 1.0, kUnitSeconds, "  600.00 sec", false},
      {602, 1.0, kUnitSeconds, "  601.00 sec", true},
      {3601, 2.0, kUnitHours, "  2.000 hours", true},
      {1441, 60.0, kUnitDays, "  1.000 days", true},
      {11, 0.5, kUnitNone, "  5.000 sec", false},  // "None" still shows the time in seconds
  };
  for (const Case& c : cases) {
    Duration d = elapsedDuration(c.n, c.interval, c.unit);
    EXPECT_EQ(d.text(), c.text) << c.n;
    EXPECT_EQ(d.overTenMinutes, c.overTen) << c.n;
  }
}

TEST(IntegratedTotal, OnATableOfUnitsConstantsAndFilters) {
  const ResultScaling none;
  const ResultScaling x2plus1{2.0, 1.0};
  struct Case {
    double sum;
    int32_t n;
    ResultScaling scaling;
    double interval;
    int16_t unit;
    double total;
  } cases[] = {
      {10, 4, none, 1.0, kUnitSeconds, 10},
      {10, 4, none, 1.0, kUnitMinutes, 10.0 / 60},
      {10, 4, none, 2.0, kUnitMinutes, 20.0 / 60},
      {10, 4, none, 30.0, kUnitHours, 300.0 / 3600},
      {10, 4, none, 3600.0, kUnitDays, 36000.0 / 86400},
      {10, 4, none, 7.0, kUnitNone, 10},             // "None": the plain sum
      {10, 4, none, 7.0, kUnitNoneArea, 10},
      {10, 4, x2plus1, 1.0, kUnitNone, 24},          // the constant once per case
      {10, 4, x2plus1, 30.0, kUnitMinutes, 12},      // (2 x 10 + 4) x 30 / 60
      {10, 4, {0.5, -2.0}, 60.0, kUnitHours, -3.0 / 60},
      {0, 0, x2plus1, 1.0, kUnitSeconds, 0},
  };
  for (const Case& c : cases) {
    IntegratedTotal t = integratedTotal(c.sum, c.n, c.scaling, c.interval, c.unit);
    EXPECT_TRUE(t.valid);
    EXPECT_NEAR(t.total, c.total, 1e-12) << c.sum << " unit " << c.unit;
    EXPECT_EQ(t.nPoints, c.n);
    // The area integration keeps its total unscaled in the unit; scaling it afterwards gives
    // the same number.
    IntegratedTotal plain = integratedTotal(c.sum, c.n, {}, c.interval, c.unit);
    EXPECT_NEAR(scaleIntegratedTotal(plain.total, c.n, c.scaling, c.interval, c.unit).total,
                c.total, 1e-12);
  }
  // A timed unit needs a positive interval; "None" does not.
  for (double bad : {0.0, -1.0, double(NAN)}) {
    IntegratedTotal t = integratedTotal(10, 4, none, bad, kUnitMinutes);
    EXPECT_FALSE(t.valid);
    EXPECT_EQ(t.text(), "**");
    EXPECT_TRUE(integratedTotal(10, 4, none, bad, kUnitNone).valid);
  }
}

TEST(IntegratedTotal, CountsTheCasesIncludedNotTheLastCase) {
  // Cases 101..104 of a file, case 103 excluded: three cases are summed, whatever the case numbers.
  std::vector<float> v(106, 0.0f);
  v[101] = 1, v[102] = 2, v[103] = 50, v[104] = 3;
  std::vector<float> subset(106, 1.0f);
  subset[103] = 0;
  BlockStats s = blockStats(v, 101, 104, {true, subset, false, {}});
  IntegratedTotal t = integratedTotal(s.sum, s.n, {}, 60.0, kUnitMinutes);
  EXPECT_EQ(t.nPoints, 3);
  EXPECT_DOUBLE_EQ(t.total, 6.0);
}

namespace {
StatsTextInput inputOf(std::vector<float> values) {
  values.insert(values.begin(), 0.0f);
  BlockStats s = blockStats(values, 1, int32_t(values.size()) - 1);
  StatsTextInput in;
  in.n = s.n;
  in.mean = s.mean;
  in.sd = s.sd;
  in.min = s.min;
  in.max = s.max;
  in.firstCase = 120;
  in.lastCase = float(120 + s.n - 1);
  in.intervalSeconds = 30;
  in.startMinutes = 600;
  in.unit = kUnitMinutes;
  return in;
}
}  // namespace

TEST(StatsText, FieldsOfTheStatisticsBlock) {
  StatsText t = composeStatsText(inputOf({1, 2, 3, 4}));
  EXPECT_EQ(t.clockLine, "       from 11:00:00  to 11:01:30  ");
  EXPECT_EQ(t.mean, " 2.5");
  EXPECT_EQ(t.sd, " 1.11803");
  EXPECT_EQ(t.cv, "  44.721 %");
  EXPECT_EQ(t.se, " 0.55902");
  EXPECT_EQ(t.n, "4");
  EXPECT_EQ(t.duration, "  1.500 min");
  EXPECT_EQ(t.range, " 1  to  4");
  EXPECT_EQ(t.integratedTotal, " 5");  // 10 x 30 s in minutes
  EXPECT_EQ(t.nPoints, 4);
  EXPECT_FALSE(t.noValidCases);
}

TEST(StatsText, ScalingFewCasesAndNoCases) {
  StatsTextInput in = inputOf({7, 10, 13});
  in.scaling = {2.0, 1.0};
  StatsText scaled = composeStatsText(in);
  EXPECT_EQ(scaled.mean, " 21");
  EXPECT_EQ(scaled.range, " 15  to  27");
  EXPECT_EQ(scaled.sd, composeStatsText(inputOf({14, 20, 26})).sd);  // spreads take no constant

  StatsText two = composeStatsText(inputOf({1, 3}));
  EXPECT_EQ(two.mean, " 2");
  EXPECT_EQ(two.n, "2");
  EXPECT_TRUE(two.sd.empty() && two.cv.empty() && two.se.empty());
  EXPECT_FALSE(two.duration.empty());

  StatsText zeroMean = composeStatsText(inputOf({-1, 0, 1}));
  EXPECT_EQ(zeroMean.cv, "**");

  StatsTextInput empty = inputOf({});
  StatsText none = composeStatsText(empty);
  EXPECT_TRUE(none.noValidCases);
  EXPECT_EQ(none.mean, "no valid cases");
  EXPECT_EQ(none.n, "0");
  EXPECT_TRUE(none.sd.empty() && none.range.empty() && none.integratedTotal.empty());
}

TEST(StatsText, ClosedSystemShowsARate) {
  StatsTextInput in = inputOf({1, 1, 1});
  in.closedSystem = ClosedSystem{1, true, 20.95f, 0.85f, 100.0f};
  StatsText t = composeStatsText(in);
  // m = 0.01; q = 100 x 0.01 / (1 - (0.2095 - 0.01)) = 1.249219
  EXPECT_EQ(t.mean, " 1.24922 ml/min");
  EXPECT_TRUE(t.integratedTotal.empty());
  EXPECT_FALSE(closedSystemRate(1.0, ClosedSystem{2, false, 20.95f, 0.0f, 1.0f}).has_value());
}
