#include "fitting/line_fit.h"

#include <algorithm>
#include <numbers>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

#include "fitting/kept_cases.h"

namespace qv {

namespace {

// The slope, intercept and r² from the sums; each NaN when its divisor is zero.
void finish(LineFit& f) {
  if (f.n < 1 || f.Sxx <= 0.0) return;
  const double b = f.Sxy / f.Sxx;
  f.b = float(b);
  f.a = float(f.meanY - f.meanX * double(f.b));
  if (f.Syy > 0.0) f.r2 = float(f.Sxy * f.Sxy / f.Sxx / f.Syy);
}

// The sums of squares and products of the deviations, formed in f32 and added in case order.
struct CentredSums {
  double xx = 0.0, yy = 0.0, xy = 0.0;
  void add(float dx, float dy) {
    xx += dx * dx;
    yy += dy * dy;
    xy += dx * dy;
  }
};

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define QV_FIT_AVX2 1
// Cases begin.. in runs of 256: the deviations, their rounding to f32 and the products formed
// four lanes at a time (the same operations as case by case), then added one after another in
// case order. Returns the first case left.
__attribute__((target("avx2"))) int32_t centredSumsInRuns(const float* x, const float* y, int32_t begin, int32_t end,
                                                           double meanX, double meanY, CentredSums& s) {
  constexpr int kRun = 256;
  const __m256d mx = _mm256_set1_pd(meanX), my = _mm256_set1_pd(meanY);
  alignas(32) double pxx[kRun], pyy[kRun], pxy[kRun];
  int32_t k = begin;
  for (; int64_t(k) + kRun - 1 <= end; k += kRun) {
    for (int j = 0; j < kRun; j += 4) {
      const __m128 dx = _mm256_cvtpd_ps(_mm256_sub_pd(_mm256_cvtps_pd(_mm_loadu_ps(x + k + j)), mx));
      const __m128 dy = _mm256_cvtpd_ps(_mm256_sub_pd(_mm256_cvtps_pd(_mm_loadu_ps(y + k + j)), my));
      _mm256_store_pd(pxx + j, _mm256_cvtps_pd(_mm_mul_ps(dx, dx)));
      _mm256_store_pd(pyy + j, _mm256_cvtps_pd(_mm_mul_ps(dy, dy)));
      _mm256_store_pd(pxy + j, _mm256_cvtps_pd(_mm_mul_ps(dx, dy)));
    }
    for (int j = 0; j < kRun; ++j) {
      s.xx += pxx[j];
      s.yy += pyy[j];
      s.xy += pxy[j];
    }
  }
  return k;
}
#endif

int32_t clampedEnd(std::span<const float> v, int32_t end, const CaseFilters& filters) {
  const int64_t last = int64_t(v.size()) - 1;
  return int32_t(std::min<int64_t>({int64_t(end), last, int64_t(filters.lastCase())}));
}

// The cases a fit uses: those the filters keep, and, with SkipGaps, only those whose values
// are finite. A gap (a NaN sample, or an infinity) counted as a case would make every
// coefficient "**" over a block that is otherwise sound. The fits run without the test first
// and again with it only when their sums come out non-finite, so gap-free blocks pay nothing.
template <bool SkipGaps, class Visit>
inline void forUsableCases(const CaseFilters& filters, int32_t begin, int32_t end, const float* x, const float* y,
                           Visit&& visit) {
  if constexpr (!SkipGaps) {
    forKeptCases(filters, begin, end, visit);
  } else {
    forKeptCases(filters, begin, end, [&](int32_t k) {
      if ((!x || std::isfinite(x[k])) && std::isfinite(y[k])) visit(k);
    });
  }
}

template <bool SkipGaps>
LineFit timeFit(std::span<const float> y, int32_t begin, int32_t end, const CaseFilters& filters, double step) {
  LineFit f;
  double sx = 0.0, sy = 0.0;
  forUsableCases<SkipGaps>(filters, begin, end, nullptr, y.data(), [&](int32_t k) {
    ++f.n;
    sx += double(k) * step;
    sy += y[size_t(k)];
  });
  if (f.n < 1) return f;
  f.meanX = sx / f.n;
  f.meanY = sy / f.n;
  double Sxx = 0.0, Syy = 0.0, Sxy = 0.0;
  forUsableCases<SkipGaps>(filters, begin, end, nullptr, y.data(), [&](int32_t k) {
    const double dx = double(k) * step - f.meanX, dy = double(y[size_t(k)]) - f.meanY;
    Sxx += dx * dx;
    Syy += dy * dy;
    Sxy += dx * dy;
  });
  f.Sxx = Sxx, f.Syy = Syy, f.Sxy = Sxy;
  finish(f);
  return f;
}

template <bool SkipGaps>
LineFit pairFit(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end,
                const CaseFilters& filters) {
  LineFit f;
  double sx = 0.0, sy = 0.0;
  forUsableCases<SkipGaps>(filters, begin, end, x.data(), y.data(), [&](int32_t k) {
    ++f.n;
    sx += x[size_t(k)];
    sy += y[size_t(k)];
  });
  if (f.n < 1) return f;
  f.meanX = sx / f.n;
  f.meanY = sy / f.n;
  CentredSums sums;
  int32_t k = begin;
#if defined(QV_FIT_AVX2)
  static const bool avx2 = __builtin_cpu_supports("avx2");
  if (!SkipGaps && avx2 && !filters.active())
    k = centredSumsInRuns(x.data(), y.data(), begin, end, f.meanX, f.meanY, sums);
#endif
  forUsableCases<SkipGaps>(filters, k, end, x.data(), y.data(), [&](int32_t i) {
    const float dx = float(double(x[size_t(i)]) - f.meanX), dy = float(double(y[size_t(i)]) - f.meanY);
    sums.add(dx, dy);
  });
  f.Sxx = sums.xx, f.Syy = sums.yy, f.Sxy = sums.xy;
  finish(f);
  return f;
}

}  // namespace

float timeStep(float interval, int16_t timeUnits) {
  switch (timeUnits) {
    case 1: return float(double(interval) * 0.0166667);
    case 2: return float(double(interval) / 3600.0);
    case 3: return float(double(interval) / 86400.0);
    default: return interval;
  }
}

const char* timeUnitName(int16_t timeUnits) {
  switch (timeUnits) {
    case 1: return "minutes";
    case 2: return "hours";
    case 3: return "days";
    default: return "seconds";
  }
}

float fitLog10(float v) { return float(std::log(double(v)) * 0.434294); }

bool allPositive(std::span<const float> x, int32_t begin, int32_t end) {
  begin = std::max(begin, 1);
  end = int32_t(std::min<int64_t>(end, int64_t(x.size()) - 1));
  // A gap has no logarithm to take and is left out of the fit anyway.
  for (int32_t k = begin; k <= end; ++k)
    if (!std::isnan(x[size_t(k)]) && !(x[size_t(k)] > 0.0f)) return false;
  return true;
}

LineFit fitAgainstTime(std::span<const float> y, int32_t begin, int32_t end, const CaseFilters& filters,
                       float dt) {
  begin = std::max(begin, 1);
  end = clampedEnd(y, end, filters);
  const double step = dt;
  LineFit f = timeFit<false>(y, begin, end, filters, step);
  if (f.n >= 1 && !std::isfinite(f.meanY)) f = timeFit<true>(y, begin, end, filters, step);
  f.aAtZero = f.a;
  f.againstTime = true;
  f.begin = begin;
  f.end = end;
  f.dt = dt;
  if (!std::isnan(f.a)) f.a = float(double(f.b) * (step * double(begin)) + double(f.a));
  return f;
}

LineFit fitBetween(std::span<const float> x, std::span<const float> y, int32_t begin, int32_t end,
                   const CaseFilters& filters) {
  begin = std::max(begin, 1);
  end = std::min(clampedEnd(x, end, filters), clampedEnd(y, end, filters));
  LineFit f = pairFit<false>(x, y, begin, end, filters);
  if (f.n >= 1 && !(std::isfinite(f.meanX) && std::isfinite(f.meanY))) f = pairFit<true>(x, y, begin, end, filters);
  f.begin = begin;
  f.end = end;
  return f;
}

}  // namespace qv
