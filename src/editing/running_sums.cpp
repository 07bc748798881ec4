#include "editing/running_sums.h"

#include <algorithm>
#include <cmath>

namespace qv {

void sampleDifference(std::span<const float> source, std::span<float> destination) {
  const size_t n = std::min(source.size(), destination.size());
  if (n < 2) return;
  // Downwards, so that an in-place result never overwrites a predecessor still to be read.
  for (size_t i = n - 1; i >= 2; --i) destination[i] = source[i] - source[i - 1];
  destination[1] = source[1] - source[1];
  destination[0] = destination[1];
}

void runningSum(std::span<const float> source, std::span<float> destination) {
  const size_t n = std::min(source.size(), destination.size());
  if (n < 2) return;
  double sum = 0;
  for (size_t i = 1; i < n; ++i) {
    const float x = source[i];
    if (std::isnan(x)) {
      destination[i] = x;
      continue;
    }
    sum += x;
    destination[i] = float(sum);
  }
  destination[0] = destination[1];
}

}  // namespace qv
