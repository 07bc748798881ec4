#pragma once
// The day number within its year of the date in window 8's date fields: the Day of the Year
// calculator and the sun-cycle window share the fields (day 111, day of the year 112, year 113)
// and the month popup.
#include <cstdint>
#include <optional>

namespace qv {

constexpr int16_t kDayField = 111, kDayOfYearField = 112, kYearField = 113;

// The day of the year of `day` `month` `year` in the Gregorian calendar (29 February counts
// in leap years; 1900 is no leap year, 2000 is). Nothing when the numbers are no real date.
std::optional<int> dayOfYearOf(int month, double day, double year);

// Reads the day (field 111) and year (field 113) of window 8 for `month` (1..12), shows their
// day of the year in field 112 ("**" when they are no real date), gives field 111 the focus and
// returns the day of the year (0 when there is none).
int16_t computeDayOfYear(int16_t month);

}  // namespace qv
