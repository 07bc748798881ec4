// The arithmetic of baseline correction: the regression over two ranges, the windows and
// lines of the automatic method, and the subtraction of one line or a chain of segments.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

#include "editing/baseline_math.h"
#include "editing/edit_fixture.h"

using namespace qv;
using edittest::channel;

namespace {

float drift(int32_t i) { return 5.0f + 0.01f * float(i); }

}  // namespace

TEST(BaselineRegression, SixMillionCasesGiveTheExactLineAndMean) {
  // 1000 + 0.5 i is exact in 32 bits up to here; single-precision sums would be off by 31.
  const auto y = channel(6100000, [](int32_t i) { return 1000.0f + 0.5f * float(i); });
  const auto fit = baselineRegression(y, 1, 6100000, 6100001, 6100000);
  ASSERT_TRUE(fit);
  EXPECT_EQ(fit->line.b, 0.5f);
  EXPECT_EQ(fit->line.a, 1000.0f);
  EXPECT_EQ(fit->count, 6100000);
  const auto mean = meanOfCases(y, 3050001, 6100000);
  ASSERT_TRUE(mean);
  EXPECT_EQ(*mean, 2288500.25);
}

TEST(BaselineRegression, OverlappingRangesCountEachCaseOnce) {
  const auto y = channel(40, [](int32_t i) { return float(std::sin(i) * 3 + 0.3 * i); });
  const auto overlapping = baselineRegression(y, 1, 10, 5, 20);
  const auto plain = baselineRegression(y, 1, 20, 21, 20);
  ASSERT_TRUE(overlapping && plain);
  EXPECT_EQ(overlapping->count, 20);
  EXPECT_EQ(overlapping->line.a, plain->line.a);
  EXPECT_EQ(overlapping->line.b, plain->line.b);
  EXPECT_EQ(overlapping->sumx2, plain->sumx2);
}

TEST(BaselineRegression, FewerThanTwoCasesHaveNoLine) {
  const auto y = channel(10, drift);
  EXPECT_FALSE(baselineRegression(y, 5, 5, 11, 5)) << "one case";
  EXPECT_FALSE(baselineRegression(y, 1, 0, 2, 2)) << "only case 2";
  EXPECT_FALSE(baselineRegression(y, 11, 20, 30, 40)) << "beyond the file";
  EXPECT_FALSE(baselineRegression(y, -5, 0, 0, 0)) << "before case 1";
  EXPECT_TRUE(baselineRegression(y, -5, 1, 10, 99)) << "clipped to cases 1 and 10";
  EXPECT_FALSE(meanOfCases(y, 1, 0));
  EXPECT_FALSE(meanOfCases(y, 11, 12));
}

TEST(BaselineRegression, GapsAreLeftOutOfTheLineAndTheMeans) {
  // A drifting channel with NaN gaps, an infinity and a NaN at both ends: the line and means
  // are those of the finite samples, so the correction leaves the channel flat, gaps kept.
  auto y = channel(1000, drift);
  for (int32_t i : {1, 40, 80, 520, 1000}) y[size_t(i)] = std::nanf("");
  y[450] = INFINITY;
  const auto fit = baselineRegression(y, 1, 1000, 1001, 1000);
  ASSERT_TRUE(fit);
  EXPECT_EQ(fit->count, 994);
  EXPECT_NEAR(fit->line.b, 0.01f, 1e-6);
  EXPECT_NEAR(fit->line.a, 5.0f, 1e-4);
  const auto mean = meanOfCases(y, 1, 3);
  ASSERT_TRUE(mean);
  EXPECT_NEAR(*mean, (drift(2) + drift(3)) / 2, 1e-6);
  const auto line = autoBaselineLine(y, clampAutoBlock(60, 1000), kStartAndEnd);
  ASSERT_TRUE(line);
  subtractLine(y, *line);
  for (int32_t i = 2; i < 1000; ++i)
    if (std::isfinite(y[size_t(i)])) {
      ASSERT_NEAR(y[size_t(i)], 0.0f, 1e-4) << "case " << i;
    }
  EXPECT_TRUE(std::isnan(y[40]));

  auto gaps = channel(10, drift);
  for (int32_t i = 1; i <= 9; ++i) gaps[size_t(i)] = std::nanf("");
  EXPECT_FALSE(baselineRegression(gaps, 1, 10, 11, 10)) << "one finite sample";
  EXPECT_FALSE(meanOfCases(gaps, 1, 9)) << "only gaps";
}

