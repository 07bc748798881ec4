#include "fitting/asymptote_search.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <memory>
#include <thread>
#include <type_traits>
#include <vector>

#include "runtime/helper_threads.h"
#include "runtime/parallel_runs.h"

namespace qv {

namespace {

// What every trial over a block shares: the cases holding a sample, their count, and the mean and
// centred sum of squares of their case numbers (counted from the block's start, so that long
// blocks lose no digits). None of these depends on the trial's A.
struct TrialBlock {
  int32_t begin = 0, end = 0, n = 0;
  double mx = 0.0, Sxx = 0.0;
};

TrialBlock trialBlock(std::span<const float> v, int32_t begin, int32_t end) {
  TrialBlock b;
  b.begin = begin;
  b.end = end;
  double sx = 0.0;
  for (int32_t k = begin; k <= end; ++k)
    if (std::isfinite(v[size_t(k)])) {
      ++b.n;
      sx += double(k - begin);
    }
  if (b.n < 1) return b;
  b.mx = sx / b.n;
  for (int32_t k = begin; k <= end; ++k)
    if (std::isfinite(v[size_t(k)])) {
      const double dx = double(k - begin) - b.mx;
      b.Sxx += dx * dx;
    }
  return b;
}

// The log a trial takes of one sample: ln|A - s|.
inline double logDistance(double A, float s) { return std::log(std::fabs(A - double(s))); }

// A long block's logs are worked out by several threads, a run of cases at a time; below this
// many cases starting threads costs more than it saves.
constexpr int32_t kParallelFrom = 1 << 18;
constexpr int32_t kRunOfCases = 1 << 16;

// The threads that work out a block's logs.
unsigned logThreads(int32_t len) {
  if (len < kParallelFrom) return 1;
  return rt::threadsForRuns(size_t((len + kRunOfCases - 1) / kRunOfCases));
}

// logs[case * m + trial] = ln|A[trial] - v[case]| over the block, NaN at a gap, worked out a run
// of cases at a time by this thread and its helpers; sum(run) hears each run in case order once its
// logs are in, while later runs are still being worked out.
template <int m, class Sum>
void fillLogs(std::span<const float> v, const TrialBlock& b, const double* At, double* logs, Sum&& sum) {
  const int32_t len = std::max(b.end - b.begin + 1, 0);
  const int32_t runs = (len + kRunOfCases - 1) / kRunOfCases;
  std::array<double, m> A;
  std::copy(At, At + m, A.begin());
  std::vector<std::atomic<bool>> done(static_cast<size_t>(runs));
  std::atomic<int32_t> next{0};
  auto workOne = [&] {
    const int32_t r = next++;
    if (r >= runs) return false;
    const int32_t k0 = b.begin + r * kRunOfCases, k1 = std::min(b.end, k0 + kRunOfCases - 1);
    const float* s = v.data();
    double* at = logs + size_t(k0 - b.begin) * size_t(m);
    for (int32_t k = k0; k <= k1; ++k, at += m)
      for (int t = 0; t < m; ++t) at[t] = std::isfinite(s[k]) ? logDistance(A[size_t(t)], s[k]) : NAN;
    done[size_t(r)].store(true, std::memory_order_release);
    return true;
  };
  auto helperLoop = [&] {
    while (workOne()) {
    }
  };
  const rt::HelperThreads helpers(logThreads(len) - 1, helperLoop);
  for (int32_t r = 0; r < runs; ++r) {
    while (!done[size_t(r)].load(std::memory_order_acquire))
      if (!workOne()) std::this_thread::yield();
    sum(b.begin + r * kRunOfCases, std::min(b.end, b.begin + r * kRunOfCases + kRunOfCases - 1));
  }
}

// Up to three trials at once, so that the pass that sums around each trial's mean log goes over
// the block once for all of them. Each trial's sums take the cases one by one in case order,
// exactly as a trial made alone.
constexpr int kMostTrialsAtOnce = 3;

template <int m>
void trialsAt(std::span<const float> v, const TrialBlock& b, const double* A, AsymptoteTrial* out) {
  static_assert(m >= 1 && m <= kMostTrialsAtOnce);
  const size_t len = size_t(std::max(b.end - b.begin + 1, 0));
  // logs[case * m + trial], NaN at a gap. Kept from trial to trial and never filled beforehand:
  // every element read is written first.
  thread_local std::unique_ptr<double[]> logsHeld;
  thread_local size_t logsCapacity = 0;
  if (logsCapacity < len * size_t(m)) {
    logsHeld.reset();
    logsHeld.reset(new double[len * size_t(m)]);
    logsCapacity = len * size_t(m);
  }
  double* const logs = logsHeld.get();
  // Without a gap in the block, the passes that sum the logs need not look at the samples again.
  const bool gapFree = size_t(b.n) == len;
  // The sums take the logs in case order, whatever thread worked them out; named, so that they
  // stay in registers.
  double s0 = 0.0, s1 = 0.0, s2 = 0.0;
  auto add = [&](const double* at) {
    s0 += at[0];
    if constexpr (m > 1) s1 += at[1];
    if constexpr (m > 2) s2 += at[2];
  };
  if (logThreads(int32_t(len)) == 1) {
    // Alone, each log is summed as it is worked out.
    for (int32_t k = b.begin; k <= b.end; ++k) {
      const float s = v[size_t(k)];
      double* at = logs + size_t(k - b.begin) * size_t(m);
      if (!std::isfinite(s)) {
        for (int t = 0; t < m; ++t) at[t] = NAN;
        continue;
      }
      for (int t = 0; t < m; ++t) at[t] = logDistance(A[t], s);
      add(at);
    }
  } else {
    fillLogs<m>(v, b, A, logs, [&](int32_t k0, int32_t k1) {
      if (gapFree) {
        for (const double* at = logs + size_t(k0 - b.begin) * size_t(m); k0 <= k1; ++k0, at += m) add(at);
        return;
      }
      for (int32_t k = k0; k <= k1; ++k)
        if (std::isfinite(v[size_t(k)])) add(logs + size_t(k - b.begin) * size_t(m));
    });
  }
  const std::array<double, m> sums = [&] {
    std::array<double, m> r{};
    r[0] = s0;
    if constexpr (m > 1) r[1] = s1;
    if constexpr (m > 2) r[2] = s2;
    return r;
  }();
  std::array<double, kMostTrialsAtOnce> sy{};
  std::copy(sums.begin(), sums.end(), sy.begin());
  std::array<double, kMostTrialsAtOnce> my{}, Sxy{}, Syy{};
  bool any = false;
  for (int t = 0; t < m; ++t) {
    out[t] = AsymptoteTrial{};
    out[t].n = b.n;
    my[size_t(t)] = sy[size_t(t)] / b.n;
    any = any || (b.n >= 3 && std::isfinite(sy[size_t(t)]));
  }
  if (!any) return;
  auto spread = [&](auto checkGaps) {
    for (int32_t k = b.begin; k <= b.end; ++k) {
      if (checkGaps && !std::isfinite(v[size_t(k)])) continue;
      const double* at = logs + size_t(k - b.begin) * size_t(m);
      const double dx = double(k - b.begin) - b.mx;
      for (int t = 0; t < m; ++t) {
        const double dy = at[t] - my[size_t(t)];
        Sxy[size_t(t)] += dx * dy;
        Syy[size_t(t)] += dy * dy;
      }
    }
  };
  if (gapFree) spread(std::false_type{});
  else spread(std::true_type{});
  for (int t = 0; t < m; ++t) {
    AsymptoteTrial& r = out[t];
    if (r.n < 3 || !std::isfinite(sy[size_t(t)]) || !(b.Sxx > 0.0) || !(Syy[size_t(t)] > 0.0)) continue;
    r.r2 = Sxy[size_t(t)] * Sxy[size_t(t)] / b.Sxx / Syy[size_t(t)];
    r.b = Sxy[size_t(t)] / b.Sxx;
    r.a = my[size_t(t)] - r.b * (b.mx + double(b.begin));
  }
}

}  // namespace

AsymptoteTrial asymptoteTrial(std::span<const float> v, int32_t begin, int32_t end, double A) {
  AsymptoteTrial t;
  trialsAt<1>(v, trialBlock(v, begin, end), &A, &t);
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
  const TrialBlock block = trialBlock(v, begin, end);
  auto r2At = [&](double A) {
    AsymptoteTrial t;
    trialsAt<1>(v, block, &A, &t);
    ++f.trials;
    return t.r2;
  };
  // Points are kept as distances from the extreme, inner to outer.
  struct Point {
    double at, r2;
  };
  std::array<Point, 3> p{};
  p[0].at = 1e-4 * d;
  p[2].at = d;
  p[1].at = (p[0].at + p[2].at) / 2;
  {
    const double A[3] = {extreme + side * p[2].at, extreme + side * p[1].at, extreme + side * p[0].at};
    AsymptoteTrial t[3];
    trialsAt<3>(v, block, A, t);
    f.trials += 3;
    p[2].r2 = t[0].r2;
    p[1].r2 = t[1].r2;
    p[0].r2 = t[2].r2;
  }
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
    // The two midpoints do not depend on each other: one pass makes both trials.
    const double A[2] = {extreme + side * (p[0].at + p[1].at) / 2, extreme + side * (p[1].at + p[2].at) / 2};
    AsymptoteTrial t[2];
    trialsAt<2>(v, block, A, t);
    f.trials += 2;
    const Point m1{(p[0].at + p[1].at) / 2, t[0].r2};
    const Point m2{(p[1].at + p[2].at) / 2, t[1].r2};
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
  AsymptoteTrial t;
  trialsAt<1>(v, block, &f.A, &t);
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
        f.residuals[size_t(k - begin)] = float(logDistance(f.A, s) - (t.a + t.b * double(k)));
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
