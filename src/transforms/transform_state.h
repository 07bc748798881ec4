#pragma once
// What the transform windows and the engine share for the run of the program: the polynomial,
// the breakpoint equations, the custom transforms, and the result's channel.
#include <array>
#include <cstdint>
#include <string>

#include "transforms/transform_engine.h"

namespace qv {

// [1..9] coefficients of x^1..x^9, [10] the constant term.
extern std::array<float, 11> PolynomialValues;
extern BreakpointTable BreakpointArray;
// 1 when the last run made a new channel for its result.
extern int16_t NewChannelExists;

constexpr int kMostCustomTransforms = 40;
constexpr int kCustomWords = 21;
extern int16_t NumberOfCustomTransforms;
// Records 1..40 of 21 words ([0] the deletion mark); names 1..40, 48 characters.
extern std::array<std::array<float, kCustomWords>, kMostCustomTransforms + 1> CustomTransformsArray;
extern std::array<std::string, kMostCustomTransforms + 1> CustomTransformsLabels;

// A float word as a 16-bit integer: truncated toward zero, clamped, NaN as 0.
int16_t wordToI16(float word);

}  // namespace qv
