#pragma once
// The annual sun cycle at one position: the day and night phases that the thermoregulatory
// costs read, filled by the sun-cycle calculator and the cost tools' location window.
#include <array>

namespace qv {

struct SunCycleDay {
  float daylight = 0.0f, sunrise = 0.0f, sunset = 0.0f;  // hours, local solar time
};

// Index = day of the year, 1 to 366; entry 0 is not a day.
extern std::array<SunCycleDay, 367> SunCycleArray;

// Fills SunCycleArray for the position (degrees, north and west positive) unless it already
// holds that position.
void annualSunTable(float latitude, float longitude);

}  // namespace qv
