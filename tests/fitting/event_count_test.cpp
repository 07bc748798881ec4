// Time within limits, the selective integral, the event count and the event details file,
// computed directly over small recordings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "fitting/event_count.h"
#include "fitting/event_details.h"
#include "runtime/numtext.h"

using namespace qv;

namespace {

// Case k of the result is values[k - 1]; element 0 is no case.
std::vector<float> cases(std::initializer_list<float> values) {
  std::vector<float> v{0.0f};
  v.insert(v.end(), values);
  return v;
}

const std::vector<float> kD = cases({0, 5, 5, 0, 0, 5, 5, 5, 0, 5});
const std::vector<float> kE = cases({1, 6, 7, 8, 0.5, 0, 2, 6, 6, 0, 0.5, 6});
const float kNaN = std::numeric_limits<float>::quiet_NaN();

std::vector<float> durations(const EventSide& s) {
  std::vector<float> d;
  for (const TimedEvent& e : s.timed) d.push_back(e.duration);
  return d;
}

std::vector<float> pattern(int32_t n) {
  const float p[] = {10, 0, 10, 10, 0, 0};
  std::vector<float> v(size_t(n) + 1, 0.0f);
  for (int32_t k = 1; k <= n; ++k) v[size_t(k)] = p[(k - 1) % 6];
  return v;
}

TEST(EventCount, RunsThatReachTheLastCaseAreCountedNotTimed) {
  const EventCount c = countEvents(kD, 1, 10, 4.0f, 1.0f, 1.0, 0.0);
  EXPECT_EQ(c.positive.all, 3);
  EXPECT_EQ(durations(c.positive), (std::vector<float>{2, 3}));
  EXPECT_DOUBLE_EQ(c.positive.mean, 2.5);
  EXPECT_DOUBLE_EQ(c.positive.sd, 0.5);
  // The run under way at the first case is left out of the negative all-count.
  EXPECT_EQ(c.negative.all, 2);
  EXPECT_EQ(durations(c.negative), (std::vector<float>{1, 2}));
  EXPECT_DOUBLE_EQ(c.negative.mean, 1.5);
  // The shortest duration lands in bin 1, the longest in bin 25.
  EXPECT_EQ(c.positive.bins[13], 1);
  EXPECT_EQ(c.positive.bins[25], 1);
  EXPECT_EQ(c.negative.bins[1], 1);
  EXPECT_EQ(c.negative.bins[13], 1);
  EXPECT_EQ(c.largestBin, 1);

  // A minimum duration of 1 s leaves the 1-second run out.
  const EventCount m = countEvents(kD, 1, 10, 4.0f, 1.0f, 1.0, 1.0001);
  EXPECT_EQ(m.positive.count(), 2);
  EXPECT_EQ(m.negative.count(), 1);
}

TEST(EventCount, ScansNeverReadPastTheRange) {
  // A run starting at the last case of a range inside the channel: the case after it is high
  // too, and must not be taken for part of the run.
  const std::vector<float> v = cases({0, 0, 9, 9, 9});
  const EventCount c = countEvents(v, 1, 3, 5.0f, -1.0f, 1.0, 0.0);
  EXPECT_EQ(c.positive.all, 1);
  EXPECT_EQ(c.positive.count(), 0);
  // At the channel's end as well (the sanitizer build sees any read past it).
  const EventCount end = countEvents(v, 1, 5, 5.0f, -1.0f, 1.0, 0.0);
  EXPECT_EQ(end.positive.all, 1);
  // A range outside the channel is kept inside it; a reversed one is empty.
  EXPECT_EQ(countEvents(v, -4, 99, 5.0f, -1.0f, 1.0, 0.0).positive.all, 1);
  EXPECT_EQ(countEvents(v, 4, 2, 5.0f, -1.0f, 1.0, 0.0).positive.all, 0);
}

TEST(EventCount, AGapEndsARunAndStartsNone) {
  const std::vector<float> v = cases({9, 9, kNaN, 9, 0, 0});
  const EventCount c = countEvents(v, 1, 6, 5.0f, 1.0f, 1.0, 0.0);
  EXPECT_EQ(c.positive.all, 2);
  EXPECT_EQ(durations(c.positive), (std::vector<float>{2, 1}));
  EXPECT_EQ(c.negative.all, 1);
}

TEST(EventCount, EqualDurationsAllFallInBinOne) {
  const std::vector<float> v = cases({9, 0, 9, 0, 9, 0, 0});
  const EventCount c = countEvents(v, 1, 7, 5.0f, -1.0f, 1.0, 0.0);
  EXPECT_EQ(c.positive.bins[1], 3);
  EXPECT_EQ(c.largestBin, 3);
}

TEST(EventCount, ManyEventsKeepTheirOwnCountsAndDurations) {
  const std::vector<float> v = pattern(1200000);
  const EventCount c = countEvents(v, 1, 1200000, 5.0f, 5.0f, 1.0, 0.0);
  EXPECT_EQ(c.positive.all, 400000);
  EXPECT_EQ(c.positive.count(), 400000);
  EXPECT_DOUBLE_EQ(c.positive.mean, 1.5);
  EXPECT_DOUBLE_EQ(c.positive.sd, 0.5);
  EXPECT_EQ(c.positive.bins[1], 200000);
  EXPECT_EQ(c.positive.bins[25], 200000);
  EXPECT_EQ(c.negative.all, 400000);
  EXPECT_EQ(c.negative.count(), 399999);
  EXPECT_EQ(c.negative.bins[1], 200000);
  EXPECT_EQ(c.negative.bins[25], 199999);
  const std::vector<TimedEvent> all = eventsInCaseOrder(c);
  ASSERT_EQ(all.size(), 799999u);
  for (size_t k = 1; k < all.size(); ++k) ASSERT_LT(all[k - 1].start, all[k].start) << k;
}

// A count writes into the list the count before it let go: a count still held keeps its own
// events while others are made, and a recount into a larger list left behind starts empty.
TEST(EventCount, ACountHeldKeepsItsEventsWhileOthersAreMade) {
  const std::vector<float> big = pattern(600000);
  std::vector<TimedEvent> bigEvents;
  {
    const EventCount first = countEvents(big, 1, 600000, 5.0f, 5.0f, 1.0, 0.0);
    bigEvents = eventsInCaseOrder(first);
  }
  const EventCount small = countEvents(kD, 1, 10, 4.0f, 1.0f, 1.0, 0.0);
  const std::vector<TimedEvent> smallEvents = eventsInCaseOrder(small);
  ASSERT_EQ(smallEvents.size(), 4u);
  const EventCount again = countEvents(big, 1, 600000, 5.0f, 5.0f, 1.0, 0.0);
  const EventCount halfway = countEvents(big, 1, 300000, 5.0f, 5.0f, 2.0, 0.0);
  const auto same = [](const std::vector<TimedEvent>& a, const std::vector<TimedEvent>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const TimedEvent& x, const TimedEvent& y) {
      return x.start == y.start && x.end == y.end && x.duration == y.duration && x.positive == y.positive;
    });
  };
  EXPECT_TRUE(same(eventsInCaseOrder(small), smallEvents));
  EXPECT_TRUE(same(eventsInCaseOrder(again), bigEvents));
  EXPECT_EQ(eventsInCaseOrder(halfway).size(), 199999u);
  EXPECT_EQ(eventsInCaseOrder(halfway).front().duration, 2.0f);
}

