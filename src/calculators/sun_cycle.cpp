#include "calculators/sun_cycle.h"

#include <cmath>
#include <cstdio>

#include "runtime/numtext.h"

namespace qv {

std::array<SunCycleDay, 367> SunCycleArray{};

namespace {

constexpr double kRadians = 0.017453292519943295, kDegrees = 57.295779507424825;
// The refraction-corrected horizon (sine of -0.83 degrees) and the sine of the obliquity.
constexpr double kHorizon = -0.014485726140036712, kObliquity = 0.3979486313446856;

double sinDeg(double a) { return std::sin(a * kRadians); }

struct TablePosition {
  bool filled = false;
  float latitude = 0.0f, longitude = 0.0f;
};
TablePosition tablePosition;

// A time of day from a fractional day number: hours after local midnight, kept in 0 to 24.
float hoursOf(float julian, bool daylightSaving) {
  float h = float((julian - std::rint(julian)) * 24.0 + (daylightSaving ? 1.0 : 0.0));
  if (h < 0.0f) h += 24.0f;
  if (h > 24.0f) h -= 24.0f;
  return h;
}

// " 3 : 05" as the calculator has always shown a time: the hour in the number format, the
// minutes as a blank and two digits.
std::string hoursMinutes(float hours, const char* between) {
  const long long h = (long long)hours;
  const long long m = (long long)((hours - float(h)) * 60.0f);
  char mm[8];
  std::snprintf(mm, sizeof mm, " %02lld", m < 0 ? 0 : m % 100);
  return rt::PSstrLong(h) + between + mm;
}

std::string magnitude(float v) {
  std::string s = rt::PSstr(std::fabs(v));
  s.erase(0, s.find_first_not_of(' '));
  return s;
}

}  // namespace

SunDay SunriseCalc(float latitude, float longitude, int day, bool daylightSaving) {
  SunDay r;
  const double lon = longitude;
  const float jstar = float(day - lon / 360.0) + 0.5f;
  const float j = float(jstar + lon / 360.0);
  r.dayNumber = j;
  const double m = std::fmod(double(float(357.5291 + 0.98560028 * j)), 360.0);
  float c = float(1.9148 * sinDeg(m) + 0.02 * sinDeg(2 * m) + 0.0003 * sinDeg(3 * m));
  if (c > 360.0f) c -= 360.0f;
  if (c < 0.0f) c += 360.0f;
  const double lambda = std::fmod(double(float(c + m + 102.9372 + 180.0)), 360.0);
  const double drift = 0.0053 * sinDeg(m) - 0.0069 * sinDeg(2 * lambda);
  const float jtransit = float(j + drift);
  const double sinDelta = float(kObliquity * sinDeg(lambda));
  const double delta = std::asin(sinDelta);
  const double phi = double(latitude) * kRadians;
  const double above = kHorizon - std::sin(phi) * sinDelta;
  r.atPole = std::fabs(latitude) >= 90.0f;
  const double cosOmega = r.atPole ? (above < 0.0 ? -HUGE_VAL : HUGE_VAL) : above / (std::cos(phi) * std::cos(delta));
  // Below -1 the sun stays above the horizon all day; above 1 it never rises.
  if (!(cosOmega >= -1.0 && cosOmega <= 1.0)) {
    r.polar = cosOmega < -1.0 ? SunPolar::Sunlight : SunPolar::Darkness;
    const bool light = r.polar == SunPolar::Sunlight;
    r.daylight = light ? 24.0f : 0.0f;
    r.sunrise = light ? 0.0f : 24.0f;
    r.sunset = light ? 24.0f : 0.0f;
    return r;
  }
  const double omega = std::acos(cosOmega) * kDegrees;
  const float jset = float(double(float(jstar + float((omega + lon) / 360.0))) + drift);
  const float jrise = jtransit - (jset - jtransit);
  r.sunset = hoursOf(jset, daylightSaving);
  // The sunrise wraps as the sunset does: on the first and last days of a polar night it
  // would land before midnight and count the day as nearly 24 hours of light.
  r.sunrise = hoursOf(jrise, daylightSaving);
  r.daylight = r.sunrise > r.sunset ? 24.0f - (r.sunrise - r.sunset) : r.sunset - r.sunrise;
  return r;
}

SunCycleDay sunCycleDay(const SunDay& d) {
  if (d.daylight <= 0.0f) return {0.0f, 24.0f, 0.0f};
  if (d.daylight >= 24.0f) return {24.0f, 0.0f, 24.0f};
  return {d.daylight, d.sunrise, d.sunset};
}

SunTexts sunTexts(const SunDay& d, float latitude) {
  SunTexts t;
  if (d.polar != SunPolar::None) {
    const bool north = latitude > 0.0f, light = d.polar == SunPolar::Sunlight;
    t.sunset = std::string(light ? "24-hour sunlight " : "24-hour darkness ") + "(" + (north ? "Arctic " : "Antarctic ") +
               (light ? "summer) " : "winter) ");
    return t;
  }
  t.sunrise = "Approximate local sunrise time:  " + hoursMinutes(d.sunrise, " :");
  t.sunset = "Approximate local sunset time:  " + hoursMinutes(d.sunset, " :");
  t.daylight = hoursMinutes(d.daylight, " hours,") + " minutes of daylight";
  const double noon = std::fabs(double(d.sunset) - d.sunrise) * 30.0 + double(d.sunrise) * 60.0;
  if (noon > 0.0) t.solarNoon = "Solar noon ~ " + hoursMinutes(float(noon / 60.0), " :");
  return t;
}

bool sunTableHolds(float latitude, float longitude) {
  return tablePosition.filled && tablePosition.latitude == latitude && tablePosition.longitude == longitude;
}

void annualSunTable(float latitude, float longitude) {
  if (sunTableHolds(latitude, longitude)) return;
  // Day 366 by the same formula, for leap years.
  for (int day = 1; day <= 366; ++day) SunCycleArray[size_t(day)] = sunCycleDay(SunriseCalc(latitude, longitude, day, false));
  tablePosition = {true, latitude, longitude};
}

std::string sunCycleTitle(float latitude, float longitude) {
  return "Annual sun cycle for " + magnitude(latitude) + "\u00B0 " + (latitude >= 0.0f ? "N, " : "S;  ") +
         magnitude(longitude) + "\u00B0 " + (longitude >= 0.0f ? "W" : "E");
}

std::string sunCycleExport(float latitude, float longitude, char delimiter) {
  static const char* const kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
  static const int kMonthEnds[12] = {31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334, 365};
  const std::string sep(1, delimiter);
  std::string out = "Annual sun cycle at " + magnitude(latitude) + (latitude >= 0.0f ? " degrees N; " : " degrees S; ") +
                    magnitude(longitude) + (longitude >= 0.0f ? " degrees W" : " degrees E") + "\n";
  out += "Julian date" + sep + "Month" + sep + "Day" + sep + "Sunrise time" + sep + "Sunset time" + sep +
         "Hours of daylight\n";
  int month = 0;
  for (int day = 1; day <= 365; ++day) {
    while (day > kMonthEnds[month]) ++month;
    const int dayOfMonth = day - (month ? kMonthEnds[month - 1] : 0);
    const SunCycleDay& s = SunCycleArray[size_t(day)];
    out += std::to_string(day) + sep + kMonths[month] + sep + std::to_string(dayOfMonth) + sep + magnitude(s.sunrise) +
           sep + magnitude(s.sunset) + sep + magnitude(s.daylight) + "\n";
  }
  return out;
}

}  // namespace qv
