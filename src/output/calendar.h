#pragma once
// Calendar arithmetic of the result files and the delimited exports: day of the year and the
// date a case falls on, in the Gregorian calendar of the file's start year (29 February
// counts in leap years).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qv {

struct CivilDate {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..days of the month
};

bool isLeapYear(int year);
// Days of a month (0 outside 1..12).
int daysInMonth(int year, int month);
// Days of the year before the first of a month (0 outside 1..12).
int daysBeforeMonth(int year, int month);
bool isValidDate(const CivilDate& d);
// 1 on 1 January; 61 on 1 March of a leap year.
int dayOfYear(const CivilDate& d);
// The date `days` days later (earlier when negative). The date must be valid.
CivilDate addDays(const CivilDate& d, int64_t days);

// The whole number written at [first, first + count) of the text, blanks around it allowed;
// nothing when it is not one (or has more than nine digits).
std::optional<int> numberAt(std::string_view text, size_t first, size_t count);

// A file's start date text, month in characters 1-2, day in 4-5, year from character 7
// ("03/01/2024"). Nothing when the month, day or year is missing or not a real date.
std::optional<CivilDate> parseStartDate(std::string_view text);
// A file's start time text, hours in characters 1-2, minutes 4-5, seconds 7-8, as seconds
// after midnight. Nothing when a part is not a number.
std::optional<int32_t> parseStartTimeSeconds(std::string_view text);

// The date a case falls on: whole days of (interval x case + start seconds) after the start
// date. Nothing for a date before the start or a time that is not a number.
std::optional<CivilDate> dateAtCase(const CivilDate& start, double startSeconds,
                                    double intervalSeconds, double kase);

// "mm/dd/yyyy", month and day with two digits, the year with four.
std::string monthDayYearText(const CivilDate& d);

// The date column of a delimited export at a case: with `dayNumberOnly` the start's day of
// the year plus the whole days elapsed, else the date reached as "mm/dd/yyyy". Empty when the
// start date is not a real date (an import's "00-00-2026") or the time is not a number.
std::string MakeDateString(std::string_view startDate, double startSeconds, double intervalSeconds, double kase,
                           int16_t dayNumberOnly);

}  // namespace qv
