#include "thermoreg/treg_model.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "treg_fixture.h"

using namespace qv;
using qvtest::Climate;
using qvtest::hourlyClimate;

namespace {

TregAnimal animal() { return TregAnimal{28.0f, 0.015f, 0.5f * 0.335f, true, 39.0f, 15.5f}; }

TregChannels channels(const Climate& c) { return {c.shade, c.sun, c.time, c.day, c.wind}; }

TregResult run(const Climate& c, const TregSettings& s, std::vector<float>* costs = nullptr,
               TregAnimal a = animal(), std::span<const SunCycleDay> table = {}) {
  std::vector<float> local(size_t(c.n) + 1, -1.0f);
  std::vector<float>& out = costs ? *costs : local;
  out.assign(size_t(c.n) + 1, -1.0f);
  return tregRun(channels(c), c.n, c.interval, a, s, out, table);
}

// The plain definition of a best running mean: every window summed afresh.
float naiveBest(const std::vector<float>& v, int32_t n, int32_t len) {
  double best = -9e30;
  for (int32_t s = 1; s + len - 1 <= n; ++s) {
    double sum = 0;
    int32_t count = 0;
    for (int32_t k = s; k < s + len; ++k)
      if (v[size_t(k)] > 0) sum += v[size_t(k)], ++count;
    if (count > 0 && count >= int32_t(0.7 * len)) best = std::max(best, sum / count);
  }
  return best > 0 ? float(best) : 0.0f;
}

}  // namespace

TEST(TregModel, HourlyFixtureCostsAndSummary) {
  std::vector<float> costs;
  const TregResult r = run(hourlyClimate(), TregSettings{}, &costs);
  const std::array<double, 24> expected = {0.06,  0.045, 0.03,  0.015, 0.022590, 0.057780, 0.375, 0.462,
                                           0.441, 0.42,  0.399, 0.378, 0.357,    0.336,    0.315, 0.294,
                                           0.273, 0.252, 0.231, 0.147780, 0.1675, 0.1675, 0.1675, 0.1675};
  for (int k = 1; k <= 48; ++k) EXPECT_NEAR(costs[size_t(k)], expected[size_t((k - 1) % 24)], 1e-5) << "case " << k;
  EXPECT_NEAR(r.mean, 0.232548, 2e-6);
  EXPECT_NEAR(r.highest, 0.462, 1e-6);
  EXPECT_EQ(r.cases, 48);
  EXPECT_NEAR(100.0 * r.atBMR / r.cases, 16.667, 1e-3);
  EXPECT_NEAR(r.sumAbove / r.aboveBMR, 0.3639, 1e-6);
  EXPECT_NEAR(r.best6h, 0.4125, 1e-6);
  EXPECT_NEAR(r.best12h, 0.3585, 1e-6);
  // A file one day-window long still has its day mean.
  EXPECT_NEAR(r.bestDay, 0.232548, 2e-6);
  EXPECT_NEAR(r.sumTorpor / r.torporCases, 0.054021, 2e-6);
  EXPECT_NEAR(100.0 * r.torporCases / r.cases, 29.167, 1e-3);
  EXPECT_EQ(r.timingErrors, 0);
  Climate oneDay = hourlyClimate(1, 1);
  EXPECT_NEAR(run(oneDay, TregSettings{}).bestDay, 0.232548, 2e-6);
}

TEST(TregModel, SettingsChangeTheMean) {
  struct Case {
    const char* what;
    std::function<void(TregSettings&, Climate&)> set;
    double mean;
  };
  const Case cases[] = {
      {"nocturnal", [](TregSettings& s, Climate&) { s.dayActive = false; }, 0.263366},
      {"no torpor", [](TregSettings& s, Climate&) { s.useTorpor = false; }, 0.331167},
      {"no sun", [](TregSettings& s, Climate&) { s.sunAllowed = false; }, 0.274548},
      {"wind, sheltered at rest", [](TregSettings& s, Climate&) { s.windUsed = true; }, 0.295133},
      {"wind, not sheltered",
       [](TregSettings& s, Climate&) { s.windUsed = true, s.shelteredWhenInactive = false; }, 0.302288},
      {"calm wind kept",
       [](TregSettings& s, Climate& c) {
         s.windUsed = true, s.shelteredWhenInactive = false, s.rejectMissingWind = false;
         std::fill(c.wind.begin(), c.wind.end(), 0.0f);
       },
       0.237479},
      // Torpor stays shut through the whole active phase though no inactive case falls on dawn.
      {"dawn off the hour", [](TregSettings& s, Climate&) { s.dawn = 6.5f; }, 0.220028},
  };
  for (const Case& k : cases) {
    Climate c = hourlyClimate();
    TregSettings s;
    k.set(s, c);
    const TregResult r = run(c, s);
    EXPECT_NEAR(r.mean, k.mean, 2e-6) << k.what;
    if (std::string(k.what) == "nocturnal") {
      EXPECT_NEAR(r.sumTorpor / r.torporCases, 0.068708, 2e-6);
      EXPECT_NEAR(100.0 * r.torporCases / r.cases, 45.833, 1e-3);
    }
    if (std::string(k.what) == "dawn off the hour") {
      EXPECT_NEAR(100.0 * r.torporCases / r.cases, 33.333, 1e-3);
    }
  }
}

