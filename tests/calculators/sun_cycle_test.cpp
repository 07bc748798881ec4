// Sunrise, sunset and the annual table: the times the calculator shows and the table the
// thermoregulatory costs read.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "calculators/sun_cycle.h"

using namespace qv;

namespace {

std::string hm(float h) {
  const int hours = int(h), minutes = int((h - float(hours)) * 60.0f);
  return std::to_string(hours) + ":" + (minutes < 10 ? "0" : "") + std::to_string(minutes);
}

}  // namespace

TEST(SunriseCalc, TimesOfOrdinaryDays) {
  struct Case {
    float lat, lon;
    int day;
    bool dst;
    const char *rise, *set, *daylight;
  };
  const Case cases[] = {
      {51.5f, 0.0f, 172, false, "3:42", "20:21", "16:38"},
      {51.5f, 0.0f, 172, true, "4:42", "21:21", "16:38"},
      {70.5f, 0.0f, 18, false, "12:03", "12:17", "0:14"},  // the first light after the polar night
  };
  for (const Case& c : cases) {
    const SunDay d = SunriseCalc(c.lat, c.lon, c.day, c.dst);
    SCOPED_TRACE(std::to_string(c.lat) + " day " + std::to_string(c.day));
    EXPECT_EQ(d.polar, SunPolar::None);
    EXPECT_EQ(hm(d.sunrise), c.rise);
    EXPECT_EQ(hm(d.sunset), c.set);
    EXPECT_EQ(hm(d.daylight), c.daylight);
  }
  EXPECT_EQ(hm(SunriseCalc(0.0f, 0.0f, 80, false).daylight), "12:06");
  EXPECT_NEAR(SunriseCalc(40.0f, 105.0f, 172, false).daylight, 15.015f, 0.001f);
}

TEST(SunriseCalc, TextsOfTheCalculator) {
  const SunTexts t = sunTexts(SunriseCalc(51.5f, 0.0f, 172, false), 51.5f);
  EXPECT_EQ(t.sunrise, "Approximate local sunrise time:   3 : 42");
  EXPECT_EQ(t.sunset, "Approximate local sunset time:   20 : 21");
  EXPECT_EQ(t.daylight, " 16 hours, 38 minutes of daylight");
  EXPECT_EQ(t.solarNoon, "Solar noon ~  12 : 01");
  EXPECT_EQ(sunTexts(SunriseCalc(70.5f, 0.0f, 18, false), 70.5f).daylight, " 0 hours, 14 minutes of daylight");
}

TEST(SunriseCalc, PolarDaysFollowTheSunNotTheCalendar) {
  struct Case {
    float lat;
    int day;
    SunPolar polar;
    const char* text;
  };
  const Case cases[] = {
      {70.0f, 172, SunPolar::Sunlight, "24-hour sunlight (Arctic summer) "},
      {70.0f, 355, SunPolar::Darkness, "24-hour darkness (Arctic winter) "},
      {-70.0f, 172, SunPolar::Darkness, "24-hour darkness (Antarctic winter) "},
      {-70.0f, 355, SunPolar::Sunlight, "24-hour sunlight (Antarctic summer) "},
      // Near the poles the sun stays up before the equinox's day number says summer.
      {89.9f, 77, SunPolar::Sunlight, "24-hour sunlight (Arctic summer) "},
      {-89.5f, 266, SunPolar::Sunlight, "24-hour sunlight (Antarctic summer) "},
      {90.0f, 172, SunPolar::Sunlight, "24-hour sunlight (Arctic summer) "},
      {-90.0f, 172, SunPolar::Darkness, "24-hour darkness (Antarctic winter) "},
  };
  for (const Case& c : cases) {
    const SunDay d = SunriseCalc(c.lat, 0.0f, c.day, false);
    const SunTexts t = sunTexts(d, c.lat);
    SCOPED_TRACE(std::to_string(c.lat) + " day " + std::to_string(c.day));
    EXPECT_EQ(d.polar, c.polar);
    EXPECT_EQ(d.atPole, c.lat == 90.0f || c.lat == -90.0f);
    EXPECT_EQ(t.sunset, c.text);
    EXPECT_EQ(t.sunrise, "");
    EXPECT_EQ(t.daylight, "");
    EXPECT_EQ(d.daylight, c.polar == SunPolar::Sunlight ? 24.0f : 0.0f);
  }
}

TEST(AnnualSunTable, FillsEveryDayAndRemembersThePosition) {
  annualSunTable(-40.0f, 105.0f);
  EXPECT_TRUE(sunTableHolds(-40.0f, 105.0f));
  EXPECT_NEAR(SunCycleArray[172].daylight, 9.3223f, 1e-4f);
  EXPECT_NEAR(SunCycleArray[172].sunrise, 7.3715f, 1e-4f);
  EXPECT_NEAR(SunCycleArray[172].sunset, 16.6937f, 1e-4f);
  EXPECT_GT(SunCycleArray[366].daylight, 0.0f);
  // No day of the polar night's edge is stored as a whole day of light.
  annualSunTable(70.5f, 0.0f);
  EXPECT_FALSE(sunTableHolds(-40.0f, 105.0f));
  EXPECT_LT(SunCycleArray[18].daylight, 1.0f);
  for (int d : {1, 2, 3}) {
    EXPECT_EQ(SunCycleArray[d].daylight, 0.0f);
    EXPECT_EQ(SunCycleArray[d].sunrise, 24.0f);
  }
  EXPECT_EQ(SunCycleArray[172].daylight, 24.0f);
  EXPECT_EQ(SunCycleArray[172].sunrise, 0.0f);
}

TEST(AnnualSunTable, ExportHasTitleHeadingsAndEveryDay) {
  annualSunTable(51.5f, 0.0f);
  const std::string text = sunCycleExport(51.5f, 0.0f, ',');
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_EQ(lines.size(), 367u);
  EXPECT_EQ(lines[0], "Annual sun cycle at 51.5 degrees N; 0 degrees W");
  EXPECT_EQ(lines[1], "Julian date,Month,Day,Sunrise time,Sunset time,Hours of daylight");
  EXPECT_EQ(lines[173].rfind("172,June,21,3.71", 0), 0u) << lines[173];
  EXPECT_EQ(lines[366].rfind("365,December,31,", 0), 0u);
  EXPECT_EQ(lines[2].rfind("1,January,1,", 0), 0u);
  EXPECT_EQ(lines[61].rfind("60,March,1,", 0), 0u);
  EXPECT_EQ(sunCycleExport(-33.9f, -18.4f, '\t').substr(0, 51), "Annual sun cycle at 33.9 degrees S; 18.4 degrees E\n");
  EXPECT_EQ(sunCycleTitle(-33.9f, 18.4f), "Annual sun cycle for 33.9\u00B0 S;  18.4\u00B0 W");
}
