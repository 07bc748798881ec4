#include "fitting/fit_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

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

namespace {

// Where one case lands: rint of its scaled x, and its row by BlockScaleY::row, each
// computed as the scale itself does.
struct ScatterMap {
  double minX, xScale;
  BlockScaleY scale;
  double minY, span, upper, rows;  // the scale's terms
  int width, height;
  void mark(std::vector<uint8_t>& mask, float x, float y) const {
    const double px = std::rint((double(x) - minX) * xScale);
    const int32_t py = scale.row(y);
    if (!(px >= 0 && px < width) || py < 0 || py >= height) return;
    mask[size_t(py) * size_t(width) + size_t(px)] = 1;
  }
};

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QV_SCATTER_AVX2 1
// Four cases at a time, with the row's division taken as a product by the reciprocal. Below
// 2^20 the two differ by less than 1e-9, so a rounding farther than 1e-6 from a half gives the
// same row; above it both rows lie far outside the mask (its rows and height are below 2^19).
// Four cases of which one comes nearer a half (or is not finite) are marked case by case as
// above. rint is the add and subtract of 1.5 x 2^52, exact below 2^51. Returns the first
// case left.
__attribute__((target("avx2"))) int32_t markFours(const ScatterMap& m, const float* x, const float* y, int32_t begin,
                                                  int32_t end, std::vector<uint8_t>& mask) {
  uint8_t* out = mask.data();
  const __m256d minX = _mm256_set1_pd(m.minX), xScale = _mm256_set1_pd(m.xScale), minY = _mm256_set1_pd(m.minY),
                inverse = _mm256_set1_pd(1.0 / m.span), rows = _mm256_set1_pd(m.rows),
                upper = _mm256_set1_pd(m.upper), width = _mm256_set1_pd(m.width), height = _mm256_set1_pd(m.height),
                round = _mm256_set1_pd(0x1.8p52), zero = _mm256_setzero_pd(), sign = _mm256_set1_pd(-0.0),
                clearOfHalf = _mm256_set1_pd(0.5 - 1e-6);
  int32_t k = begin;
  for (; int64_t(k) + 3 <= end; k += 4) {
    const __m256d xd = _mm256_cvtps_pd(_mm_loadu_ps(x + k)), yd = _mm256_cvtps_pd(_mm_loadu_ps(y + k));
    const __m256d px = _mm256_sub_pd(_mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(xd, minX), xScale), round), round);
    const __m256d t = _mm256_mul_pd(_mm256_mul_pd(_mm256_sub_pd(yd, minY), inverse), rows);
    const __m256d rt = _mm256_sub_pd(_mm256_add_pd(t, round), round);
    if (_mm256_movemask_pd(_mm256_cmp_pd(_mm256_andnot_pd(sign, _mm256_sub_pd(t, rt)), clearOfHalf, _CMP_LT_OQ)) != 15) {
      for (int32_t i = k; i < k + 4; ++i) m.mark(mask, x[i], y[i]);
      continue;
    }
    const __m256d r = _mm256_sub_pd(upper, rt);
    const __m256d in =
        _mm256_and_pd(_mm256_and_pd(_mm256_cmp_pd(px, zero, _CMP_GE_OQ), _mm256_cmp_pd(px, width, _CMP_LT_OQ)),
                      _mm256_and_pd(_mm256_cmp_pd(r, zero, _CMP_GE_OQ), _mm256_cmp_pd(r, height, _CMP_LT_OQ)));
    const int inside = _mm256_movemask_pd(in);
    if (!inside) continue;
    alignas(16) int32_t at[4];
    _mm_store_si128(reinterpret_cast<__m128i*>(at),
                    _mm256_cvttpd_epi32(_mm256_and_pd(_mm256_add_pd(_mm256_mul_pd(r, width), px), in)));
    for (int l = 0; l < 4; ++l)
      if (inside & (1 << l)) out[at[l]] = 1;
  }
  return k;
}
#endif

}  // namespace

std::vector<uint8_t> scatterMask(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end,
                                 const CaseFilters& filters, float minX, float maxX, int rightLim,
                                 const BlockScaleY& s, int width, int height) {
  std::vector<uint8_t> mask(size_t(std::max(width, 0)) * size_t(std::max(height, 0)), 0);
  if (mask.empty()) return mask;
  begin = std::max(begin, 1);
  end = int32_t(std::min<int64_t>({int64_t(end), int64_t(x.size()) - 1, int64_t(y.size()) - 1,
                                   int64_t(filters.lastCase())}));
  const ScatterMap m{double(minX),
                     double(rightLim) / (double(maxX) - double(minX)),
                     s,
                     double(s.minY),
                     double(s.maxY) - double(s.minY),
                     double(s.upperLimit),
                     double(s.upperLimit) - 3.0,
                     width,
                     height};
  int32_t k = begin;
#if defined(QV_SCATTER_AVX2)
  constexpr double kNear = 0x1p19;  // the fours' bound on the mask and its rows
  static const bool avx2 = __builtin_cpu_supports("avx2");
  const bool fours = avx2 && !filters.active() && std::isfinite(m.xScale) && m.span > 0 &&
                     std::isfinite(1.0 / m.span) && std::fabs(m.upper) < kNear && width < kNear && height < kNear &&
                     mask.size() < 0x7FFFFFFFu;
  if (fours) k = markFours(m, x.data(), y.data(), begin, end, mask);
#endif
  forKeptCases(filters, k, end, [&](int32_t i) { m.mark(mask, x[size_t(i)], y[size_t(i)]); });
  return mask;
}

}  // namespace qv