TEST(TregModel, HoursHeldAtShortIntervals) {
  // The time runs on within each hour while the climate holds.
  const Climate minute = hourlyClimate(60);
  std::vector<float> costs;
  const TregResult m = run(minute, TregSettings{}, &costs);
  EXPECT_NEAR(m.mean, 0.235397, 2e-6);
  EXPECT_EQ(m.timingErrors, 0);
  EXPECT_NEAR(m.best6h, naiveBest(costs, minute.n, 360), 1e-6);
  EXPECT_NEAR(m.best12h, naiveBest(costs, minute.n, 720), 1e-6);
  EXPECT_NEAR(m.bestDay, naiveBest(costs, minute.n, 1440), 1e-6);

  // At 1 s a day holds more cases than 16 bits count: the windows still span 6, 12 and 24 h.
  const Climate second = hourlyClimate(3600);
  const TregResult s = run(second, TregSettings{}, &costs);
  EXPECT_NEAR(s.mean, 0.235464, 2e-6);
  EXPECT_EQ(s.timingErrors, 0);
  EXPECT_NEAR(s.best6h, 0.430495, 2e-6);
  EXPECT_NEAR(s.best12h, 0.367498, 2e-6);
  EXPECT_NEAR(s.bestDay, 0.235464, 2e-6);
}

TEST(TregModel, TimingErrorsCountFallsButMidnight) {
  Climate c = hourlyClimate();
  c.time[14] = 11.0f;  // the clock put back an hour after noon
  TregResult r = run(c, TregSettings{});
  EXPECT_EQ(r.timingErrors, 1);
  ASSERT_EQ(r.timingErrorCases.size(), 1u);
  EXPECT_EQ(r.timingErrorCases[0], 14);

  // The last time before midnight a hair short of its place (times summed in single
  // precision): still midnight.
  Climate minute = hourlyClimate(60);
  minute.time[1440] = 23.983139f;
  EXPECT_EQ(run(minute, TregSettings{}).timingErrors, 0);
  Climate second = hourlyClimate(3600, 2);
  second.time[86400] = 23.9997215f;
  EXPECT_EQ(run(second, TregSettings{}).timingErrors, 0);

  // 150 falls: all counted, the first 100 listed.
  Climate falls = hourlyClimate(1, 13);
  for (int32_t k = 1; k <= falls.n; ++k) falls.time[size_t(k)] = k <= 301 ? ((k % 2) ? 12.0f : 10.0f) : 12.0f;
  r = run(falls, TregSettings{});
  EXPECT_EQ(r.timingErrors, 150);
  EXPECT_EQ(r.timingErrorCases.size(), 100u);
  EXPECT_EQ(r.timingErrorCases.back(), 200);
}

// A long climate is prepared in stretches, some on other threads: what each stretch finds is
// put together in case order. Falls of the clock sit on stretch borders (the first case of one,
// checked against the last time of the one before; the last case of one), a whole stretch has no
// time (the next one's first case is checked across it), and more falls than are listed.
TEST(TregModel, ALongClimateIsPreparedInCaseOrder) {
  Climate c = hourlyClimate(3600, 4);  // 345,600 cases of 1 s
  constexpr int32_t kStretch = 65536;
  const auto fall = [&](int32_t k) { c.time[size_t(k)] = c.time[size_t(k - 1)] - 1.0f; };
  fall(kStretch + 1);
  fall(2 * kStretch);
  for (int32_t j = 0; j < 150; ++j) fall(2 * kStretch + 128 + 100 * j);
  for (int32_t k = 3 * kStretch + 1; k <= 4 * kStretch; ++k) c.time[size_t(k)] = std::nanf("");
  for (int32_t k = 4 * kStretch + 1; k <= c.n; ++k) c.shade[size_t(k)] = c.sun[size_t(k)] = std::nanf("");
  std::vector<SunCycleDay> table(367);
  for (int d = 0; d < 367; ++d) table[size_t(d)] = SunCycleDay{12.0f, float(d) / 100.0f, 12.0f + float(d) / 100.0f};
  TregSettings located;
  located.dawnDuskFromLocation = true;
  const TregCases cases = tregPrepare(channels(c), c.n, c.interval, located, table);

  // The first case after the stretch without time falls back from 6.6 h to 0.8 h.
  EXPECT_EQ(cases.timingErrors, 1 + 1 + 150 + 1);
  std::vector<int32_t> listed = {kStretch + 1, 2 * kStretch};
  for (int32_t j = 0; j < 98; ++j) listed.push_back(2 * kStretch + 128 + 100 * j);
  EXPECT_EQ(cases.timingErrorCases, listed);
  EXPECT_EQ(cases.outOfRange, kStretch);
  EXPECT_EQ(cases.rejected, c.n - 4 * kStretch);
  // The last case kept ends the third stretch, on day 174.
  EXPECT_EQ(cases.lastDawn, 1.74f);
  EXPECT_EQ(cases.lastDusk, 13.74f);
  EXPECT_EQ(cases.state[size_t(3 * kStretch)], TregCases::kKept);
  EXPECT_EQ(cases.state[size_t(3 * kStretch + 1)], 0);
  EXPECT_EQ(cases.state[size_t(c.n)], 0);
}