// Each side scanned on its own, as the count's rules read: the reference for the one-pass scan.
std::vector<TimedEvent> plainRuns(const std::vector<float>& v, int32_t last, float upper, float lower) {
  std::vector<TimedEvent> out;
  for (const bool positive : {true, false}) {
    auto in = [&](float x) { return positive ? x >= upper : x <= lower; };
    for (int32_t i = 1; i <= last; ++i) {
      if (!in(v[size_t(i)])) continue;
      int32_t j = i + 1;
      while (j < last && in(v[size_t(j)])) ++j;
      if (j < last) out.push_back({i, j, float(j - i), positive});
      i = j;
    }
  }
  std::stable_sort(out.begin(), out.end(), [](const TimedEvent& a, const TimedEvent& b) { return a.start < b.start; });
  return out;
}

TEST(EventCount, RunsOfBothSidesOverTheSameCasesStayInCaseOrder) {
  // Upper at or below lower: a value between them is in both sides' runs, which then overlap
  // and end out of their starting order; a gap ends both.
  const std::vector<float> v = cases({4, 4, 9, 4, 0, 4, 4, 4, 0, 9, kNaN, 4, 4, 0, 9, 4, 4});
  for (const float lower : {4.0f, 5.0f}) {
    const std::vector<TimedEvent> want = plainRuns(v, 17, 4.0f, lower);
    const EventCount c = countEvents(v, 1, 17, 4.0f, lower, 1.0, 0.0);
    const std::vector<TimedEvent>& got = eventsInCaseOrder(c);
    ASSERT_EQ(got.size(), want.size()) << lower;
    for (size_t k = 0; k < want.size(); ++k) {
      EXPECT_EQ(got[k].start, want[k].start) << lower << " " << k;
      EXPECT_EQ(got[k].end, want[k].end) << lower << " " << k;
      EXPECT_EQ(got[k].positive, want[k].positive) << lower << " " << k;
    }
  }
}

