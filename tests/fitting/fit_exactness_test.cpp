// The regression's long-block paths give what the case-by-case formulas give, bit for bit:
// the centred sums of the fit, and the scatter's pixel mask on rows that fall on a half.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "fitting/fit_drawing.h"
#include "fitting/line_fit.h"

using namespace qv;

namespace {

std::vector<float> noisy(size_t n, float base, float spread, uint32_t seed) {
  std::vector<float> v(n + 1);
  for (size_t i = 0; i < v.size(); ++i) {
    seed = seed * 1664525u + 1013904223u;
    v[i] = base + 0.002f * float(i % 500) + spread * float(seed >> 8) * (1.0f / 16777216.0f);
  }
  return v;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(FitExactness, CentredSumsEqualTheCaseByCaseSums) {
  // O2-like values near 20.95 against a wide channel; odd lengths leave a tail of 1..3 cases.
  const std::vector<float> x = noisy(10003, 20.95f, 0.01f, 7), y = noisy(10003, -300.0f, 900.0f, 11);
  for (int32_t end : {10003, 10002, 10001, 10000, 3}) {
    const LineFit fit = fitBetween(x, y, 2, end, {});
    double mx = 0, my = 0;
    for (int32_t k = 2; k <= end; ++k) mx += x[size_t(k)], my += y[size_t(k)];
    mx /= end - 1, my /= end - 1;
    double Sxx = 0, Syy = 0, Sxy = 0;
    for (int32_t k = 2; k <= end; ++k) {
      const float dx = float(double(x[size_t(k)]) - mx), dy = float(double(y[size_t(k)]) - my);
      Sxx += dx * dx;
      Syy += dy * dy;
      Sxy += dx * dy;
    }
    EXPECT_TRUE(sameBits(fit.Sxx, Sxx) && sameBits(fit.Syy, Syy) && sameBits(fit.Sxy, Sxy)) << end;
  }
}

// The mask as the scale marks it, one case at a time.
std::vector<uint8_t> referenceMask(const std::vector<float>& x, const std::vector<float>& y, float minX, float maxX,
                                   int rightLim, const BlockScaleY& s, int w, int h) {
  std::vector<uint8_t> mask(size_t(w) * size_t(h), 0);
  const double xScale = double(rightLim) / (double(maxX) - double(minX));
  for (size_t k = 1; k < x.size(); ++k) {
    const double px = std::rint((double(x[k]) - minX) * xScale);
    const int32_t py = s.row(y[k]);
    if (px >= 0 && px < w && py >= 0 && py < h) mask[size_t(py) * size_t(w) + size_t(px)] = 1;
  }
  return mask;
}

TEST(FitExactness, ScatterMaskEqualsTheCaseByCaseMask) {
  const int w = 301, h = 97;
  const float minX = -3.5f, maxX = 17.25f, minY = 0.1f, maxY = 0.7f;
  const BlockScaleY s{h - 3, minY, maxY};
  std::vector<float> x = noisy(20001, minX - 0.5f, maxX - minX + 1.0f, 3), y = noisy(20001, minY - 0.05f, 0.7f, 5);
  // Values whose row or column lies on a half (or within rounding of one), and values that are
  // not finite or far out.
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  for (size_t k = 1; k + 8 < x.size(); k += 97) {
    const double half = double(k % h) + 0.5;
    y[k] = float(double(minY) + half / (s.upperLimit - 3.0) * (double(maxY) - double(minY)));
    y[k + 1] = std::nextafter(y[k], 1.0f);
    y[k + 2] = std::nextafter(y[k], 0.0f);
    x[k + 3] = float(double(minX) + (double(k % w) + 0.5) / (w - 5) * (double(maxX) - double(minX)));
    x[k + 4] = k % 2 ? nan : inf;
    y[k + 5] = k % 2 ? -inf : nan;
    y[k + 6] = 3e38f;
    x[k + 7] = -0.0f;
  }
  for (int32_t end : {20001, 20000}) {
    std::vector<float> xs(x.begin(), x.begin() + end + 1), ys(y.begin(), y.begin() + end + 1);
    EXPECT_EQ(scatterMask(xs, ys, 1, end, {}, minX, maxX, w - 5, s, w, h),
              referenceMask(xs, ys, minX, maxX, w - 5, s, w, h))
        << end;
  }
  // A scale of no height and one whose limits are equal take the case-by-case road.
  const BlockScaleY flat{h - 3, 0.5f, 0.5f};
  EXPECT_EQ(scatterMask(x, y, 1, 20001, {}, minX, maxX, w - 5, flat, w, h),
            referenceMask(x, y, minX, maxX, w - 5, flat, w, h));
}

}  // namespace
