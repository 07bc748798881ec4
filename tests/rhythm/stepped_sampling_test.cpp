// Stepped sampling's layout, block table, grey line and export.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "rhythm/stepped_sampling.h"

namespace qv {
namespace {

std::vector<float> caseNumbers(int n) {
  std::vector<float> y(size_t(n) + 1);
  for (int i = 0; i <= n; ++i) y[size_t(i)] = float(i);
  return y;
}

TEST(SteppedSampling, LaysBlocksStepByStepAroundTheStartPoint) {
  const auto r = steppedLayout(60, 180, 1, 1, 1000, 2000, 2000, false);
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.layout.blockN, 61);
  EXPECT_EQ(r.layout.skipN, 181);
  EXPECT_EQ(r.layout.step, 242);
  EXPECT_EQ(r.layout.first, 32);
  EXPECT_EQ(r.layout.last, 1726);
  EXPECT_EQ(r.layout.count(), 8);
  const auto y = caseNumbers(2000);
  const auto t = steppedBlocks(y, r.layout, 1000, 1, {});
  ASSERT_EQ(t.size(), 8u);
  EXPECT_EQ(t.front().position, -968);
  EXPECT_EQ(t.back().position, 726);
  for (const auto& b : t) {
    EXPECT_FLOAT_EQ(b.mean, float(b.start) + 29.5f);
    EXPECT_FLOAT_EQ(b.minimum, float(b.start - 1));
    EXPECT_FLOAT_EQ(b.maximum, float(b.start + 60));
    EXPECT_NEAR(b.sd, 17.895530, 1e-5);
    EXPECT_EQ(b.end, b.start + 61);
  }
}

TEST(SteppedSampling, TheFirstBlockStartsAtCaseOneAndTheGreyLineHasBothSides) {
  const auto r = steppedLayout(60, 180, 1, 1, 485, 2000, 2000, false);
  ASSERT_EQ(r.error, "");
  const auto t = steppedBlocks(caseNumbers(2000), r.layout, 485, 1, {});
  ASSERT_EQ(t.size(), 8u);
  EXPECT_EQ(t[0].start, 1);
  EXPECT_FLOAT_EQ(t[0].mean, 31.0f);  // cases 1..61
  EXPECT_FLOAT_EQ(t[0].minimum, 1.0f);
  const auto line = steppedMeanLine(t);
  ASSERT_EQ(line.size(), 3u);  // the centre and lags 1, 2
  EXPECT_FLOAT_EQ(line[1], (t[1].mean + t[3].mean) * 0.5f);
}

TEST(SteppedSampling, RefusesLayoutsThatCannotBeComputed) {
  struct Case { float size, skip, dt; int64_t L, S, R; int32_t n; bool scatter; const char* says; };
  for (const Case c : {Case{60, 180, 1, 1, 3050000, 6100000, 6100000, false, "25206 blocks"},
                       Case{60, -62, 1, 1, 1000, 2000, 2000, false, "0 or more"},
                       Case{0.5f, 0.5f, 1, 1, 1000, 2000, 2000, true, "shorter than one sample"},
                       Case{60, 180, 1, 1, 1000, 2001, 2000, false, "between 1 and 2000"},
                       Case{60, 180, 1, 0, 1000, 2000, 2000, false, "between 1 and 2000"},
                       Case{60, 180, 1, 1, 1000, 900, 2000, false, "between 1 and 2000"},
                       Case{60, 180, 1, 1, 1900, 2000, 2000, false, "No block"},
                       Case{std::nanf(""), 180, 1, 1, 1000, 2000, 2000, false, "0 or more"}}) {
    const auto r = steppedLayout(c.size, c.skip, c.dt, c.L, c.S, c.R, c.n, c.scatter);
    EXPECT_NE(r.error.find(c.says), std::string::npos) << r.error;
  }
  EXPECT_EQ(steppedLayout(0.5f, 0.5f, 1, 1, 1000, 2000, 2000, false).layout.step, 2);
}

TEST(SteppedSampling, AMillisecondIntervalGivesLongStepsWithoutWrapping) {
  const auto r = steppedLayout(60, 180, 0.001f, 1, 3000000, 6100000, 6100000, false);
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.layout.step, 240002);
  EXPECT_EQ(r.layout.count(), 12 + 12);
}

TEST(SteppedSampling, InterpolatedAndGapSamples) {
  auto y = caseNumbers(2000);
  std::vector<float> flags(2001, 0.0f);
  flags[300] = 1.0f;
  y[40] = std::numeric_limits<float>::quiet_NaN();
  const auto r = steppedLayout(60, 180, 1, 1, 1000, 2000, 2000, false);
  const auto t = steppedBlocks(y, r.layout, 1000, 1, flags);
  EXPECT_TRUE(t[1].interpolated);  // 274: cases 273..334
  EXPECT_FALSE(t[0].interpolated);
  EXPECT_FLOAT_EQ(t[0].minimum, 31.0f);
  EXPECT_FLOAT_EQ(t[0].mean, float((31.0 + 92.0) * 62 / 2 - 40) / 61.0f);
}

TEST(SteppedSampling, ScatterMeansCoverTheBlockWithoutTheAddedSample) {
  const auto r = steppedLayout(60, 180, 1, 1, 1000, 2000, 2000, true);
  ASSERT_EQ(r.error, "");
  EXPECT_EQ(r.layout.step, 240);
  const auto m = steppedMeans(caseNumbers(2000), r.layout);
  ASSERT_EQ(m.size(), size_t(r.layout.count()));
  EXPECT_FLOAT_EQ(m[0], float(r.layout.first) + 30.0f);
}

TEST(SteppedSampling, ExportsUpToTenChannelsWithTheInterpolationColumn) {
  const auto r = steppedLayout(60, 180, 1, 1, 1000, 2000, 2000, false);
  auto y = caseNumbers(2000);
  std::vector<float> flags(2001, 0.0f);
  flags[35] = 1.0f;
  const auto t = steppedBlocks(y, r.layout, 1000, 1, flags);
  SteppedExport e;
  e.fileName = "run.KXdata", e.date = "12/11/26", e.nCases = 2000, e.nChannels = 12;
  e.size = 60, e.skip = 180, e.dt = 1, e.startPoint = 1000;
  std::vector<std::vector<SteppedBlock>> tables;
  for (int c = 1; c <= 12; ++c) e.channels.push_back(c), e.labels.push_back("c" + std::to_string(c)), tables.push_back(t);
  const std::string text = steppedExportText(e, tables);
  EXPECT_EQ(text.substr(0, text.find("channel 1:")),
            "Source file: 'run.KXdata'      2000 cases, 12 channels; 12/11/26\n"
            "     block duration: 60 sec   skip duration: 180 sec    sample interval 1 seconds\n"
            "     initial point =  1000; =  1000 seconds\n");
  EXPECT_NE(text.find("channel 10:  c10\n"), std::string::npos);
  EXPECT_EQ(text.find("channel 11:"), std::string::npos);
  EXPECT_NE(text.find("chan10 mean,min,max,SD,interpolate\n"), std::string::npos);
  EXPECT_NE(text.find("\n32,93,-968,-968,61.5,31,92,17.89553"), std::string::npos);
  EXPECT_NE(text.find(",9999\n274,"), std::string::npos);
}

}  // namespace
}  // namespace qv
