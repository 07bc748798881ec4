#pragma once
// Time within limits, the selective integral and the event count of one channel over a case
// range: plain functions over the samples (index = case, element 0 unused). A gap (NaN) lies
// within no limits, adds to no sum and ends any run it meets.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qv {

// Seconds per unit of the time results, and the unit's text after a time: 65 seconds, 67
// hours, 228 days, anything else minutes.
double integrationDivisor(int16_t unit);
const char* integrationUnitText(int16_t unit);

// A run of an event: cases start..end - 1, end being the first case past it.
struct TimedEvent {
  int32_t start = 0, end = 0;
  float duration = 0.0f;  // seconds
  bool positive = true;
};

constexpr int kDurationBins = 25;

// One side of the count: every run met (with the correction for a negative run already under
// way at the first case), the runs timed, and their statistics.
struct EventSide {
  int32_t all = 0;
  std::vector<TimedEvent> timed;
  double mean = 0.0, sd = 0.0;
  float min = 0.0f, max = 0.0f;
  // Counts of bins 1..25 of the duration histogram (entry 0 unused).
  std::array<int32_t, kDurationBins + 1> bins{};
  int32_t count() const { return int32_t(timed.size()); }
};

struct EventCount {
  EventSide positive, negative;
  int32_t largestBin = 0;  // over both sides
};

// Runs at or above `upper` (positive) and at or below `lower` (negative) in first..last. A run
// is timed when it ends before the last case and lasts longer than minDuration seconds.
EventCount countEvents(std::span<const float> v, int32_t first, int32_t last, float upper, float lower,
                       double interval, double minDuration);

// The timed events of both sides in case order.
std::vector<TimedEvent> eventsInCaseOrder(const EventCount& c);

// What the window computes in one pass.
struct TimeIntArgs {
  float field103 = 0.0f;  // upper limit (modes 0, 2) or lower trigger (mode 1)
  float field101 = 0.0f;  // lower limit (modes 0, 2) or upper trigger (mode 1)
  int32_t first = 0, last = 0;
  int16_t mode = 0;            // 0 time, 1 events, 2 selective integral
  bool useMinimum = false;     // box 225 in force
  double minimumSeconds = 0;   // field 115
  double interval = 1.0;       // seconds per case
  int16_t unit = 66;           // IntegrationUnit
};

struct TimeIntRecord {
  int16_t mode = 0;
  double value = 0.0;              // time (mode 0) or integral (mode 2), in the unit
  std::optional<double> percent;   // none where it would divide by 0
  EventCount events;               // mode 1
};

TimeIntRecord DoTIMEINT(std::span<const float> v, const TimeIntArgs& a);

}  // namespace qv
