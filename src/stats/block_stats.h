#pragma once
// Descriptive statistics of one channel over a range of cases: two passes (the sum, then the
// squared deviations from the mean, both in double), standard deviation with divisor n.
#include <cstdint>
#include <optional>
#include <span>

#include "stats/case_filters.h"

namespace qv {

// The value window of the statistics: when on, only values with lower <= v <= upper count.
struct ValueWindow {
  bool on = false;
  float lower = 0.0f;
  float upper = 0.0f;
};

struct BlockStats {
  int32_t begin = 0, end = -1;  // the range read, after keeping it inside the data
  int32_t n = 0;                // cases included
  double sum = 0.0;
  double mean = 0.0;
  float sd = 0.0f;  // sqrt(sum of squared deviations / n)
  float min = 0.0f, max = 0.0f;
  float lastValue = 0.0f;  // the last value included
  // The value window left fewer than 3 cases: the window turns both limits off.
  bool tooFewInWindow = false;

  // No case was included: there is no mean to show or report ("no valid cases").
  bool valid() const { return n > 0; }
  double se() const;
  // |100 x S.D. / mean| in percent; none for a zero mean or no case.
  std::optional<double> cv() const;
};

// Statistics of samples[begin..end] (samples indexed by case, entry 0 holds no sample, so the
// range starts at case 1 at the earliest and ends at the last case the data and the flag rows
// in use hold). A case counts when its sample is a finite number, the filters include it and
// the value window holds it.
BlockStats blockStats(std::span<const float> samples, int32_t begin, int32_t end,
                      const CaseFilters& filters = {}, const ValueWindow& window = {});

}  // namespace qv
