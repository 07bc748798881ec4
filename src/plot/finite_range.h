#pragma once
// The smallest and largest finite sample of a run of cases, eight at a time: the scans that
// every redraw and printed page make over whole channels.
#include <cstdint>

namespace qv::plot {

struct FiniteRange {
  float min = 0, max = 0;
  int64_t count = 0;  // finite samples
};

// Over d[a..b]: min starts at `min0` and max at `max0`, so that they stay there when no
// finite sample is smaller or larger. The values are samples of the run (or the starts);
// among equal values the first sample's, so -0 and +0 come back as the scan of one case at
// a time would give them.
FiniteRange finiteRange(const float* d, int64_t a, int64_t b, float min0, float max0);

}  // namespace qv::plot
