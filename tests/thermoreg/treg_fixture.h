#pragma once
// The climate the cost tests run on: two days of hourly cases, time t = (k - 1) mod 24,
// shade 8 + the hour, sun 4 warmer after 6 h to 18 h, day 172 then 173 (entry 0 unused).
#include <cmath>
#include <cstdint>
#include <vector>

namespace qvtest {

struct Climate {
  std::vector<float> shade, sun, time, day, wind;
  double interval = 3600;
  int32_t n = 0;
};

// `perHour` cases an hour, the temperatures held through each hour, the time running on.
inline Climate hourlyClimate(int perHour = 1, int days = 2) {
  Climate c;
  c.n = 24 * perHour * days;
  c.interval = 3600.0 / perHour;
  const size_t size = size_t(c.n) + 1;
  c.shade.assign(size, 0), c.sun.assign(size, 0), c.time.assign(size, 0), c.day.assign(size, 0);
  c.wind.assign(size, 2.0f);
  for (int32_t k = 1; k <= c.n; ++k) {
    const int32_t step = k - 1;
    const int hour = (step / perHour) % 24;
    const float t = float(step % (24 * perHour)) / float(perHour);
    c.time[size_t(k)] = t;
    c.shade[size_t(k)] = 8.0f + float(hour);
    c.sun[size_t(k)] = c.shade[size_t(k)] + (t > 6 && t <= 18 ? 4.0f : 0.0f);
    c.day[size_t(k)] = float(172 + step / (24 * perHour));
  }
  return c;
}

}  // namespace qvtest
