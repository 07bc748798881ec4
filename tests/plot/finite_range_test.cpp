#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include "plot/finite_range.h"

using qv::plot::finiteRange;

namespace {

// The scan of one case at a time that the lanes must give back exactly.
qv::plot::FiniteRange reference(const std::vector<float>& d, int64_t a, int64_t b, float mn, float mx) {
  qv::plot::FiniteRange r{mn, mx, 0};
  for (int64_t i = a; i <= b; ++i) {
    const float v = d[size_t(i)];
    if (!(std::fabs(v) <= FLT_MAX)) continue;
    ++r.count;
    if (v > r.max) r.max = v;
    if (v < r.min) r.min = v;
  }
  return r;
}

}  // namespace

TEST(FiniteRange, AgreesWithOneCaseAtATimeToTheBit) {
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  struct Case {
    const char* what;
    std::vector<float> pattern;
    float min0, max0;
  } cases[] = {
      {"plain", {3, 1, 4, 1, 5, 9, 2, 6}, 1e30f, -1e30f},
      {"not finite left out", {nan, 7, inf, -inf, 2, nan, 8}, 1e30f, -1e30f},
      {"nothing finite", {nan, inf, -inf}, 1e30f, -1e30f},
      {"zeros of both signs", {-0.0f, 0.0f, 1, -0.0f, 0.0f}, 1e30f, -1e30f},
      {"positive zero first", {0.0f, -0.0f, 2, 0.0f}, FLT_MAX, -FLT_MAX},
      {"beyond the starts", {-1e35f, -2e35f}, 1e30f, -1e30f},
      {"the largest floats", {FLT_MAX, -FLT_MAX, 0.5f}, FLT_MAX, -FLT_MAX},
  };
  for (const Case& c : cases)
    for (int64_t n : {1, 7, 63, 64, 65, 71, 200, 1001}) {
      std::vector<float> d(size_t(n) + 3);
      for (size_t i = 0; i < d.size(); ++i) d[i] = c.pattern[i % c.pattern.size()];
      for (int64_t a : {int64_t(0), int64_t(3)}) {
        const int64_t b = std::min<int64_t>(a + n - 1, int64_t(d.size()) - 1);
        const auto got = finiteRange(d.data(), a, b, c.min0, c.max0);
        const auto want = reference(d, a, b, c.min0, c.max0);
        EXPECT_EQ(got.count, want.count) << c.what << " " << n;
        EXPECT_EQ(std::signbit(got.min), std::signbit(want.min)) << c.what << " " << n;
        EXPECT_EQ(std::signbit(got.max), std::signbit(want.max)) << c.what << " " << n;
        EXPECT_EQ(got.min, want.min) << c.what << " " << n;
        EXPECT_EQ(got.max, want.max) << c.what << " " << n;
      }
    }
}
