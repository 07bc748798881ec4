#pragma once
// The residuals of a straight-line fit at every case of its block, their plot's pixels and
// their file, and the fitted line read both ways. Plain functions of the fit's record and the
// values it was fitted to (log values under a log model).
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/fit_state.h"

namespace qv {

struct FitResiduals {
  bool againstTime = false;
  int32_t begin = 0;
  std::vector<float> x, y, predicted, residual;  // index: case - begin; a gap stays NaN
  float rmin = 0.0f, rmax = 0.0f, xmin = 0.0f, xmax = 0.0f;  // over the cases with a residual
  bool any = false;
  size_t cases = 0;  // begin..end, gaps included
};

// Every case begin..end of the fit: x = the X value (x, the regression) or the elapsed time
// since the block's start, y, b x + a and y - (b x + a). No filter applies.
FitResiduals fitResiduals(const LineFit& fit, std::span<const float> y, std::span<const float> x);
// The same ranges and count, the four columns left empty: what the window's plot needs, so that
// a block of millions of cases is not copied four times to be drawn.
FitResiduals residualRanges(const LineFit& fit, std::span<const float> y, std::span<const float> x);

// The plot box of the residuals window: dots at (101 + 0..465, 2 + 0..296).
struct ResidualScale {
  double perUnitX = 0.0, perUnitR = 0.0;
  int zeroRow = 0;
};
ResidualScale residualScale(const FitResiduals& r);
// The pixel mask (width 470 x height 300, from (99, 0) of the window) of the dots, size 3
// (n <= 500) or 2, so that a block of millions of cases paints each pixel once.
constexpr int kResidualMaskWidth = 470, kResidualMaskHeight = 300, kResidualMaskLeft = 99;
std::vector<uint8_t> residualMask(const FitResiduals& r, const ResidualScale& s, int dotSize);
// The same mask from the fit and its values, each residual worked out again as fitResiduals
// does (`ranges` from residualRanges or fitResiduals of the same fit and values).
std::vector<uint8_t> residualMask(const LineFit& fit, std::span<const float> y, std::span<const float> x,
                                  const FitResiduals& ranges, const ResidualScale& s, int dotSize);

// The residuals file: a header and one line per case, numbers with `digits` significant
// digits (at least 5), fields joined by the delimiter, lines ended by a line feed.
std::string residualsText(const FitResiduals& r, char delimiter, int digits);

// The model's text in the prediction window.
const char* predictionModelText(const LineFit& fit);
// Y of the line at x, and x at y (NaN when the slope is 0 or a value is not finite).
double predictY(const LineFit& fit, double x);
double predictX(const LineFit& fit, double y);

}  // namespace qv
