#pragma once
// The annual sun cycle at one position: the day and night phases that the thermoregulatory
// costs read, filled by the sun-cycle calculator and the cost tools' location window.
#include <array>
#include <string>

namespace qv {

struct SunCycleDay {
  float daylight = 0.0f, sunrise = 0.0f, sunset = 0.0f;  // hours, local solar time
};

// Index = day of the year, 1 to 366; entry 0 is not a day.
extern std::array<SunCycleDay, 367> SunCycleArray;

// Fills SunCycleArray for the position (degrees, north and west positive) unless it already
// holds that position.
void annualSunTable(float latitude, float longitude);
// Whether SunCycleArray holds that position.
bool sunTableHolds(float latitude, float longitude);

// Sunrise and sunset of one day. The sun's position is rounded to 32-bit floats at the same
// steps as the program always did, so the times match its tables to the minute.
enum class SunPolar { None, Sunlight, Darkness };
struct SunDay {
  double dayNumber = 0.0;       // the day number the computation used (noon of the day)
  float sunrise = 0.0f;         // hours, local solar time; 24 with no sunrise in darkness
  float sunset = 0.0f;          // 0 in darkness, 24 in sunlight
  float daylight = 0.0f;        // hours
  SunPolar polar = SunPolar::None;
  bool atPole = false;          // |latitude| is 90: the hour angle has no meaning
};
// latitude and longitude in degrees, north and west positive; day of the year; daylight
// saving adds an hour to both times.
SunDay SunriseCalc(float latitude, float longitude, int day, bool daylightSaving);
// What the table keeps of a day: a polar day is 24, 0, 24 and a polar night 0, 24, 0.
SunCycleDay sunCycleDay(const SunDay& d);

// The calculator's result texts (empty where the window shows nothing).
struct SunTexts {
  std::string sunrise, sunset, daylight, solarNoon;
};
SunTexts sunTexts(const SunDay& d, float latitude);

// The annual export: title, headings and days 1 to 365 of SunCycleArray, lines ending in a line feed.
std::string sunCycleExport(float latitude, float longitude, char delimiter);
// "Annual sun cycle for 40° N, 105° W"
std::string sunCycleTitle(float latitude, float longitude);

}  // namespace qv