// One side of a count by its rules, run by run in case order: the reference for a long count,
// which threads share.
struct SideReference {
  int32_t all = 0;
  std::vector<TimedEvent> timed;
  double mean = 0.0, sd = 0.0;
};

SideReference sideByItsRules(const std::vector<float>& v, int32_t first, int32_t last, bool positive, float limit,
                             double interval, double m) {
  auto in = [&](int32_t k) { return positive ? v[size_t(k)] >= limit : v[size_t(k)] <= limit; };
  SideReference s;
  if (!positive && v[size_t(first)] < limit) s.all = -1;
  double sum = 0.0;
  for (int32_t i = first; i <= last; ++i) {
    if (!in(i) || (i > first && in(i - 1))) continue;
    ++s.all;
    int32_t j = i;
    while (j <= last && in(j)) ++j;
    const float d = float(double(j - i) * interval);
    if (j < last && d > m) {
      s.timed.push_back({i, j, d, positive});
      sum += d;
    }
  }
  if (s.timed.empty()) return s;
  s.mean = float(sum / double(s.timed.size()));
  double squares = 0.0;
  for (const TimedEvent& e : s.timed) squares += (e.duration - s.mean) * (e.duration - s.mean);
  s.sd = std::sqrt(squares / double(s.timed.size()));
  return s;
}

// Runs of every length from one case to longer than a thread's stretch, gaps among them.
std::vector<float> longMixedChannel(int32_t n) {
  std::vector<float> v(size_t(n) + 1, 0.0f);
  uint32_t seed = 12345;
  auto next = [&] { return seed = seed * 1664525u + 1013904223u; };
  for (int32_t k = 1; k <= n;) {
    const uint32_t r = next();
    const int32_t length = r % 97 == 0 ? int32_t(next() % 700000) + 1 : int32_t(next() % 9) + 1;
    const float level = r % 13 == 0 ? kNaN : float((r >> 8) % 10);
    for (int32_t j = 0; j < length && k <= n; ++j) v[size_t(k++)] = level;
  }
  return v;
}

TEST(EventCount, ALongCountSharedBetweenThreadsFindsWhatOneScanFinds) {
  const std::vector<float> v = longMixedChannel(2600000);
  struct Case {
    int32_t first, last;
    float upper, lower;
    double interval, m;
  };
  // Sides apart, touching at a level, and over the same cases (their runs then end out of order).
  for (const Case& t : {Case{1, 2600000, 6.0f, 3.0f, 1.0, 0.0}, Case{7, 2599990, 5.0f, 5.0f, 0.1, 0.25},
                        Case{300001, 1900000, 3.0f, 7.0f, 0.3, 0.0}, Case{1, 2600000, 9.0f, 0.0f, 2.0, 5.0}}) {
    SCOPED_TRACE(testing::Message() << t.first << ".." << t.last << " " << t.upper << "/" << t.lower);
    const EventCount c = countEvents(v, t.first, t.last, t.upper, t.lower, t.interval, t.m);
    const SideReference p = sideByItsRules(v, t.first, t.last, true, t.upper, t.interval, t.m);
    const SideReference n = sideByItsRules(v, t.first, t.last, false, t.lower, t.interval, t.m);
    std::vector<TimedEvent> want = p.timed;
    want.insert(want.end(), n.timed.begin(), n.timed.end());
    std::stable_sort(want.begin(), want.end(), [](const TimedEvent& a, const TimedEvent& b) {
      return a.start != b.start ? a.start < b.start : a.positive && !b.positive;
    });
    const std::vector<TimedEvent>& got = eventsInCaseOrder(c);
    ASSERT_EQ(got.size(), want.size());
    for (size_t k = 0; k < want.size(); ++k) {
      ASSERT_EQ(got[k].start, want[k].start) << k;
      ASSERT_EQ(got[k].end, want[k].end) << k;
      ASSERT_EQ(got[k].duration, want[k].duration) << k;
      ASSERT_EQ(got[k].positive, want[k].positive) << k;
    }
    for (auto [side, ref] : {std::pair{&c.positive, &p}, std::pair{&c.negative, &n}}) {
      EXPECT_EQ(side->all, ref->all);
      EXPECT_EQ(side->count(), int32_t(ref->timed.size()));
      EXPECT_EQ(side->mean, ref->mean);
      EXPECT_EQ(side->sd, ref->sd);
    }
  }
}

