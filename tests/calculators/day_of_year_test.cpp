// Day of the Year: the Gregorian day number of a date, and its window.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>

#include "calculator_fixture.h"
#include "calculators/commands.h"
#include "calculators/day_of_year.h"
#include "core/filetable.h"
#include "runtime/scripted.h"

using namespace qv;

TEST(DayOfYear, GregorianDayNumbers) {
  const struct {
    int month;
    double day, year;
    std::optional<int> n;
  } cases[] = {{3, 1, 2024, 61},         {3, 1, 2023, 60},   {2, 29, 2024, 60},  {12, 31, 2000, 366},
               {12, 31, 1900, 365},      {12, 31, 2100, 365}, {1, 1, 2023, 1},   {5, 14, 1998, 134},
               {2, 29, 2023, std::nullopt}, {4, 31, 2024, std::nullopt}, {1, 0, 2024, std::nullopt},
               {1, 1.5, 2024, std::nullopt}, {13, 1, 2024, std::nullopt}, {1, NAN, 2024, std::nullopt},
               {1, 1, 1e12, std::nullopt}};
  for (const auto& c : cases)
    EXPECT_EQ(dayOfYearOf(c.month, c.day, c.year), c.n) << c.month << "/" << c.day << "/" << c.year;
}

namespace {

class DayOfYearWindow : public calctest::CalculatorWindowTest {};

}  // namespace

TEST_F(DayOfYearWindow, MonthPopupReturnAndComputeAllCount) {
  // Every button is heard before it acts: each record shows what the step before left.
  qvtest::script({"popup 140 3", "type 111 1", "type 113 2024", "key 13", "click 19",   // Return: 61
                  "type 113 2023", "click 19", "click 19",                              // Compute: 60
                  "type 111 31", "type 113 1900", "popup 140 12", "click 19",           // the month: 365
                  "popup 140 2", "click 20"});                                          // 31 February
  DayOfTheYear();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  ASSERT_EQ(seen.size(), 8u);
  EXPECT_EQ(seen[1][112], "61");
  EXPECT_EQ(seen[3][112], "60");
  EXPECT_EQ(seen[5][112], "365");
  EXPECT_EQ(seen[7][112], "**");
  EXPECT_FALSE(rt::windowExists(8));
}

TEST_F(DayOfYearWindow, OpensAtTheFilesStartDate) {
  const struct {
    const char* start;
    const char* day;
    const char* year;
    const char* n;
  } cases[] = {{"05/14/2024", "14", "2024", "135"}, {"05/14/1998", "14", "1998", "134"}};
  TheFileInUse = 0;
  nCases[0] = 10, nChannels[0] = 1;
  for (const auto& c : cases) {
    seen.clear();
    StartDate[0] = c.start;
    qvtest::script({"click 20"});
    DayOfTheYear();
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0][111], c.day);
    EXPECT_EQ(seen[0][113], c.year);
    EXPECT_EQ(seen[0][112], c.n);
  }
  FreeFileSlot(0);
}
