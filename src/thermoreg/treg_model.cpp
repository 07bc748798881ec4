#include "thermoreg/treg_model.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "runtime/parallel_runs.h"

namespace qv {

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kStillAir = 0.01f;  // m/s: the convective term never sees calm air

float missingMarker(const TregSettings& s) { return s.zeroIsMissing ? 0.0f : -9999.0f; }

bool isMissing(float v, float marker) { return !std::isfinite(v) || v == marker; }

float at(std::span<const float> c, int32_t i) { return size_t(i) < c.size() ? c[size_t(i)] : kNaN; }

// The time of the previous case lay in the last sample interval before midnight, so a fall
// of the clock is the day turning over. Half an interval of slack takes the rounding of
// times summed in single precision.
bool beforeMidnight(float prevT, double interval) { return double(prevT) >= 24.0 - 1.5 * interval / 3600.0; }

}  // namespace

namespace {

// The cases a run of the preparation takes, and the cases from which it is shared between threads.
constexpr int32_t kPrepareRun = 1 << 16;
constexpr int32_t kPrepareThreadsFrom = 1 << 18;

// What one run of cases found. Each case's state depends on that case alone; only the check of
// the clock looks back, to the time of the last case before it that lay within 0..24 h, which for
// a run's first such case lies in an earlier run: that one check is left to the joining, in case
// order, and the run checks the rest.
struct PrepareRun {
  int32_t outOfRange = 0, rejected = 0, timingErrors = 0;
  std::array<int32_t, kTimingErrorsListed> errorCases;
  int32_t firstTimed = 0;  // the run's first case within 0..24 h; 0 for none
  float firstT = 0.0f, lastT = 0.0f;
  int lastKeptDay = -1;
};

struct PrepareInputs {
  const TregChannels& ch;
  const TregSettings& s;
  int32_t nCases;
  double interval;
  bool fromLocation, whole;
  uint8_t* state;
};

void prepareRun(const PrepareInputs& in, int32_t from, int32_t to, PrepareRun& run) {
  const TregChannels& ch = in.ch;
  const TregSettings& s = in.s;
  const bool whole = in.whole;
  const float m = missingMarker(s);
  float prevT = 0.0f;
  for (int32_t i = from; i <= to; ++i) {
    const size_t k = size_t(i);
    const float t = whole ? ch.time[k] : at(ch.time, i);
    int day = 0;
    bool inRange = t >= 0.0f && t <= 24.0f;  // false for a gap too
    if (inRange && in.fromLocation) {
      const float d = whole ? ch.day[k] : at(ch.day, i);
      inRange = d >= 1.0f && d < 367.0f;
      if (inRange) day = int(d);
    }
    if (!inRange) {
      ++run.outOfRange;
      in.state[k] = 0;
      continue;
    }
    if (run.firstTimed == 0) {
      run.firstTimed = i, run.firstT = t;
    } else if (t < prevT && !beforeMidnight(prevT, in.interval) && i < in.nCases - 1) {
      if (run.timingErrors < kTimingErrorsListed) run.errorCases[size_t(run.timingErrors)] = i;
      ++run.timingErrors;
    }
    prevT = t;
    const float shade = whole ? ch.shade[k] : at(ch.shade, i), sun = whole ? ch.sun[k] : at(ch.sun, i);
    const bool shadeMissing = isMissing(shade, m), sunMissing = isMissing(sun, m);
    uint8_t st = TregCases::kKept;
    if (shadeMissing) {
      if (!sunMissing && !s.rejectMissingShade) st |= TregCases::kShadeFromSun;
      else st = 0;
    }
    if (st && sunMissing) {
      if (!shadeMissing && !s.rejectMissingSun) st |= TregCases::kSunFromShade;
      else st = 0;
    }
    if (st && s.windUsed) {
      const float w = whole ? ch.wind[k] : at(ch.wind, i);
      if (isMissing(w, m)) {
        if (s.rejectMissingWind) st = 0;
        else st |= TregCases::kStillAir;
      } else if (!(w > 0.0f)) {
        st |= TregCases::kStillAir;
      }
    }
    in.state[k] = st;
    if (!st) {
      ++run.rejected;
      continue;
    }
    run.lastKeptDay = day;
  }
  run.lastT = prevT;
}

// The runs' findings in case order, each run's first timed case checked against the time before it.
void joinRuns(const std::vector<PrepareRun>& runs, int32_t nCases, double interval, TregCases& c) {
  float prevT = 0.0f;
  const auto listError = [&](int32_t i) {
    ++c.timingErrors;
    if (c.timingErrors <= kTimingErrorsListed) c.timingErrorCases.push_back(i);
  };
  for (const PrepareRun& run : runs) {
    c.outOfRange += run.outOfRange;
    c.rejected += run.rejected;
    if (run.firstTimed == 0) continue;
    const int32_t i = run.firstTimed;
    if (run.firstT < prevT && !beforeMidnight(prevT, interval) && i < nCases - 1) listError(i);
    const int32_t listed = std::min(run.timingErrors, kTimingErrorsListed);
    for (int32_t e = 0; e < listed; ++e) listError(run.errorCases[size_t(e)]);
    c.timingErrors += run.timingErrors - listed;
    prevT = run.lastT;
    if (run.lastKeptDay >= 0 && !c.days.empty())
      c.lastDawn = c.days[size_t(run.lastKeptDay)].sunrise, c.lastDusk = c.days[size_t(run.lastKeptDay)].sunset;
  }
}

}  // namespace