struct LevelCase {
  const char* name;
  int16_t mode;
  float lower, upper;
  int32_t first, last;
  int16_t unit;
  double value;
  double percent;  // NaN: none
};

TEST(TimeIntegration, TimeAndIntegralBetweenLimits) {
  std::vector<float> t(11);
  for (int k = 1; k <= 10; ++k) t[size_t(k)] = float(k);
  const double none = std::nan("");
  const LevelCase table[] = {
      {"minutes", 0, 3, 6, 1, 10, 66, 1.5, 100.0 / 3},
      {"seconds", 0, 3, 6, 1, 10, 65, 90, 100.0 / 3},
      {"hours", 0, 3, 6, 1, 10, 67, 0.025, 100.0 / 3},
      {"all inside", 0, 0, 20, 1, 10, 65, 270, 100},
      {"none inside", 0, 20, 30, 1, 10, 66, 0, 0},
      {"one case", 0, 0, 20, 4, 4, 66, 0, none},
      {"integral", 2, 3, 6, 1, 10, 66, 9, 100 * 9 / 27.5},
      {"integral seconds", 2, 3, 6, 1, 10, 65, 540, 100 * 540 / 1650.0},
      {"integral hours", 2, 3, 6, 1, 10, 67, 0.15, 100 * 0.15 / (1650.0 / 3600)},
      {"integral of all", 2, 0, 20, 1, 10, 66, 27.5, 100},
  };
  for (const LevelCase& c : table) {
    TimeIntArgs a;
    a.field101 = c.lower;
    a.field103 = c.upper;
    a.first = c.first;
    a.last = c.last;
    a.mode = c.mode;
    a.interval = 30.0;
    a.unit = c.unit;
    const TimeIntRecord r = DoTIMEINT(t, a);
    EXPECT_NEAR(r.value, c.value, 1e-6 * std::max(1.0, c.value)) << c.name;
    if (std::isnan(c.percent)) EXPECT_FALSE(r.percent) << c.name;
    else EXPECT_NEAR(r.percent.value_or(-1), c.percent, 1e-9) << c.name;
  }
}

TEST(TimeIntegration, ZeroTotalHasNoPercentAndLargeSumsStayExact) {
  TimeIntArgs a;
  a.mode = 2;
  a.field101 = -1;
  a.field103 = 1;
  a.first = 1;
  a.last = 3;
  a.unit = 65;
  EXPECT_FALSE(DoTIMEINT(cases({-1, 0, 1}), a).percent);

  std::vector<float> big(1000001, 20.95f);
  a.field101 = 20;
  a.field103 = 21;
  a.last = 1000000;
  EXPECT_NEAR(DoTIMEINT(big, a).value, 20950000.8, 0.5);
}

TEST(TimeIntegration, GapsAreNoCases) {
  TimeIntArgs a;
  a.mode = 0;
  a.field101 = 0;
  a.field103 = 10;
  a.first = 1;
  a.last = 4;
  a.unit = 65;
  const TimeIntRecord r = DoTIMEINT(cases({1, kNaN, 2, 3}), a);
  EXPECT_DOUBLE_EQ(r.value, 2.0);
  EXPECT_DOUBLE_EQ(r.percent.value_or(-1), 100.0);
  a.mode = 2;
  EXPECT_DOUBLE_EQ(DoTIMEINT(cases({1, kNaN, 2, 3}), a).value, 6.0);
}

