#include "stats/clicked_points.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace qv {

ClickedStats clickedStats(std::span<const double> values) {
  ClickedStats s;
  s.n = int32_t(values.size());
  if (values.empty()) return s;
  double sum = 0.0;
  s.min = s.max = values[0];
  for (double v : values) {
    sum += v;
    s.min = std::min(s.min, v);
    s.max = std::max(s.max, v);
  }
  s.total = sum;
  s.mean = sum / double(s.n);
  s.last = values.back();
  if (s.n >= 3) {
    double squares = 0.0;
    for (double v : values) squares += (v - s.mean) * (v - s.mean);
    s.sd = std::sqrt(squares / double(s.n));
  }
  return s;
}

ClickOutcome RunningValues::click(double value) {
  if (!std::isfinite(value)) return ClickOutcome::Refused;
  if (values_.size() >= size_t(kMostClickedValues)) return ClickOutcome::Full;
  values_.push_back(value);
  rejected_ = false;
  return ClickOutcome::Taken;
}

DeleteOutcome RunningValues::erase() {
  if (values_.empty() || rejected_) return DeleteOutcome::Nothing;
  values_.pop_back();
  rejected_ = true;
  return DeleteOutcome::Removed;
}

PairDifference pairDifference(double value1, int32_t case1, double value2, int32_t case2,
                              double intervalSeconds) {
  PairDifference d;
  d.value = std::fabs(value1 - value2);
  d.seconds = std::fabs(double(int64_t(case2) - case1)) * intervalSeconds;
  return d;
}

ClickOutcome ValuePairs::click(int32_t kase, double value, double intervalSeconds) {
  if (!std::isfinite(value)) return ClickOutcome::Refused;
  if (!first_) {
    if (values_.size() >= size_t(kMostClickedValues)) return ClickOutcome::Full;
    first_ = Point{kase, value};
    rejected_ = false;
    return ClickOutcome::Waiting;
  }
  if (kase == first_->kase) return ClickOutcome::Refused;
  const PairDifference d = pairDifference(first_->value, first_->kase, value, kase, intervalSeconds);
  values_.push_back(d.value);
  times_.push_back(d.seconds);
  first_.reset();
  rejected_ = false;
  return ClickOutcome::Taken;
}

DeleteOutcome ValuePairs::erase() {
  if (rejected_) return DeleteOutcome::Nothing;
  if (first_) {
    first_.reset();
    rejected_ = true;
    return DeleteOutcome::CancelledWaiting;
  }
  if (values_.empty()) return DeleteOutcome::Nothing;
  values_.pop_back();
  times_.pop_back();
  rejected_ = true;
  return DeleteOutcome::Removed;
}

}  // namespace qv
