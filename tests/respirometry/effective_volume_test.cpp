// Effective volume: the pairs of a washout, and the tool's two windows.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/output_state.h"
#include "core/stats_state.h"
#include "core/view_state.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "respirometry/effective_volume.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "stats/stats_block.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

// 21 cases from 10 % falling by 0.9 a case (case 0 is not in the block).
std::vector<float> washout(int cases, double r) {
  std::vector<float> v(size_t(cases) + 1, 0.0f);
  for (int k = 1; k <= cases; ++k) v[size_t(k)] = float(10.0 * std::pow(r, k - 1));
  return v;
}

WashoutVolumes run(const std::vector<float>& s, float flow, std::vector<float>& volumes) {
  volumes.assign(s.size() - 2, 0.0f);
  return washoutVolumes(s, 1, int32_t(s.size()) - 1, flow, 1.0f, volumes);
}

TEST(EffectiveVolume, AConstantFallGivesOneVolume) {
  std::vector<float> volumes;
  const WashoutVolumes r = run(washout(21, 0.9), 600.0f, volumes);
  EXPECT_EQ(r.n, 20);
  EXPECT_EQ(r.unusable, 0);
  EXPECT_NEAR(r.mean, 94.9124, 2e-3);
  EXPECT_NEAR(r.mean, 10.0 / std::log(1.0 / 0.9), 1e-3) << "the washout law";
  EXPECT_LT(r.sd, 1e-4f);
  EXPECT_NEAR(r.min, r.mean, 1e-3);
  EXPECT_NEAR(r.max, r.mean, 1e-3);
  for (float v : volumes) EXPECT_NEAR(v, 94.9124f, 2e-3f);
}

TEST(EffectiveVolume, PairsThatGiveNoVolumeAreCountedAndLeftOut) {
  struct Case {
    const char* what;
    int kase;
    float value;
  };
  const Case cases[] = {{"a rise", 11, 0.0f},       {"a later 0", 11, 0.0f}, {"a later negative", 11, -0.5f},
                        {"a gap", 11, NAN},         {"an equal pair", 11, 0.0f}};
  for (const Case& c : cases) {
    std::vector<float> s = washout(21, 0.9);
    if (std::string(c.what) == "a rise") {
      for (int k = 11; k <= 21; ++k) s[size_t(k)] *= 1.2f;
    } else if (std::string(c.what) == "an equal pair") {
      s[11] = s[10];
      for (int k = 12; k <= 21; ++k) s[size_t(k)] = s[size_t(k) - 1] * 0.9f;
    } else {
      s[size_t(c.kase)] = c.value;
    }
    std::vector<float> volumes;
    const WashoutVolumes r = run(s, 600.0f, volumes);
    const int32_t bad = std::string(c.what) == "a rise" || std::string(c.what) == "an equal pair" ? 1 : 2;
    EXPECT_EQ(r.unusable, bad) << c.what;
    EXPECT_EQ(r.n, 20 - bad) << c.what;
    EXPECT_NEAR(r.mean, 94.9124, 2e-3) << c.what;
    EXPECT_EQ(volumes[9], kUnusableVolume) << c.what << ": the pair ending at case 11";
  }
}

TEST(EffectiveVolume, AFallToZeroOrBelowGivesNoPair) {
  std::vector<float> volumes;
  const WashoutVolumes r = run({0, 0.0f, -1.0f, -2.0f}, 600.0f, volumes);
  EXPECT_EQ(r.n, 0);
  EXPECT_EQ(r.unusable, 2);
}

class EffectiveVolumeWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    coretest::makeFile(0, 1, 700);
    gPointersToFileData[0][0] = allocateSamples(700);
    for (int32_t k = 0; k <= 700; ++k) PutDatum(0, 0, k, 5.0f);
    TheFileInUse = 0;
    ActiveChannel = 1;
    const std::vector<float> s = washout(700, 0.999);
    for (int32_t k = 0; k <= 700; ++k) PutDatum(0, 1, k, s[size_t(k)]);
    float info[] = {0, 1, 100, 25, 760, 500, 30};
    for (int w = 1; w <= 6; ++w) FileInfoFLOATS[0][w] = info[w];
    setBlock(1, 21);
  }
  void TearDown() override { FreeFileSlot(0); }
  static void setBlock(int32_t b, int32_t e) {
    BeginBlock[0] = b, EndBlock[0] = e;
    FileSHORTS[0][kBlockStateWord] = 2;
  }
  static void washoutOf(double r) {
    const std::vector<float> s = washout(700, r);
    for (int32_t k = 0; k <= 700; ++k) PutDatum(0, 1, k, s[size_t(k)]);
  }
};

TEST_F(EffectiveVolumeWindow, StoreSetsTheFilesVolumeAndItsMark) {
  washoutOf(0.9);
  qvtest::script({"type 101 600", "click 1", "click 1"});
  EFFECTIVEVOLUME();
  EXPECT_NEAR(FileInfoFLOATS[0][5], 94.9124f, 2e-3f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  EXPECT_EQ(nrPoints, 20);
  EXPECT_EQ(rt::editTextIn(4, kNField), "20");
  EXPECT_NEAR(GetDatum(0, 0, 2), 94.9124f, 2e-3f);
  EXPECT_EQ(GetDatum(0, 0, 0), 0.0f);
  EXPECT_EQ(GetDatum(0, 0, 1), 5.0f) << "only cases B + 1 to E hold volumes";
  EXPECT_TRUE(rt::windowExists(4)) << "the results stay on screen";
}

TEST_F(EffectiveVolumeWindow, DoneStoresNothingAndTheCloseBoxComputesNothing) {
  qvtest::script({"type 101 600", "click 1", "click 2"});
  EFFECTIVEVOLUME();
  EXPECT_EQ(FileInfoFLOATS[0][5], 500.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_FALSE(rt::windowExists(4));
  for (int32_t k = 0; k <= 700; ++k) PutDatum(0, 0, k, 5.0f);
  qvtest::script({"type 101 600", "dialog 4 44"});
  EFFECTIVEVOLUME();
  EXPECT_EQ(GetDatum(0, 0, 2), 5.0f);
  EXPECT_EQ(GetDatum(0, 0, 0), 5.0f);
}

TEST_F(EffectiveVolumeWindow, BadFlowsAndOneCaseBlocksAreRefused) {
  qvtest::script({"type 101 0", "click 1", "click 1", "type 101 abc", "click 1", "click 1", "dialog 4 44"});
  EFFECTIVEVOLUME();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(GetDatum(0, 0, 2), 5.0f);
  setBlock(5, 5);
  qvtest::script({"click 1"});
  EFFECTIVEVOLUME();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(44));
}

TEST(EffectiveVolume, DurationInSecondsUpToTenMinutes) {
  EXPECT_EQ(washoutDuration(600, 1.0f).text, " 600 sec");
  EXPECT_EQ(washoutDuration(601, 1.0f).text, " 10.02 min");
  EXPECT_TRUE(washoutDuration(601, 1.0f).inMinutes);
}

}  // namespace
