#pragma once
// The clicked-point tools as plain state: the values clicked for a running average, the
// pairs clicked for their differences, and the statistics of either list. At most 200 values
// (or pairs) are held; a further click is refused, and Delete takes back one click at a time.
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace qv {

constexpr int kMostClickedValues = 200;

// Statistics of a list of values: S.D. (divisor n) only from 3 values on.
struct ClickedStats {
  int32_t n = 0;
  double mean = 0.0, total = 0.0;
  std::optional<double> sd;
  double min = 0.0, max = 0.0;
  double last = 0.0;
};
ClickedStats clickedStats(std::span<const double> values);

enum class ClickOutcome { Taken, Waiting, Refused, Full };
enum class DeleteOutcome { Removed, CancelledWaiting, Nothing };

// A click on a value that is not a number (a missing sample) is refused by both tools.
// Single values. One Delete per click: a second Delete does nothing until the next click.
class RunningValues {
 public:
  ClickOutcome click(double value);
  DeleteOutcome erase();
  std::span<const double> values() const { return values_; }
  ClickedStats stats() const { return clickedStats(values_); }

 private:
  std::vector<double> values_;
  bool rejected_ = false;
};

// One pair: |value difference| and |time difference| (from the case numbers, in double).
struct PairDifference {
  double value = 0.0, seconds = 0.0;
};
PairDifference pairDifference(double value1, int32_t case1, double value2, int32_t case2,
                              double intervalSeconds);

// Pairs. A second point at the first one's case is refused and the pair stays open; Delete
// while a first point waits cancels that point only.
class ValuePairs {
 public:
  struct Point {
    int32_t kase = 0;
    double value = 0.0;
  };
  ClickOutcome click(int32_t kase, double value, double intervalSeconds);
  DeleteOutcome erase();
  std::optional<Point> waiting() const { return first_; }
  std::span<const double> values() const { return values_; }
  std::span<const double> times() const { return times_; }
  ClickedStats valueStats() const { return clickedStats(values_); }
  ClickedStats timeStats() const { return clickedStats(times_); }

 private:
  std::optional<Point> first_;
  std::vector<double> values_, times_;
  bool rejected_ = false;
};

}  // namespace qv