TregCases tregPrepare(const TregChannels& ch, int32_t nCases, double interval, const TregSettings& s,
                      std::span<const SunCycleDay> sunTable) {
  TregCases c;
  c.nCases = std::max<int32_t>(nCases, 0);
  c.interval = interval;
  c.ch = ch;
  const size_t n = size_t(c.nCases) + 1;
  // Every entry is written below: no need to clear the memory first.
  c.state.reset(new uint8_t[n]);
  c.state[0] = 0;
  const bool fromLocation = s.dawnDuskFromLocation && sunTable.size() >= 367;
  if (fromLocation) {
    c.days.assign(sunTable.begin(), sunTable.begin() + 367);
    if (c.days[366].sunrise == 0.0f && c.days[366].sunset == 0.0f) c.days[366] = c.days[365];
  }
  c.lastDawn = s.dawn, c.lastDusk = s.dusk;
  // A channel shorter than the file reads as missing past its end.
  const bool whole = ch.shade.size() >= n && ch.sun.size() >= n && ch.time.size() >= n &&
                     (!fromLocation || ch.day.size() >= n) && (!s.windUsed || ch.wind.size() >= n);
  const PrepareInputs in{ch, s, c.nCases, interval, fromLocation, whole, c.state.get()};
  const size_t runCount = size_t((c.nCases + kPrepareRun - 1) / kPrepareRun);
  std::vector<PrepareRun> runs(runCount);
  rt::forEachRunOfCases(1, c.nCases, kPrepareRun, kPrepareThreadsFrom, [&](int64_t from, int64_t to) {
    prepareRun(in, int32_t(from), int32_t(to), runs[size_t((from - 1) / kPrepareRun)]);
  });
  joinRuns(runs, c.nCases, interval, c);
  return c;
}

