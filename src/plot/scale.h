#pragma once
// The vertical scale of a channel: the extremes of the cases shown, 5 % margins, the
// include-zero rule and the rounded scale with its grid.
#include <cstdint>

namespace qv::plot {

// Scale modes, as the channel's scaling row keeps them.
enum ScaleModes : int { kFixedLimits = -1, kHighResolution = 0, kIncludeZero = 1, kNormalScale = 2 };

// The scale mode a channel's word 4 holds, truncated; a word that is not a finite number
// gives normal scaling.
int16_t scaleModeOf(float word);

// Smallest and largest finite sample; NaN and infinite samples are passed over.
struct Extremes {
  float min = 1e30f, max = -1e30f;
  int64_t finite = 0;  // how many finite samples there were
};
// Cases first..last of a channel array (indexed by case).
Extremes scanExtremes(const float* samples, int32_t first, int32_t last);

struct Scale {
  float minimumValue = 0, maximumValue = 1, range = 1;
  int16_t plotLines = 5;  // grid intervals of a rounded scale
  float span = 1;         // mantissa of the last rounded scale
};

// The scale of a channel whose extremes are `e`, in `mode`. `previous` gives what the
// modes that do not set them keep: plotLines and span always, and minimumValue and
// maximumValue in mode -1 (the caller's fixed limits). With no finite sample the scale
// is 0..1, unrounded.
Scale scaleFor(const Extremes& e, int mode, const Scale& previous);

// The rounded scale of a range r covering min..max: bottom and top on the grid, the
// count of grid intervals and the mantissa. ok is false when no rounded scale was found
// (the range is too small for the table).
struct RoundedScale {
  float bottom = 0, top = 0;
  int16_t lines = 0;
  float span = 0;
  bool ok = false;
};
RoundedScale roundScale(float minimumValue, float maximumValue, float r);

// What the drawing divides by: the scale's limits with a zero or non-finite range
// opened to min .. min + 1.
struct DrawScale {
  double low = 0, high = 1;
  double range() const { return high - low; }
};
DrawScale drawScale(float minimumValue, float maximumValue);

// Value of the grid label i (1..lines) below the top of the scale; magnitudes below
// 1e-7 are 0.
double gridLabelValue(const DrawScale& s, int i, int lines);

}  // namespace qv::plot
