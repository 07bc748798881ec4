#include <gtest/gtest.h>

#include <vector>

#include "core/results_scaling.h"
#include "output/stats_text.h"

using namespace qv;

namespace {
struct ScalingTest : ::testing::Test {
  void SetUp() override {
    resetResultScaling();
    Rscale = 1;
  }
  void TearDown() override {
    resetResultScaling();
    Rscale = 0;
  }
  static void set(int ch, float op, float factor, float constant) {
    scalingFactorArray[ch][1] = op;
    scalingFactorArray[ch][2] = factor;
    scalingFactorArray[ch][3] = constant;
  }
};
}  // namespace

TEST_F(ScalingTest, LevelsTakeTheConstantSpreadsDoNot) {
  set(3, 1.0f, 2.0f, 1.0f);
  ResultScaling s = scalingFor(3);
  EXPECT_DOUBLE_EQ(s.level(10), 21);
  EXPECT_DOUBLE_EQ(s.spread(3), 6);

  set(40, 0.0f, 2.0f, 0.0f);  // divide, on the last channel
  EXPECT_DOUBLE_EQ(scalingFor(40).level(10), 5);

  // The start-up words, "Clear All" (divide by 1, add 0) and scaling off are all unscaled.
  for (int ch : {1, 20}) EXPECT_DOUBLE_EQ(scalingFor(ch).level(10), 10);
  set(5, 0.0f, 1.0f, 0.0f);
  EXPECT_DOUBLE_EQ(scalingFor(5).level(10), 10);
  Rscale = 0;
  EXPECT_DOUBLE_EQ(scalingFor(3).level(10), 10);
  EXPECT_DOUBLE_EQ(scalingFor(3).spread(3), 3);
  Rscale = 1;
  EXPECT_DOUBLE_EQ(scalingFor(0).level(10), 10);
  EXPECT_DOUBLE_EQ(scalingFor(41).level(10), 10);
}

TEST_F(ScalingTest, TheStatisticsTextShowsScaledResults) {
  set(2, 1.0f, 2.0f, 1.0f);
  StatsTextInput in;
  in.n = 5;
  in.mean = 10;
  in.sd = 3;
  in.min = 4;
  in.max = 16;
  in.scaling = scalingFor(2);
  StatsText t = composeStatsText(in);
  EXPECT_EQ(t.mean, " 21");
  EXPECT_EQ(t.sd, " 6");
  EXPECT_EQ(t.range, " 9  to  33");
}

TEST_F(ScalingTest, EntriesAreCheckedBeforeTheyAreKept) {
  struct Case {
    float op;
    const char* factor;
    const char* constant;
    bool accepted;
  } cases[] = {
      {1.0f, "2", "1", true},   {0.0f, "2", "0", true},      {0.0f, "0", "0", false},
      {0.0f, "abc", "0", false}, {1.0f, "abc", "0", false},  {1.0f, "0", "0", true},
      {1.0f, "", "0", false},   {1.0f, "2", "", true},       {1.0f, "2", "x", false},
      {0.0f, "1e39", "0", false}, {1.0f, " 2.5 ", " -3 ", true}, {0.0f, "0.0", "0", false},
  };
  for (const Case& c : cases) {
    ScalingCheck k = checkScalingEntry(7, {c.op, c.factor, c.constant});
    EXPECT_EQ(k.accepted, c.accepted) << c.factor << " / " << c.constant;
    EXPECT_EQ(k.message.empty(), c.accepted);
    if (!c.accepted) {
      EXPECT_NE(k.message.find("channel 7"), std::string::npos);
    }
  }
  ScalingCheck k = checkScalingEntry(1, {1.0f, " 2.5 ", " -3 "});
  EXPECT_EQ(k.words.factor, 2.5f);
  EXPECT_EQ(k.words.constant, -3.0f);
}

TEST_F(ScalingTest, ARefusedEntryKeepsTheOldWords) {
  set(1, 1.0f, 4.0f, 2.0f);
  ScalingWords before[kMaxChannels + 1];
  saveScalingWords(before);
  // In the window: channel 1's divide button, then its factor typed as 0; channel 2 fine.
  scalingFactorArray[1][1] = 0.0f;
  std::vector<ScalingEntry> entries{{0.0f, "0", "5"}, {1.0f, "3", "0"}};
  ScalingCommit c = commitScalingEntries(entries, before);
  EXPECT_FALSE(c.accepted);
  EXPECT_EQ(c.channel, 1);
  EXPECT_FALSE(c.message.empty());
  EXPECT_EQ(scalingFactorArray[1][1], 1.0f);
  EXPECT_EQ(scalingFactorArray[1][2], 4.0f);
  EXPECT_EQ(scalingFactorArray[1][3], 2.0f);
  EXPECT_EQ(scalingFactorArray[2][2], 1.0f);
  EXPECT_DOUBLE_EQ(scalingFor(1).level(10), 42);

  entries[0].factor = "2";
  c = commitScalingEntries(entries, before);
  EXPECT_TRUE(c.accepted);
  EXPECT_DOUBLE_EQ(scalingFor(1).level(10), 10.0 / 2 + 5);
  EXPECT_DOUBLE_EQ(scalingFor(2).level(10), 30);
}
