#pragma once
// Descriptive statistics of one channel over a range of cases: two passes (the sum, then the
// squared deviations from the mean, both in double), standard deviation with divisor n.
#include <cstdint>
#include <optional>
#include <span>

#include "core/case_filters.h"
#include "core/stats_state.h"

namespace qv {

// Statistics of samples[begin..end] (samples indexed by case, entry 0 holds no sample, so the
// range starts at case 1 at the earliest and ends at the last case the data and the flag rows
// in use hold). A case counts when its sample is a finite number, the filters include it and
// the value window holds it.
BlockStats blockStats(std::span<const float> samples, int32_t begin, int32_t end,
                      const CaseFilters& filters = {}, const ValueWindow& window = {});

}  // namespace qv
