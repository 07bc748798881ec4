#pragma once
// The per-sample computation of the transforms and unit conversions: plain functions over the
// work column (a copy of channel X) and channel Y, with every parameter passed in.
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace qv {

// BreakpointArray words: [24] breakpoint, [26] lower type, [27..29] its a, b, c, [31] upper
// type, [32..34] its a, b, c. Types 1 linear, 2 two-way polynomial, 3 power, 4 exponential.
using BreakpointTable = std::array<float, 35>;

constexpr int16_t kMaxPolyDegree = 9;
// The degree of a polynomial from any source (file, step, typed) within 0..9.
int16_t boundedPolyDegree(double degree);

struct TransformParams {
  int16_t code = 0;
  float a = 0, b = 0, exponent = 0;
  int16_t degree = 1;
  // [1..9] coefficients of x^1..x^9, [10] the constant term.
  std::array<float, 11> poly{};
  // Code 20: no table (replays and custom runs) is refused.
  std::optional<BreakpointTable> breakpoint;
  // Conversions 66 (temperature, degrees C), 67 (barometric pressure, torr), 68 and 69 (mass, g).
  float temperature = 0, pressure = 0, mass = 0;
  // Codes 22..25: the "result by:" choice.
  bool divide = false, multiply = false;
};

// Codes of the transform (1..26) and conversion (40..69) popups; the rest are separators.
bool isTransformCode(int16_t code);
// Why the constants the code uses cannot be used (one that is not a finite number).
std::optional<std::string> constantsRefusal(const TransformParams& p);
// Why the code and its parameters cannot make a run, whatever the file: an unknown code, a
// constant that is no number, a zero divisor, a temperature, pressure or mass out of range.
std::optional<std::string> parameterRefusal(const TransformParams& p);
// Why a run cannot take place before any sample is computed (the above, a missing breakpoint
// table or channel Y); nothing when it can.
std::optional<std::string> transformRefusal(const TransformParams& p, bool haveChannelY);

struct TransformOutcome {
  bool refused = false;
  // Some sample could not be transformed (stored as 0: no result, or one past the 32 bits of a
  // sample), or divide with a = 0. A gap is no failure: it stays a gap.
  bool failed = false;
};

// Rewrites cases first..last (both included, clipped to the column) of the work column in
// place. `y` is channel Y for codes 22..26 (same length as work), else empty. A gap (NaN) in
// channel X, or in channel Y, is a gap in the result. Code 1 starts from the sample before
// `first` (case 1, and a case after a gap, is its own predecessor) and leaves entry 0 as it is.
TransformOutcome runTransform(const TransformParams& p, std::span<float> work, std::span<const float> y,
                              int32_t first, int32_t last);

// Q10 of codes 18 and 26: 0 or less becomes 1 (the caller warns).
bool q10IsUsable(float q10);

}  // namespace qv