std::vector<std::vector<std::string>> rows(const std::string& text) {
  std::vector<std::vector<std::string>> out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    std::vector<std::string> cells;
    std::istringstream l(line);
    std::string cell;
    while (std::getline(l, cell, ',')) cells.push_back(cell);
    out.push_back(cells);
  }
  return out;
}

TEST(EventDetails, OneLinePerTimedEventInCaseOrder) {
  EventFileFacts f;
  f.fileName = "E";
  f.nCases = 12;
  f.nChannels = 1;
  f.today = "12/11/26";
  f.interval = 2.0;
  f.channel = 1;
  f.label = "flow";
  f.first = 1;
  f.last = 12;
  f.upper = 5;
  f.lower = 1;
  f.startTime = "23:59:55";
  f.rateItem = 3;
  const EventCount c = countEvents(kE, 1, 12, 5.0f, 1.0f, 2.0, 0.0);
  const std::vector<TimedEvent> events = eventsInCaseOrder(c);
  const std::string text = eventDetailsText(kE, events, f);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  const auto r = rows(text);
  ASSERT_EQ(r.size(), 9u);
  EXPECT_EQ(r[0][0], "EVENT COUNTER OUTPUT");
  EXPECT_EQ(r[1][0], "Source file: 'E'      12 cases");
  EXPECT_EQ(r[2][0], "channel 1:  flow  includes cases 1 to 12");
  EXPECT_NE(text.find("\nupper event trigger: 5     lower event trigger: 1\n"), std::string::npos);
  EXPECT_EQ(r[4], (std::vector<std::string>{"direction", "duration (sec) ", "start CASE", "start time (h) ", "mean", "SD",
                                            "maximum", "minimum", "sum postive (/min) ", "sum negative (/min) "}));
  struct Line {
    const char* direction;
    double sec, start, hour, mean;
    const char* sd;
    double max, min, sumP, sumN;
  };
  const Line want[] = {
      {"negative", 2, 1, 23.999167, 1, " ", 1, 1, 0, 0.0333333},
      {"positive", 6, 2, 23.999722, 7, " 0.816497", 8, 6, 0.7, 0.0333333},
      {"negative", 4, 5, 0.001389, 0.25, " ", 0.5, 0, 0.7, 0.05},
      {"positive", 4, 8, 0.003056, 6, " ", 6, 6, 1.1, 0.05},
  };
  for (size_t k = 0; k < 4; ++k) {
    const auto& cells = r[5 + k];
    const Line& w = want[k];
    ASSERT_EQ(cells.size(), 10u) << k;
    EXPECT_EQ(cells[0], w.direction) << k;
    const double numbers[] = {w.sec, w.start, w.hour, w.mean};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(rt::PSval(cells[size_t(1 + i)]), numbers[i], 1e-5) << k << " " << i;
    if (w.sd[0] == ' ' && w.sd[1] == 0) EXPECT_EQ(cells[5], " ") << k;
    else EXPECT_NEAR(rt::PSval(cells[5]), 0.816497, 1e-5) << k;
    const double rest[] = {w.max, w.min, w.sumP, w.sumN};
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(rt::PSval(cells[size_t(6 + i)]), rest[i], 1e-6) << k << " " << i;
  }
}

TEST(EventDetails, RateItemsAndClockTexts) {
  EXPECT_STREQ(eventRateUnit(1).text, "");
  EXPECT_EQ(eventRateUnit(5).divisor, 86400.0);
  // An item the menu does not have sums per case, as item 1 does.
  EXPECT_STREQ(eventRateUnit(9).text, "");
  EXPECT_EQ(eventRateUnit(0).divisor, 1.0);
  EXPECT_NEAR(clockHours("23:59:55"), 23.998611, 1e-6);
  EXPECT_NEAR(clockHours("6:30"), 6.5, 1e-12);
  EXPECT_EQ(clockHours("noon"), 0.0);
}

TEST(EventDetails, NumbersCarryAtLeastFiveDigits) {
  EXPECT_EQ(rt::PSstr(23.9991667, 5), " 23.99917");
  EXPECT_EQ(rt::PSstr(23.9991667, 7), " 23.9991667");
  EXPECT_EQ(rt::PSstr(-1.5e-5, 5), "-1.5E-05");
  std::string s = "x";
  rt::appendPSstr(s, 0.0, 5);
  EXPECT_EQ(s, "x 0");
}

}  // namespace