TEST(AutomaticBaseline, WindowsAndLinesOfTheMethod) {
  struct Case {
    int32_t nCases;
    float typed;
    float n;  // after the clamp
    int32_t startLast, endFirst;
  };
  for (const Case& c : {Case{1000, 2, 3, 3, 997}, Case{20, 15, 9, 9, 11}, Case{1000, 15, 15, 15, 985},
                        Case{3, 15, 0.5f, 0, 2}, Case{2, 15, 0, 0, 2}}) {
    SCOPED_TRACE(c.nCases);
    const float n = clampAutoBlock(c.typed, c.nCases);
    EXPECT_EQ(n, c.n);
    const AutoWindows w = autoBaselineWindows(n, c.nCases);
    EXPECT_EQ(w.startFirst, 1);
    EXPECT_EQ(w.startLast, c.startLast);
    EXPECT_EQ(w.endFirst, c.endFirst);
    EXPECT_EQ(w.endLast, c.nCases);
  }
  EXPECT_EQ(clampAutoBlock(NAN, 1000), 3.0f);
  EXPECT_EQ(autoBaselineWindows(3e9f, 100).endFirst, -1) << "kept inside the case numbers";

  const auto y = channel(1000, drift);
  const auto start = autoBaselineLine(y, 15, kStartOfFile);
  const auto end = autoBaselineLine(y, 15, kEndOfFile);
  const auto both = autoBaselineLine(y, 15, kStartAndEnd);
  ASSERT_TRUE(start && end && both);
  EXPECT_NEAR(start->a, 5.08, 1e-5);
  EXPECT_EQ(start->b, 0.0f);
  EXPECT_NEAR(end->a, 14.925, 1e-5);
  EXPECT_EQ(end->b, 0.0f);
  EXPECT_NEAR(both->a, 5.0, 1e-5);
  EXPECT_NEAR(both->b, 0.01, 1e-8);
  EXPECT_TRUE(autoBaselineLine(y, 15, 0)) << "any other choice is Start & End";

  auto corrected = y;
  corrected[0] = 7.0f;
  subtractLine(corrected, *both);
  for (int32_t i = 1; i <= 1000; ++i) ASSERT_NEAR(corrected[size_t(i)], 0.0, 1e-5) << i;
  EXPECT_NEAR(corrected[0], 7.0 - both->a, 1e-6) << "entry 0 loses a";
}

TEST(AutomaticBaseline, TooSmallFilesAreRefused) {
  const auto three = channel(3, drift);
  const float n3 = clampAutoBlock(15, 3);
  EXPECT_FALSE(autoBaselineLine(three, n3, kStartOfFile));
  const auto end = autoBaselineLine(three, n3, kEndOfFile);
  ASSERT_TRUE(end);
  EXPECT_NEAR(end->a, (drift(2) + drift(3)) / 2, 1e-6) << "cases 2..3";
  EXPECT_TRUE(autoBaselineLine(three, n3, kStartAndEnd));

  const auto two = channel(2, drift);
  EXPECT_FALSE(autoBaselineLine(two, clampAutoBlock(15, 2), kStartAndEnd));
  EXPECT_FALSE(autoBaselineLine(channel(0, drift), clampAutoBlock(15, 0), kEndOfFile));
}

TEST(PiecewiseBaseline, SegmentsMeetWithoutGapOrOverlap) {
  std::vector<BaselineRecord> table(4, BaselineRecord{});
  table[2][2] = 502;
  table[2][3] = 1;
  table[2][4] = 0.01f;
  table[3][3] = 5;
  table[3][4] = 0;
  const auto y = channel(1000, [](int32_t) { return 100.0f; });

  auto untouched = y;
  EXPECT_FALSE(subtractPiecewise(untouched, table, 1));
  EXPECT_EQ(untouched, y) << "n < 2 changes nothing";

  auto c = y;
  const auto last = subtractPiecewise(c, table, 3);
  ASSERT_TRUE(last);
  EXPECT_EQ(last->a, 5.0f);
  EXPECT_NEAR(c[1], 100 - 1.01, 1e-5);
  EXPECT_NEAR(c[501], 100 - 6.01, 1e-4);
  EXPECT_EQ(c[502], 95.0f);
  EXPECT_EQ(c[1000], 95.0f);
  EXPECT_EQ(c[0], 100.0f) << "the chain starts at case 1";

  // Records that point outside the file only clip their segments.
  table[2][2] = 5e9f;
  auto clipped = y;
  subtractPiecewise(clipped, table, 3);
  EXPECT_NEAR(clipped[1000], 100 - 11.0, 1e-4);
  table[2][2] = NAN;
  subtractPiecewise(clipped, table, 3);
}

// A long channel is shared between threads a run of entries at a time: every entry, the unused
// entry 0 among them, still gets its own difference, and a gap stays a gap.
TEST(SubtractLine, EveryEntryOfALongChannelGetsItsOwnDifference) {
  const int32_t n = 700001;
  auto y = channel(n, [](int32_t i) { return float(i % 977) * 0.37f - 11.0f; });
  for (int32_t i = 5; i <= n; i += 65536) y[size_t(i)] = std::nanf("");
  const std::vector<float> before = y;
  const BaselineLine line{3.25f, -1.7e-5f};
  subtractLine(y, line);
  for (int32_t i = 0; i <= n; ++i) {
    const float want = float(double(before[size_t(i)]) - (double(line.b) * double(i) + double(line.a)));
    if (std::isnan(want)) ASSERT_TRUE(std::isnan(y[size_t(i)])) << i;
    else ASSERT_EQ(y[size_t(i)], want) << i;
  }
}
