#include "transforms/transform_state.h"

#include <cmath>

namespace qv {

std::array<float, 11> PolynomialValues{};
BreakpointTable BreakpointArray{};
int16_t NewChannelExists = 0;
int16_t NumberOfCustomTransforms = 0;
std::array<std::array<float, kCustomWords>, kMostCustomTransforms + 1> CustomTransformsArray{};
std::array<std::string, kMostCustomTransforms + 1> CustomTransformsLabels{};

int16_t wordToI16(float word) {
  if (std::isnan(word)) return 0;
  if (word >= 32767.0f) return 32767;
  if (word <= -32768.0f) return -32768;
  return int16_t(std::trunc(word));
}

}  // namespace qv
