#include "output/calendar.h"

#include <cmath>

namespace qv {

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int year, int month) {
  static constexpr int kDays[13] = {0, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeapYear(year) ? 29 : kDays[month];
}

int daysBeforeMonth(int year, int month) {
  if (month < 1 || month > 12) return 0;
  int days = 0;
  for (int m = 1; m < month; ++m) days += daysInMonth(year, m);
  return days;
}

bool isValidDate(const CivilDate& d) {
  return d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= daysInMonth(d.year, d.month);
}

int dayOfYear(const CivilDate& d) { return daysBeforeMonth(d.year, d.month) + d.day; }

namespace {

// Days from 1 March of year 0 (proleptic Gregorian), and back: the 400-year cycle keeps the
// arithmetic exact for any span a recording can have.
int64_t dayNumber(const CivilDate& d) {
  const int64_t y = d.month <= 2 ? int64_t(d.year) - 1 : d.year;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t mp = (d.month + 9) % 12;
  const int64_t doy = (153 * mp + 2) / 5 + d.day - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe;
}

CivilDate fromDayNumber(int64_t z) {
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  CivilDate d;
  d.day = int(doy - (153 * mp + 2) / 5 + 1);
  d.month = int(mp < 10 ? mp + 3 : mp - 9);
  d.year = int(yoe + era * 400 + (d.month <= 2 ? 1 : 0));
  return d;
}

}  // namespace

std::optional<int> numberAt(std::string_view text, size_t first, size_t count) {
  if (first >= text.size()) return std::nullopt;
  std::string_view part = text.substr(first, count);
  while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
  while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
  if (part.empty() || part.size() > 9) return std::nullopt;
  int v = 0;
  for (char c : part) {
    if (c < '0' || c > '9') return std::nullopt;
    v = v * 10 + (c - '0');
  }
  return v;
}

CivilDate addDays(const CivilDate& d, int64_t days) { return fromDayNumber(dayNumber(d) + days); }

std::optional<CivilDate> parseStartDate(std::string_view text) {
  const auto month = numberAt(text, 0, 2), day = numberAt(text, 3, 2), year = numberAt(text, 6, 4);
  if (!month || !day || !year) return std::nullopt;
  CivilDate d{*year, *month, *day};
  if (!isValidDate(d)) return std::nullopt;
  return d;
}

std::optional<int32_t> parseStartTimeSeconds(std::string_view text) {
  const auto h = numberAt(text, 0, 2), m = numberAt(text, 3, 2), s = numberAt(text, 6, 2);
  if (!h || !m || !s) return std::nullopt;
  return *h * 3600 + *m * 60 + *s;
}

std::optional<CivilDate> dateAtCase(const CivilDate& start, double startSeconds,
                                    double intervalSeconds, double kase) {
  const double days = std::floor((intervalSeconds * kase + startSeconds) / 86400.0);
  // Past a million years the date stops meaning anything; no recording comes near it.
  if (!std::isfinite(days) || days < 0.0 || days > 365.25e6) return std::nullopt;
  return addDays(start, int64_t(days));
}

std::string monthDayYearText(const CivilDate& d) {
  auto two = [](int v) { return (v < 10 ? "0" : "") + std::to_string(v); };
  std::string year = std::to_string(d.year);
  if (year.size() < 4) year.insert(0, 4 - year.size(), '0');
  return two(d.month) + "/" + two(d.day) + "/" + year;
}

std::string MakeDateString(std::string_view startDate, double startSeconds, double intervalSeconds, double kase,
                           int16_t dayNumberOnly) {
  const std::optional<CivilDate> start = parseStartDate(startDate);
  if (!start) return {};
  const std::optional<CivilDate> at = dateAtCase(*start, startSeconds, intervalSeconds, kase);
  if (!at) return {};
  if (!dayNumberOnly) return monthDayYearText(*at);
  const double days = std::floor((intervalSeconds * kase + startSeconds) / 86400.0);
  return std::to_string(dayOfYear(*start) + int64_t(days));
}

}  // namespace qv
