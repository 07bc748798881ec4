#pragma once
// "Event Count Results": one line per timed event of the count, with the statistics of the
// samples inside it and the running sums of its "area" in a chosen rate unit. Text for people
// and spreadsheets: UTF-8, line feeds.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fitting/event_count.h"

namespace qv {

struct EventFileFacts {
  std::string fileName;
  int32_t nCases = 0;
  int16_t nChannels = 0;
  std::string today;      // MM/dd/yy
  double interval = 1.0;  // seconds
  int16_t channel = 1;
  std::string label;
  int32_t first = 0, last = 0;
  float upper = 0.0f, lower = 0.0f;  // the event triggers
  std::string startTime;             // hh:mm:ss of case 0
  char delimiter = ',';
  int digits = 5;  // significant digits of the numbers (at least 5 are written)
  int rateItem = 1;  // 1 none, 2 per second, 3 per minute, 4 per hour, 5 per day
};

// The unit text of the sums' headings and the seconds the sums are divided by, by rate item;
// an item outside 1..5 counts as item 1.
struct RateUnit {
  const char* text;
  double divisor;
};
RateUnit eventRateUnit(int item);

// Hours after midnight of a clock text hh:mm:ss (0 for what is not one).
double clockHours(const std::string& text);

// The file's text: the header, then the events (as eventsInCaseOrder gives them) over v.
std::string eventDetailsText(std::span<const float> v, std::span<const TimedEvent> events, const EventFileFacts& f);

}  // namespace qv
