#include "fitting/fit_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "fitting/kept_cases.h"

namespace qv {

int32_t BlockScaleY::row(double y) const {
  const double span = double(maxY) - double(minY);
  const double r = double(upperLimit) - std::rint((y - double(minY)) / span * (double(upperLimit) - 3.0));
  if (!std::isfinite(r)) return std::numeric_limits<int32_t>::min();
  return int32_t(std::clamp(r, -1.0e6, 1.0e6));
}

std::vector<rt::PointF> fittedLinePoints(double y0, double step, int width, int belowRow, const BlockScaleY& s,
                                         bool logY) {
  std::vector<rt::PointF> pts;
  for (int i = 1; i <= width; ++i) {
    double y = y0 + i * step;
    if (logY) y = std::pow(10.0, y);
    const int32_t r = s.row(y);
    if (r == std::numeric_limits<int32_t>::min() || r >= belowRow) continue;
    pts.push_back({double(i), double(r)});
  }
  return pts;
}

std::vector<uint8_t> scatterMask(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end,
                                 const CaseFilters& filters, float minX, float maxX, int rightLim,
                                 const BlockScaleY& s, int width, int height) {
  std::vector<uint8_t> mask(size_t(std::max(width, 0)) * size_t(std::max(height, 0)), 0);
  if (mask.empty()) return mask;
  begin = std::max(begin, 1);
  end = int32_t(std::min<int64_t>({int64_t(end), int64_t(x.size()) - 1, int64_t(y.size()) - 1,
                                   int64_t(filters.lastCase())}));
  const double xScale = double(rightLim) / (double(maxX) - double(minX));
  forKeptCases(filters, begin, end, [&](int32_t k) {
    const double px = std::rint((double(x[size_t(k)]) - minX) * xScale);
    const int32_t py = s.row(y[size_t(k)]);
    if (!(px >= 0 && px < width) || py < 0 || py >= height) return;
    mask[size_t(py) * size_t(width) + size_t(px)] = 1;
  });
  return mask;
}

}  // namespace qv
