// The Sable format's values that need more than a byte order: data values, transform names,
// and the end of a recording told from its start and back.
#include <bit>
#include <cmath>
#include <cstdlib>

#include "datafiles/sable_format.h"
#include "output/calendar.h"

namespace qv {

namespace {

constexpr int64_t kDay = 86400;

struct TransformName {
  int code;
  std::string_view name;
  int codeRead;  // 0: the reader leaves word 5 as it was
};

// A polynomial is read as the program's own polynomial code 11, and written from either code.
constexpr TransformName kTransforms[] = {
    {1, "Linear Transform", 1},      {2, "Polynomial Transform", 11}, {3, "Power Transform", 0},
    {4, "Exponential Transform", 4}, {5, "Breakpoint Transform", 0},  {6, "Three-way Transform", 0},
    {7, "Keyboard input", 0},        {9, "Logarithmic Transform", 9}, {10, "Reciprocal Transform", 10},
    {11, "Polynomial Transform", 11},
};
constexpr std::string_view kNoTransform = "[No transform]";

// The date numbers of a text, month first: characters 1-2, 4-5 and the last four.
void dateNumbers(std::string_view date, int& month, int& day, int& year) {
  month = numberAt(date, 0, 2).value_or(0);
  day = numberAt(date, 3, 2).value_or(0);
  year = date.size() >= 4 ? numberAt(date, date.size() - 4, 4).value_or(0) : 0;
}

std::string two(int v) { return (v >= 0 && v < 10 ? "0" : "") + std::to_string(v); }
std::string four(int v) {
  std::string s = std::to_string(v);
  if (s.size() < 4) s.insert(0, 4 - s.size(), '0');
  return s;
}

// A number of the file as a small whole number: what a date or time field can hold.
int fieldNumber(double v) { return std::isfinite(v) && v >= 0 && v < 100000 ? int(v) : 0; }

int64_t floorDiv(int64_t a, int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }

}  // namespace

std::string_view sableTransformName(float code) {
  if (!std::isfinite(code)) return {};
  const int whole = int(std::trunc(std::fmod(code, 1e6f)));
  for (const TransformName& t : kTransforms)
    if (t.code == whole) return t.name;
  return {};
}

std::optional<float> sableTransformCode(std::string_view field) {
  if (field.starts_with(kNoTransform)) return 8.0f;
  for (const TransformName& t : kTransforms)
    if (t.codeRead && field.starts_with(t.name)) return float(t.codeRead);
  return std::nullopt;
}

SableClock sableEndFromStart(std::string_view startDate, std::string_view startTime, double durationSeconds) {
  SableClock c;
  dateNumbers(startDate, c.month, c.day, c.year);
  const int64_t start = parseStartTimeSeconds(startTime).value_or(0);
  // A fraction of a second at the end is dropped; the reader rounds the start up again.
  const double d = std::isfinite(durationSeconds) && durationSeconds > 0 ? std::min(durationSeconds, 1e15) : 0.0;
  const int64_t end = start + int64_t(std::floor(d));
  const int64_t days = floorDiv(end, kDay);
  const int64_t inDay = end - days * kDay;
  if (const std::optional<CivilDate> date = parseStartDate(startDate)) {
    const CivilDate e = addDays(*date, days);
    c.month = e.month, c.day = e.day, c.year = e.year;
  }
  c.hours = int(inDay / 3600);
  c.minutes = int(inDay % 3600 / 60);
  c.seconds = int(inDay % 60);
  return c;
}

SableStart sableStartFromEnd(const double endNumbers[6], double durationSeconds) {
  int month = fieldNumber(endNumbers[0]), day = fieldNumber(endNumbers[1]), year = fieldNumber(endNumbers[2]);
  if (year < 100) year += 2000;
  const double endOfDay = double(fieldNumber(endNumbers[3])) * 3600 + double(fieldNumber(endNumbers[4])) * 60 +
                          (std::isfinite(endNumbers[5]) && endNumbers[5] >= 0 && endNumbers[5] < 1e5 ? endNumbers[5] : 0);
  const double d = std::isfinite(durationSeconds) && durationSeconds > 0 ? std::min(durationSeconds, 1e15) : 0.0;
  const int64_t start = int64_t(std::ceil(endOfDay - d));
  const int64_t days = floorDiv(start, kDay);
  const int64_t inDay = start - days * kDay;
  const CivilDate end{year, month, day};
  if (isValidDate(end)) {
    const CivilDate s = addDays(end, days);
    month = s.month, day = s.day, year = s.year;
  }
  SableStart out;
  out.date = two(month) + "-" + two(day) + "-" + four(year);
  out.time = two(int(inDay / 3600)) + ":" + two(int(inDay % 3600 / 60)) + ":" + two(int(inDay % 60));
  return out;
}

}  // namespace qv
