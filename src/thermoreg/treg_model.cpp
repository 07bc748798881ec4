#include "thermoreg/treg_model.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
  const float m = missingMarker(s);
  float prevT = 0.0f;
  for (int32_t i = 1; i <= c.nCases; ++i) {
    const size_t k = size_t(i);
    const float t = whole ? ch.time[k] : at(ch.time, i);
    int day = 0;
    bool inRange = t >= 0.0f && t <= 24.0f;  // false for a gap too
    if (inRange && fromLocation) {
      const float d = whole ? ch.day[k] : at(ch.day, i);
      inRange = d >= 1.0f && d < 367.0f;
      if (inRange) day = int(d);
    }
    if (!inRange) {
      ++c.outOfRange;
      c.state[k] = 0;
      continue;
    }
    if (t < prevT && !beforeMidnight(prevT, interval) && i < c.nCases - 1) {
      ++c.timingErrors;
      if (c.timingErrors <= kTimingErrorsListed) c.timingErrorCases.push_back(i);
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
    c.state[k] = st;
    if (!st) {
      ++c.rejected;
      continue;
    }
    if (fromLocation) c.lastDawn = c.days[size_t(day)].sunrise, c.lastDusk = c.days[size_t(day)].sunset;
  }
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

// The best mean of the values above 0 over every run of n cases that holds at least 70 % of
// such values: sliding sums and counts, O(nCases).
float bestWindowMean(std::span<const float> v, int32_t nCases, int32_t n) {
  if (n <= 0 || nCases - n + 1 < 1 || v.size() < size_t(nCases) + 1) return 0.0f;
  const int32_t need = std::max<int32_t>(int32_t(0.7 * n), 1);
  // Costs are finite: a value counts when it is above 0.
  auto good = [](float x) { return x > 0.0f; };
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

}  // namespace

void tregRunningMeans(std::span<const float> costs, int32_t nCases, double interval, float maxAverageDays,
                      TregResult& r) {
  r.best6h = r.best12h = r.bestDay = 0.0f;
  if (!(interval > 0)) return;
  const double perDay = 86400.0 / interval;
  const int32_t casesPerDay = perDay >= 2147483647.0 ? 0 : int32_t(perDay);
  const int32_t len6 = casesPerDay / 4;
  const float day = float(4 * len6) * maxAverageDays;
  const int32_t lenDay = std::isfinite(day) && day < 2147483647.0f ? int32_t(day) : 0;
  if (casesPerDay >= 4) {
    r.best6h = bestWindowMean(costs, nCases, len6);
    r.best12h = bestWindowMean(costs, nCases, 2 * len6);
  }
  r.bestDay = bestWindowMean(costs, nCases, lenDay);
}

}  // namespace qv
