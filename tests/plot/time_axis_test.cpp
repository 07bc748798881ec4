#include <gtest/gtest.h>

#include "plot/time_axis.h"

using namespace qv::plot;

TEST(TimeAxis, StartTimeOfDay) {
  EXPECT_EQ(startSeconds("23:30:00"), 84600);
  EXPECT_EQ(startSeconds("09:15:07"), 33307);
  EXPECT_EQ(startSeconds(""), 0);
  EXPECT_EQ(startSeconds("ab:cd:ef"), 0);
}

TEST(TimeAxis, HourTicksOfAPageStartingAtHalfPastEleven) {
  TimeAxisInput in;
  in.startOfDay = startSeconds("23:30:00");
  in.interval = 10;
  in.nCases = 5000;
  in.screenWidth = 1000;
  const TimeAxis a = timeAxis(in);
  EXPECT_EQ(a.unit, TickUnit::Hour);
  EXPECT_DOUBLE_EQ(a.pixelsPerUnit, 360);
  ASSERT_EQ(a.ticks.size(), 3u);
  EXPECT_DOUBLE_EQ(a.ticks[0].x, 181);
  EXPECT_EQ(a.ticks[0].number, 24);
  EXPECT_TRUE(a.ticks[0].label);
  EXPECT_EQ(a.ticks[0].text, "hr 24");
  EXPECT_EQ(a.ticks[0].labelX, 161);
  EXPECT_DOUBLE_EQ(a.ticks[1].x, 541);
  EXPECT_EQ(a.ticks[1].number, 1);
  EXPECT_EQ(a.ticks[1].text, " 1");
  EXPECT_EQ(a.ticks[1].labelX, 534);
  EXPECT_EQ(a.ticks[2].number, 2);

  in.page = 2;  // 10,000 s later: 02:16:40
  const TimeAxis b = timeAxis(in);
  EXPECT_EQ(b.ticks[0].number, 3);
  EXPECT_NEAR(b.ticks[0].x, 360 * (3600 - 1000) / 3600.0 + 1, 1e-9);
}

TEST(TimeAxis, CrowdedHourLabelsAreThinned) {
  TimeAxisInput in;
  in.interval = 1;
  in.nCases = 200000;  // 55 hours in 1,000 pixels: 18 pixels an hour
  in.screenWidth = 1000;
  in.view = AxisView::WholeFile;
  const TimeAxis a = timeAxis(in);
  EXPECT_EQ(a.unit, TickUnit::Hour);
  ASSERT_GT(a.ticks.size(), 50u);
  EXPECT_TRUE(a.ticks[0].label);
  EXPECT_FALSE(a.ticks[1].label);  // 18 pixels on
  EXPECT_TRUE(a.ticks[2].label);
  EXPECT_EQ(a.ticks[0].labelX, 2);  // a first tick left of 22
}

TEST(TimeAxis, DayTicksInTheWholeFileView) {
  TimeAxisInput in;
  in.interval = 1;
  in.screenWidth = 1800;
  in.view = AxisView::WholeFile;
  in.nCases = 259200;  // exactly three days: still hours
  EXPECT_EQ(timeAxis(in).unit, TickUnit::Hour);
  in.nCases = 259201;
  const TimeAxis a = timeAxis(in);
  EXPECT_EQ(a.unit, TickUnit::Day);
  EXPECT_TRUE(a.daysOfWholeFile);
  EXPECT_EQ(a.tickLength, 2);
  ASSERT_EQ(a.ticks.size(), 2u);
  EXPECT_NEAR(a.ticks[0].x, 86400 / (259201.0 / 1800) + 1, 1e-9);
  EXPECT_EQ(a.ticks[0].number, 1);
  EXPECT_EQ(a.ticks[0].text, "day  1");
  EXPECT_EQ(a.ticks[0].labelX, 580);  // 20 pixels left of x 600.99
  EXPECT_EQ(a.ticks[1].number, 2);

  in.startOfDay = startSeconds("12:00:00");
  const TimeAxis b = timeAxis(in);
  EXPECT_EQ(b.unit, TickUnit::Day);
  EXPECT_NEAR(b.ticks[0].x, 600 * 0.5 * (259200.0 / 259201) + 1, 1e-6);
  EXPECT_EQ(b.ticks[0].labelX, 280);  // 20 pixels left of the tick
}

TEST(TimeAxis, DayTicksOfAPageLongerThanThreeDays) {
  TimeAxisInput in;
  in.interval = 300;  // a 1,000-pixel page spans 3.5 days
  in.nCases = 5000;
  in.screenWidth = 1000;
  const TimeAxis a = timeAxis(in);
  EXPECT_EQ(a.unit, TickUnit::Day);
  EXPECT_DOUBLE_EQ(a.pixelsPerUnit, 288);
  EXPECT_EQ(a.tickLength, 5);
  EXPECT_EQ(a.ticks.size(), 3u);
  // Zoomed in to two pixels a case, a day is twice as wide.
  in.view = AxisView::Zoomed;
  in.zoomLeft = 1;
  in.zoomRight = 501;
  EXPECT_DOUBLE_EQ(timeAxis(in).pixelsPerUnit, 576);
  in.view = AxisView::Paged;
  in.interval = 200;  // 2.3 days a page: hours
  EXPECT_EQ(timeAxis(in).unit, TickUnit::Hour);
}

TEST(TimeAxis, UnitsNarrowerThanAPixelGiveNoTicks) {
  TimeAxisInput in;
  in.nCases = 1000;
  in.screenWidth = 1000;
  for (double interval : {1e7, 1e30, 0.0, -5.0}) {
    in.interval = interval;
    EXPECT_TRUE(timeAxis(in).ticks.empty()) << interval;
  }
  in.interval = 1e-9;  // a tick far beyond the width
  EXPECT_TRUE(timeAxis(in).ticks.empty());
}
