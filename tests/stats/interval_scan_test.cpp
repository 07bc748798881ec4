#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "stats/interval_scan.h"

namespace qv {
namespace {

// Samples by case: entry 0 unused.
std::vector<float> cases(std::initializer_list<float> v) {
  std::vector<float> s{0.0f};
  s.insert(s.end(), v);
  return s;
}

ScanRequest request(const std::vector<float>& x, ScanKind kind, int32_t length) {
  ScanRequest r;
  r.samples = x;
  r.begin = 1;
  r.end = int32_t(x.size()) - 1;
  r.length = length;
  r.kind = kind;
  float lo = x[1], hi = x[1];
  for (size_t k = 1; k < x.size(); ++k) lo = std::min(lo, x[k]), hi = std::max(hi, x[k]);
  r.limits = {false, false, lo, hi};
  return r;
}

TEST(IntervalScan, EachQuestionFindsItsWindowWithTiesToTheEarliest) {
  const auto x = cases({5, 5, 5, 5, 5, 1, 1, 1, 5, 5, 9, 9, 9, 5, 5, 2, 8, 2, 8, 5});
  struct Row { ScanKind kind; int32_t first; double score; } rows[] = {
      {ScanKind::MeanMinimum, 6, 1.0},       {ScanKind::MeanMaximum, 11, 9.0},
      {ScanKind::MostLevel, 1, 0.0},         {ScanKind::MostVariableSlope, 16, 8.0},
      {ScanKind::MostVariablePoints, 16, 12.0}};
  for (const Row& row : rows) {
    for (auto scan : {scanIntervals, scanIntervalsNaive}) {
      auto w = scan(request(x, row.kind, 3));
      ASSERT_TRUE(w) << int(row.kind);
      EXPECT_EQ(w->first, row.first) << int(row.kind);
      EXPECT_DOUBLE_EQ(w->score, row.score) << int(row.kind);
    }
  }
}

TEST(IntervalScan, BlockLengthDecidesHowManyWindows) {
  const auto three = cases({4, 9, 2});
  auto w = scanIntervals(request(three, ScanKind::MeanMaximum, 3));
  ASSERT_TRUE(w);
  EXPECT_EQ(w->first, 1);
  EXPECT_FALSE(scanIntervals(request(three, ScanKind::MeanMaximum, 4)));
  const auto flat = cases({7, 7, 7, 7, 7});
  EXPECT_FALSE(scanIntervals(request(flat, ScanKind::MostVariableSlope, 3)));
  EXPECT_FALSE(scanIntervals(request(flat, ScanKind::MostVariablePoints, 3)));
  EXPECT_FALSE(scanIntervalsNaive(request(flat, ScanKind::MostVariableSlope, 3)));
}

// Excluded cases leave the mean: the window is judged by the mean of the values it keeps.
TEST(IntervalScan, ExclusionsCompareMeansOfTheIncludedValues) {
  const auto x = cases({10, 10, 10, 100, 100, 12, 10, 10});
  ScanRequest r = request(x, ScanKind::MeanMinimum, 3);
  r.limits.upperOn = true;
  r.limits.upper = 50;
  auto w = scanIntervals(r);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->first, 1);
  EXPECT_DOUBLE_EQ(w->score, 10.0);

  const auto y = cases({10, 10, 10, 20, 1, 1, 20, 20});
  const std::vector<float> flags{0, 0, 0, 0, 0, 1, 1, 0, 0};
  ScanRequest q = request(y, ScanKind::MeanMinimum, 3);
  q.avoidInterpolation = true;
  q.interpolated = flags;
  w = scanIntervals(q);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->first, 1);
  EXPECT_DOUBLE_EQ(w->score, 10.0);

  const auto z = cases({20, 20, 99, 20, 20, 21, 20, 21});
  ScanRequest level = request(z, ScanKind::MostLevel, 4);
  level.limits.upperOn = true;
  level.limits.upper = 50;
  w = scanIntervals(level);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->first, 1);
  EXPECT_DOUBLE_EQ(w->score, 0.0);
}