TEST(TregModel, MissingValuesAndRejections) {
  Climate c = hourlyClimate();
  c.shade[2] = 0.0f;  // missing while zero marks missing; the sun reads 9 there
  TregSettings s;
  s.rejectMissingShade = false;
  TregResult r = run(c, s);
  EXPECT_EQ(r.cases, 48);
  EXPECT_NEAR(r.mean, 0.232548, 2e-6);
  s.rejectMissingShade = true;
  r = run(c, s);
  EXPECT_EQ(r.cases, 47);
  EXPECT_EQ(r.rejected, 1);
  EXPECT_NEAR(r.mean, 0.236538, 2e-6);
  // A sample that is no number is missing too, and -9999 marks missing when 0 does not.
  Climate gap = hourlyClimate();
  gap.shade[2] = NAN;
  EXPECT_NEAR(run(gap, s).mean, 0.236538, 2e-6);
  s.zeroIsMissing = false;
  gap.shade[2] = -9999.0f;
  EXPECT_NEAR(run(gap, s).mean, 0.236538, 2e-6);

  // A time outside 0..24 h or a day outside 1..366 rejects the case, counted apart.
  Climate odd = hourlyClimate();
  odd.time[5] = 25.0f;
  odd.time[6] = -1.0f;
  r = run(odd, TregSettings{});
  EXPECT_EQ(r.cases, 46);
  EXPECT_EQ(r.outOfRange, 2);
  std::vector<SunCycleDay> table(367, SunCycleDay{12.0f, 6.0f, 18.0f});
  TregSettings located;
  located.dawnDuskFromLocation = true;
  Climate days = hourlyClimate();
  days.day[3] = 0.0f;
  days.day[4] = 367.0f;
  r = run(days, located, nullptr, animal(), table);
  EXPECT_EQ(r.outOfRange, 2);
  EXPECT_EQ(r.cases, 46);

  // Nothing accepted: no mean.
  Climate none = hourlyClimate();
  std::fill(none.shade.begin(), none.shade.end(), 0.0f);
  r = run(none, TregSettings{});
  EXPECT_EQ(r.cases, 0);
  EXPECT_TRUE(std::isnan(r.mean));
  EXPECT_EQ(r.best6h, 0.0f);
}

TEST(TregModel, PhasesFromTheDayOfEachCase) {
  // Dawn and dusk per case: two days with different day lengths.
  std::vector<SunCycleDay> table(367, SunCycleDay{12.0f, 6.0f, 18.0f});
  table[173] = SunCycleDay{16.0f, 4.0f, 20.0f};
  TregSettings located;
  located.dawnDuskFromLocation = true;
  Climate c = hourlyClimate();
  std::vector<float> fixed, perDay;
  run(c, TregSettings{}, &fixed);
  const TregCases cases = tregPrepare({c.shade, c.sun, c.time, c.day, c.wind}, c.n, c.interval, located, table);
  EXPECT_EQ(cases.lastDawn, 4.0f);
  run(c, located, &perDay, animal(), table);
  for (int k = 1; k <= 24; ++k) EXPECT_EQ(perDay[size_t(k)], fixed[size_t(k)]) << k;
  EXPECT_NE(perDay[24 + 6], fixed[24 + 6]);  // 5 h on day 173 is daytime there

  // Dawn and dusk of 51.5 N, 0 on days 172 and 173.
  annualSunTable(51.5f, 0.0f);
  const TregResult london = run(c, located, nullptr, animal(), SunCycleArray);
  EXPECT_NEAR(london.mean, 0.310806, 1e-5);
  EXPECT_NEAR(100.0 * london.torporCases / london.cases, 16.667, 1e-3);

  // A rise of 0 still has phases (the torpor, the shelter, the active mean see them).
  TregSettings flat;
  flat.tbChange = 0;
  flat.activeTimeMean = true;
  const TregResult r = run(c, flat);
  EXPECT_EQ(r.activeCases, 24);
  EXPECT_GT(r.torporCases, 0);
  // The highest active Tb holds the rise back: 39 + 2 capped at 40.
  TregSettings capped;
  capped.tbMax = 40;
  std::vector<float> low;
  run(c, capped, &low);
  EXPECT_NEAR(low[8], (40 - 19) * 0.021, 1e-6);
}

