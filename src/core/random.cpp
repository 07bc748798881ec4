#include "core/random.h"

#include <random>

namespace qv {

int randomIn(int lo, int hi) {
  static std::mt19937 generator{std::random_device{}()};
  return std::uniform_int_distribution<int>(lo, hi)(generator);
}

}  // namespace qv