TEST(IntervalScan, InterpolatedCasesRuleOutWindows) {
  const auto x = cases({1, 1, 1, 5, 5, 5, 3, 9, 3});
  const std::vector<float> flags{0, 0, 0, 1, 0, 0, 0, 0, 0, 0};
  ScanRequest r = request(x, ScanKind::MostLevel, 3);
  r.avoidInterpolation = true;
  r.interpolated = flags;
  auto w = scanIntervals(r);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->first, 4);
  // A mean window whose last case is interpolated never takes part.
  r.kind = ScanKind::MeanMinimum;
  w = scanIntervals(r);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->first, 2);  // 1 and 5 kept: mean 3
  EXPECT_DOUBLE_EQ(w->score, 3.0);
}

// The fast scanners against the fresh sums over random blocks, every question, span, limit
// and window length.
TEST(IntervalScan, FastScannersPickTheFreshSumWindows) {
  std::mt19937 rng(7);
  const ScanKind kinds[] = {ScanKind::MeanMinimum, ScanKind::MeanMaximum, ScanKind::MostLevel,
                            ScanKind::MostVariableSlope, ScanKind::MostVariablePoints};
  for (bool whole : {true, false}) {
    for (int trial = 0; trial < 12; ++trial) {
      const int32_t n = 600;
      std::vector<float> x(n + 1), flags(n + 1, 0.0f);
      std::uniform_int_distribution<int> value(0, 9);
      std::uniform_real_distribution<float> real(-3.0f, 1000.0f);
      for (int32_t k = 1; k <= n; ++k) {
        x[size_t(k)] = whole ? float(value(rng)) : real(rng);
        flags[size_t(k)] = (k % 97) < 3 ? 1.0f : 0.0f;
      }
      for (ScanKind kind : kinds) {
        for (int32_t begin : {1, 37}) {
          const int32_t end = begin == 1 ? n : 580;
          for (int32_t length : {1, 2, 7, 500, end - begin + 1}) {
            ScanRequest r = request(x, kind, length);
            r.begin = begin;
            r.end = end;
            r.avoidInterpolation = trial % 2 == 1;
            r.interpolated = flags;
            if (trial % 3 == 1) r.limits.lowerOn = true, r.limits.lower = whole ? 2.0f : 100.0f;
            if (trial % 3 == 2) r.limits.upperOn = true, r.limits.upper = whole ? 7.0f : 800.0f;
            if (trial % 4 == 3) r.limits.lower = whole ? 1.0f : 50.0f;
            auto fast = scanIntervals(r), naive = scanIntervalsNaive(r);
            SCOPED_TRACE(testing::Message() << "kind " << int(kind) << " whole " << whole
                                            << " trial " << trial << " begin " << begin
                                            << " length " << length);
            ASSERT_EQ(bool(fast), bool(naive));
            if (!fast) continue;
            EXPECT_NEAR(fast->score, naive->score, 1e-9 * std::max(1.0, std::fabs(naive->score)));
            if (whole) {
              EXPECT_EQ(fast->first, naive->first);
            }
          }
        }
      }
    }
  }
}

TEST(ScanDuration, WindowLengthRefusalsAndAnnouncement) {
  struct Row { double seconds, interval; int32_t cases; } rows[] = {
      {10, 1, 11}, {10.5, 1, 11}, {0.5, 0.01, 51}, {2.5, 0.1, 26}, {0, 0.01, 1}};
  for (const Row& row : rows) {
    auto n = scanWindowCases(row.seconds, row.interval);
    ASSERT_TRUE(n);
    EXPECT_EQ(*n, row.cases) << row.seconds << " at " << row.interval;
  }
  for (const char* bad : {"-5", "nan", "abc", "1e12", "", "inf", "3x"})
    EXPECT_FALSE(parseScanSeconds(bad, 1.0)) << bad;
  EXPECT_EQ(parseScanSeconds("0.5", 0.01), 0.5f);
  EXPECT_EQ(scanDurationText(11, 1.0), "10 seconds");
  EXPECT_EQ(scanDurationText(601, 1.0), "10 minutes");
  EXPECT_EQ(scanDurationText(3601, 1.0), "60 minutes");
  EXPECT_EQ(scanDurationText(3602, 1.0), "1.0003 hours");
  EXPECT_EQ(scanDurationText(51, 0.01), "0.5 seconds");
}

}  // namespace
}  // namespace qv