TregResult tregCompute(const TregCases& cs, const TregAnimal& a, const TregSettings& s, std::span<float> costs) {
  TregResult r;
  r.rejected = cs.rejected, r.outOfRange = cs.outOfRange, r.timingErrors = cs.timingErrors;
  r.timingErrorCases = cs.timingErrorCases;
  const float m = missingMarker(s);
  const bool noSun = !a.sunAccess || !s.sunAllowed;
  const bool torporOn = s.canUseTorpor && s.useTorpor;
  const float tb = a.tb == m && s.replacementTb ? s.defaultTb : a.tb;
  // The active phase: a warmer body (up to the highest Tb set), a higher conductance.
  float rise = s.variableTb ? s.tbChange : 0.0f;
  if (s.tbMax > 0.0f && tb + rise > s.tbMax) rise = std::max(s.tbMax - tb, 0.0f);
  const float activeBMR = float(double(a.bmr) * std::pow(double(s.torporQ10), double(rise) / 10.0));
  const float activeC = s.variableConductance ? a.c * s.conductanceFactor : a.c;
  const double massTerm = 0.0092 * std::pow(double(a.mass), 0.66);
  const double log2Q10 = std::log2(double(s.torporQ10)) / 10.0;
  const float e = s.torporEntry;
  const bool located = !cs.days.empty();
  const bool writeAll = costs.size() >= size_t(cs.nCases) + 1;
  const TregChannels& ch = cs.ch;
  for (int32_t i = 1; i <= cs.nCases; ++i) {
    const size_t k = size_t(i);
    const uint8_t st = cs.state[k];
    float f = 0.0f;
    if (!st) {
      if (writeAll || k < costs.size()) costs[k] = 0.0f;
      continue;
    }
    const float t = ch.time[k];
    // A stand-in is read in place of the missing value (which may lie past a short channel).
    const float shade = st & TregCases::kShadeFromSun ? ch.sun[k] : ch.shade[k];
    const float sun = st & TregCases::kSunFromShade ? shade : ch.sun[k];
    float dawn = s.dawn, dusk = s.dusk;
    if (located) {
      const SunCycleDay& d = cs.days[size_t(int(ch.day[k]))];
      dawn = d.sunrise, dusk = d.sunset;
    }
    bool active, torporWindow;
    if (s.dayActive) {
      active = dawn < t && t <= dusk;
      torporWindow = !active && (t > dusk + s.torporStartLag || t < dawn - s.torporEndLag);
    } else {
      active = (0.0f < t && t < dawn) || t >= dusk;
      torporWindow = !active && t > dawn + s.torporStartLag && t < dusk - s.torporEndLag;
    }
    const float cNow = active ? activeC : a.c;
    const float tbNow = active ? tb + rise : tb, lctNow = active ? a.lct + rise : a.lct;
    const float bmrNow = active ? activeBMR : a.bmr;
    const float ta = !s.dayActive || noSun ? shade : std::max(shade, sun);
    ++r.cases;
    float cost = (tbNow - ta) * cNow;
    if (s.windUsed) {
      const float w = (!active && s.shelteredWhenInactive) || (st & TregCases::kStillAir) ? kStillAir : ch.wind[k];
      cost += float(std::sqrt(double(w)) * massTerm * std::pow(std::fabs(double(lctNow - ta)), 0.32));
    }
    if (bmrNow >= cost) {
      ++r.atBMR;
      cost = bmrNow;
    } else {
      ++r.aboveBMR;
      r.sumAbove += cost;
    }
    if (torporOn && torporWindow) {
      const float ts = shade;
      if (ts >= lctNow) {
        cost = a.bmr;
      } else {
        const float range = tbNow - s.minTorporTb;
        float floor = s.minTorporTb;
        if (!s.dayActive) {
          if (dawn <= t && t <= dawn + e) floor = tbNow - ((t - dawn) / e) * range;
          if (dusk - e <= t && t <= dusk) floor = tbNow - ((dusk - t) / e) * range;
        } else {
          if (dawn - e <= t && t <= dawn) floor = tbNow - ((dawn - t) / e) * range;
          if (dusk <= t && t <= dusk + e) floor = tbNow - ((t - dusk) / e) * range;
        }
        if (ts > s.minTorporTb - 1.0f) {
          const float target = tbNow - range * (lctNow - ts) / (lctNow - s.minTorporTb + 1.0f);
          const float tbT = std::max(floor, target);
          cost = float(double(a.bmr) * std::exp2(log2Q10 * double(tbT - tbNow)));
        } else {
          cost = (floor - ts) * cNow;
        }
        ++r.torporCases;
        r.sumTorpor += cost;
      }
    }
    if (cNow > 0.0f && cost > 0.0f && std::isfinite(cost)) {
      f = cost > bmrNow * 1.0001f || (!active && torporOn) ? cost : bmrNow;
      r.highest = std::max(r.highest, f);
      r.sumAll += f;
    }
    if (writeAll || k < costs.size()) costs[k] = f > 0.0f ? f : 0.0f;
    if (active && s.activeTimeMean) {
      ++r.activeCases;
      r.sumActive += f;
    }
  }
  r.mean = r.cases > 0 ? float(r.sumAll / r.cases) : kNaN;
  tregRunningMeans(costs, cs.nCases, cs.interval, s.maxAverageDays, r);
  return r;
}

TregResult tregRun(const TregChannels& ch, int32_t nCases, double interval, const TregAnimal& a,
                   const TregSettings& s, std::span<float> costs, std::span<const SunCycleDay> sunTable) {
  return tregCompute(tregPrepare(ch, nCases, interval, s, sunTable), a, s, costs);
}