// The running means side by side (sums exact in double) give the very bits of each window slid
// on its own, and data whose sums would round takes the one-by-one path.
TEST(TregModel, RunningMeansMatchTheOneByOneSlide) {
  uint32_t seed = 99;
  const auto uniform = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return float(seed >> 8) / 16777216.0f;
  };
  struct Data {
    const char* what;
    std::function<float(int32_t)> value;
  };
  const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
  const Data sets[] = {
      {"all above 0", [&](int32_t) { return 0.1f + uniform(); }},
      {"scattered zeros", [&](int32_t) { return uniform() < 0.2f ? 0.0f : 0.1f + uniform(); }},
      {"long empty stretches", [&](int32_t k) { return (k / 37) % 3 == 1 ? 0.0f : 0.3f + uniform(); }},
      {"negatives and gaps", [&](int32_t k) { return k % 11 == 0 ? nan : k % 7 == 0 ? -uniform() : uniform(); }},
      {"a thousandfold apart", [&](int32_t k) { return (k % 5 ? 1.0f : 1000.0f) * (1.0f + uniform()); }},
      {"past exact", [&](int32_t k) { return k % 5 ? 1e-20f * uniform() : 1e20f * uniform(); }},
      {"subnormal", [&](int32_t k) { return k % 3 ? 1e-40f * (1.0f + uniform()) : 0.0f; }},
      {"infinite", [&](int32_t k) { return k == 50 ? inf : uniform(); }},
      {"nothing above 0", [&](int32_t) { return 0.0f; }},
  };
  const double interval = 86400.0 / 16;  // 16 cases a day: windows of 4, 8 and 16 x days
  for (const Data& d : sets)
    for (const int32_t n : {1, 3, 10, 40, 300})
      for (const float days : {0.25f, 0.5f, 1.0f, 2.7f, 30.0f}) {
        std::vector<float> costs(size_t(n) + 1, 0.0f);
        for (int32_t k = 1; k <= n; ++k) costs[size_t(k)] = d.value(k);
        TregResult fast, plain;
        tregRunningMeans(costs, n, interval, days, fast);
        tregRunningMeansPlain(costs, n, interval, days, plain);
        const std::string at = std::string(d.what) + ", " + std::to_string(n) + " cases, " + std::to_string(days);
        EXPECT_EQ(std::bit_cast<uint32_t>(fast.best6h), std::bit_cast<uint32_t>(plain.best6h)) << at;
        EXPECT_EQ(std::bit_cast<uint32_t>(fast.best12h), std::bit_cast<uint32_t>(plain.best12h)) << at;
        EXPECT_EQ(std::bit_cast<uint32_t>(fast.bestDay), std::bit_cast<uint32_t>(plain.bestDay)) << at;
      }
  // A day at 1 s, some cases rejected: windows of 21,600 to 86,400 cases.
  const int32_t n = 200000;
  std::vector<float> costs(size_t(n) + 1, 0.0f);
  for (int32_t k = 1; k <= n; ++k) costs[size_t(k)] = (k / 5000) % 9 == 4 ? 0.0f : 0.15f + uniform();
  TregResult fast, plain;
  tregRunningMeans(costs, n, 1.0, 1.0f, fast);
  tregRunningMeansPlain(costs, n, 1.0, 1.0f, plain);
  EXPECT_EQ(std::bit_cast<uint32_t>(fast.best6h), std::bit_cast<uint32_t>(plain.best6h));
  EXPECT_EQ(std::bit_cast<uint32_t>(fast.best12h), std::bit_cast<uint32_t>(plain.best12h));
  EXPECT_EQ(std::bit_cast<uint32_t>(fast.bestDay), std::bit_cast<uint32_t>(plain.bestDay));
  EXPECT_GT(fast.bestDay, 0.0f);
}
