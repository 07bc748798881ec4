#include <cmath>

#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "transforms/transform_windows.h"

namespace qv {

std::optional<float> typedSingle(int field) {
  double v = 0;
  // Past the single-precision range the stored word would be an infinity.
  if (!rt::PSvalStrict(rt::editText(field), v) || !(std::fabs(v) <= 3.4e38)) return std::nullopt;
  return float(v);
}

}  // namespace qv