namespace {

// Costs are finite: a value counts when it is above 0.
bool good(float x) { return x > 0.0f; }

// Cases in the 6 h, 12 h and longest windows; 0 where the interval leaves no such window.
std::array<int32_t, 3> windowLengths(double interval, float maxAverageDays) {
  if (!(interval > 0)) return {0, 0, 0};
  const double perDay = 86400.0 / interval;
  const int32_t casesPerDay = perDay >= 2147483647.0 ? 0 : int32_t(perDay);
  const int32_t len6 = casesPerDay / 4;
  const float day = float(4 * len6) * maxAverageDays;
  const int32_t lenDay = std::isfinite(day) && day < 2147483647.0f ? int32_t(day) : 0;
  return {len6, 2 * len6, lenDay};
}

// The best mean of the values above 0 over every run of n cases that holds at least 70 % of
// such values: sliding sums and counts, O(nCases).
float bestWindowMean(std::span<const float> v, int32_t nCases, int32_t n) {
  if (n <= 0 || nCases - n + 1 < 1 || v.size() < size_t(nCases) + 1) return 0.0f;
  const int32_t need = std::max<int32_t>(int32_t(0.7 * n), 1);
  double sum = 0;
  int32_t count = 0;
  for (int32_t k = 1; k <= n; ++k)
    if (good(v[size_t(k)])) sum += v[size_t(k)], ++count;
  double best = -9e30;
  for (int32_t s = 1;; ++s) {
    if (count >= need) best = std::max(best, sum / count);
    if (s + n > nCases) break;
    const float out = v[size_t(s)], in = v[size_t(s + n)];
    if (good(out)) sum -= out, --count;
    if (good(in)) sum += in, ++count;
    if (count == 0) sum = 0;  // no drift carried across an empty stretch
  }
  return best > 0 ? float(best) : 0.0f;
}

using F4 = float __attribute__((vector_size(16)));
using I4 = int32_t __attribute__((vector_size(16)));
using D4 = double __attribute__((vector_size(32)));

// Whether every sum of up to n of the values above 0 in 1..nCases is exact in double: they are
// all whole multiples of the smallest one's unit in the last place, and n of the largest stay
// within 2^53 such units. Then any order of adds and subtracts gives the same sums.
bool windowSumsAreExact(const float* v, int32_t nCases, int32_t n) {
  // The bits of a positive float order as its value does. Read as integers, +inf and positive
  // NaNs count too and put the top at 255: not exact.
  constexpr int32_t kTop = std::numeric_limits<int32_t>::max();
  const auto select = [](I4 m, I4 x, I4 y) { return (x & m) | (y & ~m); };
  I4 lo4 = {kTop, kTop, kTop, kTop}, hi4 = {0, 0, 0, 0};
  int32_t k = 1;
  for (; k + 3 <= nCases; k += 4) {
    I4 u;
    std::memcpy(&u, v + k, sizeof u);
    lo4 = select((u > 0) & (u < lo4), u, lo4);
    hi4 = select(u > hi4, u, hi4);
  }
  int32_t lo = kTop, hi = 0;
  for (int l = 0; l < 4; ++l) lo = std::min(lo, lo4[l]), hi = std::max(hi, hi4[l]);
  for (; k <= nCases; ++k) {
    const int32_t u = std::bit_cast<int32_t>(v[k]);
    if (u > 0) lo = std::min(lo, u);
    hi = std::max(hi, u);
  }
  if (hi == 0) return true;  // nothing above 0: every sum is 0
  const int32_t hiExp = hi >> 23, loExp = std::max(lo >> 23, 1);
  if (hiExp >= 255) return false;
  const int bitsOfN = std::bit_width(uint32_t(n));
  return hiExp - loExp + 24 + bitsOfN <= 53;
}

// The windows of the exact path, one to a lane (the fourth idle, its length 0). Each lane's sum
// is always the exact sum of its window's values above 0, the value the one-by-one slide
// reaches, so the steps are formed off the chain. Full windows are compared by their sums and
// divided once at the end: rounding a quotient by the same n keeps the order.
struct Lanes {
  int32_t len[4], need[4];
  I4 n;
  D4 sum = {0, 0, 0, 0}, best = {-9e30, -9e30, -9e30, -9e30}, bestFull = {-1, -1, -1, -1};
  I4 count = {0, 0, 0, 0};

