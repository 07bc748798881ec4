#include "editing/lag_shift.h"

#include <algorithm>
#include <cmath>

namespace qv {

std::optional<int32_t> lagInCases(float seconds, float interval) {
  if (!(interval > 0.0f) || !std::isfinite(interval) || !std::isfinite(seconds)) return std::nullopt;
  // The 0.001 keeps a quotient that lands a hair above a whole number (0.3 s at 0.1 s) on it.
  const double n = std::ceil(double(seconds) / double(interval) - 0.001);
  if (!(std::fabs(n) <= double(INT32_MAX))) return std::nullopt;
  return int32_t(n);
}

bool lagFitsFile(int32_t n, int32_t nCases) { return std::fabs(double(n)) < double(nCases) / 2.0; }

void shiftChannel(std::span<float> x, int32_t n) {
  if (x.size() < 2 || n == 0) return;
  const int64_t N = int64_t(x.size()) - 1;
  const int64_t d = std::min<int64_t>(std::llabs(n), N);
  float* c = x.data();
  if (n > 0) {
    std::copy(c + 1 + d, c + N + 1, c + 1);
    std::fill(c + N - d + 1, c + N + 1, 0.0f);
  } else {
    std::copy_backward(c + 1, c + N - d + 1, c + N + 1);
    std::fill(c + 1, c + d + 1, 0.0f);
  }
}

}  // namespace qv
