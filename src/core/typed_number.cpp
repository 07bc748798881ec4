#include "core/typed_number.h"

#include <cmath>

#include "runtime/numtext.h"

namespace qv {

std::optional<double> typedNumber(std::string_view text) {
  double v = 0.0;
  if (!rt::PSvalStrict(text, v) || !std::isfinite(float(v))) return std::nullopt;
  return v;
}

}  // namespace qv
