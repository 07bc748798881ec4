#pragma once
// Time within limits, the selective integral and the event count of one channel over a case
// range: plain functions over the samples (index = case, element 0 unused). A gap (NaN) lies
// within no limits, adds to no sum and ends any run it meets.
#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
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

// One side's timed events: a view of the count's events in case order that passes over the
// other side's. Copies of a count share the events.
class SideEvents {
 public:
  class iterator {
   public:
    using value_type = TimedEvent;
    using difference_type = std::ptrdiff_t;
    iterator() = default;
    iterator(const TimedEvent* p, const TimedEvent* end, bool positive) : p_(p), end_(end), positive_(positive) {
      skip();
    }
    const TimedEvent& operator*() const { return *p_; }
    const TimedEvent* operator->() const { return p_; }
    iterator& operator++() {
      ++p_;
      skip();
      return *this;
    }
    iterator operator++(int) {
      iterator before = *this;
      ++*this;
      return before;
    }
    bool operator==(const iterator& o) const { return p_ == o.p_; }

   private:
    void skip() {
      while (p_ != end_ && p_->positive != positive_) ++p_;
    }
    const TimedEvent* p_ = nullptr;
    const TimedEvent* end_ = nullptr;
    bool positive_ = true;
  };

  SideEvents() = default;
  SideEvents(std::shared_ptr<const std::vector<TimedEvent>> all, bool positive, size_t n)
      : all_(std::move(all)), positive_(positive), n_(n) {}
  iterator begin() const { return all_ ? iterator(all_->data(), all_->data() + all_->size(), positive_) : iterator(); }
  iterator end() const {
    const TimedEvent* e = all_ ? all_->data() + all_->size() : nullptr;
    return iterator(e, e, positive_);
  }
  size_t size() const { return n_; }
  bool empty() const { return n_ == 0; }

 private:
  std::shared_ptr<const std::vector<TimedEvent>> all_;
  bool positive_ = true;
  size_t n_ = 0;
};

// One side of the count: every run met (with the correction for a negative run already under
// way at the first case), the runs timed, and their statistics.
struct EventSide {
  int32_t all = 0;
  SideEvents timed;
  double mean = 0.0, sd = 0.0;
  float min = 0.0f, max = 0.0f;
  // Counts of bins 1..25 of the duration histogram (entry 0 unused).
  std::array<int32_t, kDurationBins + 1> bins{};
  int32_t count() const { return int32_t(timed.size()); }
};

struct EventCount {
  EventSide positive, negative;
  int32_t largestBin = 0;  // over both sides
  // The timed events of both sides in case order (a positive run before a negative one that
  // starts at the same case).
  std::shared_ptr<const std::vector<TimedEvent>> inCaseOrder;
};

// Runs at or above `upper` (positive) and at or below `lower` (negative) in first..last. A run
// is timed when it ends before the last case and lasts longer than minDuration seconds.
EventCount countEvents(std::span<const float> v, int32_t first, int32_t last, float upper, float lower,
                       double interval, double minDuration);

// The timed events of both sides in case order; they live as long as c (or a copy of it).
const std::vector<TimedEvent>& eventsInCaseOrder(const EventCount& c);

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
