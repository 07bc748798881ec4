#pragma once
// The Y limits the scaling tools store: picked or typed pairs and widened ranges.
#include <optional>

namespace qv::plot {

struct Limits {
  float low = 0, high = 1;
};

// Two picked levels in either order; none when they are equal, not finite, or so far apart
// that their difference is not a finite float.
std::optional<Limits> orderedLimits(float a, float b);
// Typed limits: taken only when maximum > minimum and both and their difference are finite.
std::optional<Limits> typedLimits(float minimum, float maximum);
// The shown range widened by f x range on either side (f 0.5: twice, 1.0: three times).
Limits expanded(float minimum, float maximum, float f);

}  // namespace qv::plot
