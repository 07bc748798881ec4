#include "plot/finite_range.h"

#include <cfloat>
#include <cmath>
#include <cstring>

#include "plot/float_lanes.h"

namespace qv::plot {

namespace {

// Four lanes, the width every x86-64 and ARM64 processor has; two sets of them per step.
using lanes::F4;
using lanes::I4;

bool finite(float v) { return std::fabs(v) <= FLT_MAX; }

// One case at a time; also the rule the eight lanes must agree with.
FiniteRange oneByOne(const float* d, int64_t a, int64_t b, float mn, float mx) {
  FiniteRange r{mn, mx, 0};
  for (int64_t i = a; i <= b; ++i) {
    const float v = d[i];
    if (!finite(v)) continue;
    ++r.count;
    if (v > r.max) r.max = v;
    if (v < r.min) r.min = v;
  }
  return r;
}

// One step of four lanes: the finite samples of v lower lo, raise hi and are counted.
inline void step(const float* at, F4& lo, F4& hi, I4& count) {
  const F4 v = lanes::load(at);
  I4 bits;
  std::memcpy(&bits, &v, sizeof bits);
  // Finite: the magnitude's bits at most those of FLT_MAX (NaN and infinity are above).
  const I4 ok = (bits & 0x7FFFFFFF) <= 0x7F7FFFFF;
  lo = (ok & (v < lo)) ? v : lo;
  hi = (ok & (v > hi)) ? v : hi;
  count -= ok;
}

}  // namespace

FiniteRange finiteRange(const float* d, int64_t a, int64_t b, float min0, float max0) {
  if (b - a < 64) return oneByOne(d, a, b, min0, max0);
  F4 lo0 = F4{} + min0, lo1 = lo0, hi0 = F4{} + max0, hi1 = hi0;
  I4 n0 = {}, n1 = {};
  int64_t i = a;
  for (; i + 7 <= b; i += 8) {
    step(d + i, lo0, hi0, n0);
    step(d + i + 4, lo1, hi1, n1);
  }
  FiniteRange r = oneByOne(d, i, b, min0, max0);
  for (int lane = 0; lane < 4; ++lane) {
    r.count += n0[lane] + n1[lane];
    if (lo0[lane] < r.min) r.min = lo0[lane];
    if (lo1[lane] < r.min) r.min = lo1[lane];
    if (hi0[lane] > r.max) r.max = hi0[lane];
    if (hi1[lane] > r.max) r.max = hi1[lane];
  }
  // Lanes may have met -0 and +0 in another order than one case at a time: a zero extreme
  // is taken again in order (rare; any other value equals only itself).
  if (r.min == 0 || r.max == 0) return oneByOne(d, a, b, min0, max0);
  return r;
}

}  // namespace qv::plot
