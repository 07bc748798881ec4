#include <cmath>

#include "core/typed_number.h"
#include "runtime/numtext.h"
#include "runtime/windows.h"
#include "transforms/transform_windows.h"

namespace qv {

std::optional<float> typedSingle(int field) {
  // Past the single-precision range the stored word would be an infinity.
  const auto v = typedNumber(rt::editText(field));
  if (!v) return std::nullopt;
  return float(*v);
}

}  // namespace qv
