#pragma once
// Pixel arithmetic of the fits' drawings in the block window: the fitted line over the block,
// and the scatter of a regression marked in a pixel mask, so that a block of millions of cases
// draws at most one dot per pixel.
#include <cstdint>
#include <span>
#include <vector>

#include "runtime/geometry.h"
#include "core/case_filters.h"

namespace qv {

struct BlockScaleY {
  int upperLimit = 100;        // pixel row of the lowest value
  float minY = 0.0f, maxY = 1.0f;
  // The row of value y; INT32_MIN when y or the scale is not finite.
  int32_t row(double y) const;
};

// Points i = 1..width of the line y0 + i x step (10^y when logY), kept while their row is
// above `belowRow`.
std::vector<rt::PointF> fittedLinePoints(double y0, double step, int width, int belowRow, const BlockScaleY& s,
                                         bool logY);

// The scatter's pixel mask (width x height, row-major, 1 = a dot): raw x and y of the cases
// begin..end that the filters keep, x scaled from minX..maxX onto 0..rightLim.
std::vector<uint8_t> scatterMask(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end,
                                 const CaseFilters& filters, float minX, float maxX, int rightLim,
                                 const BlockScaleY& s, int width, int height);

}  // namespace qv
