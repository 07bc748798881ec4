#include "fitting/asymptote_search.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace qv {

AsymptoteTrial asymptoteTrial(std::span<const float> v, int32_t begin, int32_t end, double A) {
  AsymptoteTrial t;
  // Case numbers are taken from the block's start, so that long blocks lose no digits.
  double sx = 0.0, sy = 0.0;
  thread_local std::vector<double> logs;
  logs.resize(size_t(std::max(end - begin + 1, 0)));
  for (int32_t k = begin; k <= end; ++k) {
    const float s = v[size_t(k)];
    if (!std::isfinite(s)) {
      logs[size_t(k - begin)] = NAN;
      continue;
    }
    const double y = std::log(std::fabs(A - double(s)));
    logs[size_t(k - begin)] = y;
    ++t.n;
    sx += double(k - begin);
    sy += y;
  }
  if (t.n < 3 || !std::isfinite(sy)) return t;
  const double mx = sx / t.n, my = sy / t.n;
  double Sxx = 0.0, Sxy = 0.0, Syy = 0.0;
  for (int32_t k = begin; k <= end; ++k) {
    const double y = logs[size_t(k - begin)];
    if (std::isnan(y)) continue;
    const double dx = double(k - begin) - mx, dy = y - my;
    Sxx += dx * dx;
    Sxy += dx * dy;
    Syy += dy * dy;
  }
  if (!(Sxx > 0.0) || !(Syy > 0.0)) return t;
  t.r2 = Sxy * Sxy / Sxx / Syy;
  t.b = Sxy / Sxx;
  t.a = my - t.b * (mx + double(begin));
  return t;
}

AsymptoteFit searchAsymptote(std::span<const float> v, int32_t begin, int32_t end, float lo, float hi,
                             int iterations, const AsymptoteStep& step) {
  AsymptoteFit f;
  begin = std::max(begin, 1);
  end = int32_t(std::min<int64_t>(end, int64_t(v.size()) - 1));
  f.iterations = std::clamp(iterations, 6, 50);
  f.begin = begin;
  f.end = end;
  f.blockMin = lo;
  f.blockMax = hi;
  int32_t first = begin, last = end;
  while (first <= end && !std::isfinite(v[size_t(first)])) ++first;
  while (last >= first && !std::isfinite(v[size_t(last)])) --last;
  const double range = double(hi) - double(lo);
  if (last - first < 2 || !(range > 0.0) || !std::isfinite(range)) {
    f.refused = "The block is flat or too short: no asymptote found.";
    return f;
  }
  f.rising = v[size_t(last)] > v[size_t(first)];
  const double extreme = f.rising ? hi : lo, side = f.rising ? 1.0 : -1.0;
  const double d = range * 0.01;
  auto r2At = [&](double A) {
    ++f.trials;
    return asymptoteTrial(v, begin, end, A).r2;
  };
  // Points are kept as distances from the extreme, inner to outer.
  struct Point {
    double at, r2;
  };
  std::array<Point, 3> p{};
  p[0].at = 1e-4 * d;
  p[2].at = d;
  p[1].at = (p[0].at + p[2].at) / 2;
  p[2].r2 = r2At(extreme + side * p[2].at);
  p[1].r2 = r2At(extreme + side * p[1].at);
  p[0].r2 = r2At(extreme + side * p[0].at);
  // Widen outwards while the outer point is the better one.
  bool widen = p[2].r2 > p[1].r2;
  while (widen) {
    p[1] = p[2];
    p[2].at = p[1].at + 0.5 * (p[1].at - p[0].at);
    if (p[2].at > kFarthestAsymptote * range) {
      f.refused = "The block does not approach a level: no asymptote found.";
      return f;
    }
    p[2].r2 = r2At(extreme + side * p[2].at);
    widen = p[2].r2 >= p[1].r2;
  }
  // Bracket: the midpoints on both sides of the middle, then the best point with its two
  // neighbours (an end point keeps the two points beside it).
  Point best = p[0];
  for (const Point& q : p)
    if (q.r2 > best.r2) best = q;
  for (int k = 0; k < f.iterations; ++k) {
    const Point m1{(p[0].at + p[1].at) / 2, r2At(extreme + side * (p[0].at + p[1].at) / 2)};
    const Point m2{(p[1].at + p[2].at) / 2, r2At(extreme + side * (p[1].at + p[2].at) / 2)};
    const std::array<Point, 5> five{p[0], m1, p[1], m2, p[2]};
    int i = 0;
    for (int j = 1; j < 5; ++j)
      if (five[size_t(j)].r2 > five[size_t(i)].r2) i = j;
    const int centre = std::clamp(i, 1, 3);
    p = {five[size_t(centre - 1)], five[size_t(centre)], five[size_t(centre + 1)]};
    for (const Point& q : {m1, m2})
      if (q.r2 > best.r2) best = q;
    if (step) step(k + 1, extreme + side * best.at, best.r2);
  }
  if (!(best.r2 >= 0.0)) {
    f.refused = "No trial could be computed: no asymptote found.";
    return f;
  }
  // One last trial at the asymptote reported, so that its line, rate and plots go together.
  f.A = extreme + side * best.at;
  const AsymptoteTrial t = asymptoteTrial(v, begin, end, f.A);
  ++f.trials;
  f.r2 = t.r2;
  f.a = t.a;
  f.b = t.b;
  f.n = t.n;
  if (int64_t(end) - begin + 1 <= kMostAsymptoteResiduals) {
    f.residuals.assign(size_t(end - begin + 1), NAN);
    for (int32_t k = begin; k <= end; ++k) {
      const float s = v[size_t(k)];
      if (std::isfinite(s))
        f.residuals[size_t(k - begin)] = float(std::log(std::fabs(f.A - double(s))) - (t.a + t.b * double(k)));
    }
  }
  return f;
}

double secondsPerUnit(int16_t u) { return u == 1 ? 60.0 : u == 2 ? 3600.0 : u == 3 ? 86400.0 : 1.0; }
const char* rateSuffix(int16_t u) { return u == 1 ? "/min" : u == 2 ? "/hr" : u == 3 ? "/day" : "/sec"; }
const char* durationSuffix(int16_t u) {
  return u == 1 ? " minutes" : u == 2 ? " hours" : u == 3 ? " days" : " seconds";
}

AsymptoteRate asymptoteRate(double bPerCase, double secondsPerCase, int16_t timeUnits, float lnRemaining) {
  AsymptoteRate r;
  if (!(secondsPerCase > 0.0)) return {NAN, NAN, NAN};
  r.k = secondsPerUnit(timeUnits) / secondsPerCase * bPerCase;
  r.rate = 1.0 - std::exp(r.k);
  r.time = r.k != 0.0 ? std::fabs(double(lnRemaining) / r.k) : NAN;
  return r;
}

float lnRemainingOf(int item) {
  static const double kP[] = {0, 0.01, 0.05, 0.10, 0.25, 1.0 / 3.0, 0.5, 2.0 / 3.0, 0.75, 0.90, 0.95, 0.99};
  return float(std::log(1.0 - kP[item >= 1 && item <= 11 ? item : 6]));
}

}  // namespace qv
