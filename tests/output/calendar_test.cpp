#include <gtest/gtest.h>

#include <cmath>

#include "output/calendar.h"

using namespace qv;

TEST(Calendar, LeapYearsAndDaysOfTheYear) {
  struct Case {
    int year, month, day, dayOfYear;
  } cases[] = {
      {2024, 1, 1, 1},   {2024, 2, 29, 60},  {2024, 3, 1, 61},  {2023, 3, 1, 60},
      {2024, 12, 31, 366}, {2023, 12, 31, 365}, {2000, 3, 1, 61},  {1900, 3, 1, 60},
      {2100, 3, 1, 60},  {1996, 7, 4, 186},
  };
  for (const Case& c : cases) {
    const CivilDate d{c.year, c.month, c.day};
    EXPECT_TRUE(isValidDate(d));
    EXPECT_EQ(dayOfYear(d), c.dayOfYear) << c.year << "-" << c.month << "-" << c.day;
  }
  EXPECT_FALSE(isValidDate({2023, 2, 29}));
  EXPECT_FALSE(isValidDate({1900, 2, 29}));
  EXPECT_TRUE(isValidDate({2000, 2, 29}));
  EXPECT_EQ(daysBeforeMonth(2024, 13), 0);
}

TEST(Calendar, TheDateOfACase) {
  struct Case {
    const char* start;
    double startSeconds, interval, kase;
    const char* date;
    int dayOfYear;
  } cases[] = {
      {"12/30/2009", 0, 86400, 3, "01/02/2010", 2},
      {"02/27/2008", 0, 86400, 2, "02/29/2008", 60},
      {"02/27/2009", 0, 86400, 2, "03/01/2009", 60},
      {"12/31/2023", 23 * 3600, 60, 60, "01/01/2024", 1},  // an hour past 23:00
      {"12/31/2023", 23 * 3600, 60, 59, "12/31/2023", 365},
      {"01/01/2023", 0, 86400, 365 + 366, "01/01/2025", 1},
  };
  for (const Case& c : cases) {
    const auto start = parseStartDate(c.start);
    ASSERT_TRUE(start) << c.start;
    const auto d = dateAtCase(*start, c.startSeconds, c.interval, c.kase);
    ASSERT_TRUE(d);
    EXPECT_EQ(monthDayYearText(*d), c.date) << c.start;
    EXPECT_EQ(dayOfYear(*d), c.dayOfYear) << c.start;
  }
  const CivilDate start{2024, 1, 1};
  EXPECT_FALSE(dateAtCase(start, 0, NAN, 1));
  EXPECT_FALSE(dateAtCase(start, -90000, 1, 0));
}

TEST(Calendar, StartTextsThatAreNotDates) {
  for (const char* text : {"", "00-00-2024", "02/30/2023", "13/01/2024", "3/1/2024", "03/01", "ab/cd/efgh"})
    EXPECT_FALSE(parseStartDate(text)) << text;
  const auto d = parseStartDate("03-01-2024");
  ASSERT_TRUE(d);
  EXPECT_EQ(d->year, 2024);
  EXPECT_EQ(parseStartTimeSeconds("10:20:30"), 37230);
  EXPECT_FALSE(parseStartTimeSeconds("10:20"));
  EXPECT_FALSE(parseStartTimeSeconds("xx:00:00"));
}
