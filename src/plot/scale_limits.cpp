#include "plot/scale_limits.h"

#include <cmath>
#include <utility>

namespace qv::plot {

std::optional<Limits> typedLimits(float minimum, float maximum) {
  if (!std::isfinite(minimum) || !std::isfinite(maximum) || !(maximum > minimum)) return std::nullopt;
  if (!std::isfinite(maximum - minimum)) return std::nullopt;
  return Limits{minimum, maximum};
}

std::optional<Limits> orderedLimits(float a, float b) {
  if (a > b) std::swap(a, b);
  return typedLimits(a, b);
}

Limits expanded(float minimum, float maximum, float f) {
  const float range = maximum - minimum;
  return {minimum - f * range, maximum + f * range};
}

}  // namespace qv::plot
