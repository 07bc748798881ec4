// The day of the year of a typed date.
#include "calculators/day_of_year.h"

#include <cmath>
#include <string>

#include "calculators/calculator_frame.h"
#include "output/calendar.h"
#include "runtime/windows.h"

namespace qv {

std::optional<int> dayOfYearOf(int month, double day, double year) {
  // Only whole numbers make a date; the year stays within what an int holds.
  if (!std::isfinite(day) || !std::isfinite(year) || day != std::trunc(day) || year != std::trunc(year) ||
      std::fabs(year) > 1e6)
    return std::nullopt;
  const CivilDate d{int(year), month, int(std::fmin(std::fmax(day, -1.0), 99.0))};
  if (!isValidDate(d)) return std::nullopt;
  return dayOfYear(d);
}

int16_t computeDayOfYear(int16_t month) {
  const std::optional<int> n =
      dayOfYearOf(month, double(calculatorField(kDayField)), double(calculatorField(kYearField)));
  const std::string text = n ? std::to_string(*n) : std::string("**");
  if (rt::editTextIn(kCalculatorWindow, kDayOfYearField) != text)
    rt::setEditTextIn(kCalculatorWindow, kDayOfYearField, text);
  CalculatorFrame::focus(kDayField);
  return int16_t(n.value_or(0));
}

}  // namespace qv