  Lanes(const float* v, const std::array<int32_t, 3>& lengths) {
    for (int l = 0; l < 4; ++l) {
      len[l] = l < 3 ? lengths[size_t(l)] : 0;
      need[l] = std::max<int32_t>(int32_t(0.7 * len[l]), 1);
      n[l] = len[l];
      for (int32_t k = 1; k <= len[l]; ++k)
        if (good(v[k])) sum[l] += v[k], ++count[l];
    }
    const I4 full = count == n;
    bestFull = scoreSome(full, sum, count, bestFull);
  }
  // Some lane not full: each on its own.
  [[gnu::noinline]] D4 scoreSome(I4 full, D4 s, I4 c, D4 bf) {
    for (int l = 0; l < 4; ++l) {
      if (full[l]) bf[l] = std::max(bf[l], s[l]);
      else if (c[l] >= need[l]) best[l] = std::max(best[l], s[l] / c[l]);
    }
    return bf;
  }
  // Slides every lane from the windows starting at `from` to those starting at `to`.
  void slide(const float* v, int32_t from, int32_t to) {
    const F4 zero = {0, 0, 0, 0};
    // Locals keep the chains in registers.
    D4 s = sum, bf = bestFull;
    I4 c = count;
    const I4 nn = n;
    for (int32_t t = from; t < to; ++t) {
      const F4 in = {v[t + len[0]], v[t + len[1]], v[t + len[2]], v[t + len[3]]};
      const float o = v[t];
      const F4 out = {o, o, o, o};
      const I4 inGood = in > zero, outGood = out > zero;
      s += __builtin_convertvector(F4(I4(in) & inGood), D4) - __builtin_convertvector(F4(I4(out) & outGood), D4);
      c += outGood - inGood;  // a true lane is -1
      const I4 full = c == nn;
      if (full[0] & full[1] & full[2] & full[3]) bf = bf > s ? bf : s;
      else bf = scoreSome(full, s, c, bf);
    }
    sum = s, bestFull = bf, count = c;
  }
  // The lane alone from here: the others idle at length 0.
  void keepOnly(int l) {
    for (int o = 0; o < 4; ++o)
      if (o != l) len[o] = 0, n[o] = 0, count[o] = 0;
  }
  float result(int l) const {
    const double b = bestFull[l] >= 0 ? std::max(best[l], bestFull[l] / len[l]) : best[l];
    return b > 0 ? float(b) : 0.0f;
  }
};

// The windows side by side in one pass while the longest has cases left to take in, then
// each shorter one alone to its end; a window that does not fit the cases gives 0.
void exactWindowMeans(const float* v, int32_t nCases, std::array<int32_t, 3> len, std::array<float, 3>& out) {
  int32_t longest = 0;
  for (int32_t& n : len) {
    if (n > nCases) n = 0;
    longest = std::max(longest, n);
  }
  Lanes lanes(v, len);
  const int32_t together = nCases - longest + 1;  // the start of the longest's last window
  lanes.slide(v, 1, together);
  for (int l = 0; l < 3; ++l) {
    const int32_t n = len[size_t(l)];
    out[size_t(l)] = 0.0f;
    if (n <= 0) continue;
    Lanes one = lanes;
    one.keepOnly(l);
    one.slide(v, together, nCases - n + 1);
    out[size_t(l)] = one.result(l);
  }
}

}  // namespace

void tregRunningMeansPlain(std::span<const float> costs, int32_t nCases, double interval, float maxAverageDays,
                           TregResult& r) {
  const std::array<int32_t, 3> len = windowLengths(interval, maxAverageDays);
  r.best6h = bestWindowMean(costs, nCases, len[0]);
  r.best12h = bestWindowMean(costs, nCases, len[1]);
  r.bestDay = bestWindowMean(costs, nCases, len[2]);
}

void tregRunningMeans(std::span<const float> costs, int32_t nCases, double interval, float maxAverageDays,
                      TregResult& r) {
  const std::array<int32_t, 3> len = windowLengths(interval, maxAverageDays);
  int32_t longest = 0;
  for (int32_t n : len)
    if (n <= nCases) longest = std::max(longest, n);
  if (nCases < 1 || costs.size() < size_t(nCases) + 1 || longest <= 0 ||
      !windowSumsAreExact(costs.data(), nCases, longest)) {
    tregRunningMeansPlain(costs, nCases, interval, maxAverageDays, r);
    return;
  }
  std::array<float, 3> best{};
  exactWindowMeans(costs.data(), nCases, len, best);
  r.best6h = best[0], r.best12h = best[1], r.bestDay = best[2];
}

}  // namespace qv
