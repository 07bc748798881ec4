// Spike removal, trimming and absolute value: the pass and the sweep on small tables and
// against the plain pass loop, and the window, its undo copy and replay through scripted input.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <random>
#include <vector>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/prefs_file.h"
#include "core/script_state.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/edit_fixture.h"
#include "editing/commands.h"
#include "editing/spikes.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using namespace qv::spikes;

namespace {

using edittest::channel;

Range whole(const std::vector<float>& x) { return scanRange(1, int32_t(x.size()) - 1, int32_t(x.size()) - 1); }

// The plain loop: passes until one finds nothing.
int64_t passLoop(std::vector<float>& x, Range r, float thr, int dir) {
  int64_t total = 0;
  for (int64_t c; (c = spikePass(x, r, thr, dir)) > 0;) total += c;
  return total;
}

bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
  return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

}  // namespace

TEST(Spikes, PassAndSweepOnSmallTables) {
  struct Case {
    std::vector<float> in;
    int direction;
    bool sweep;
    std::vector<float> out;
    int64_t count;
  };
  const std::vector<Case> cases{
      {channel({0, 10, 0, 0}), kAllSpikes, false, channel({0, 0, 0, 0}), 1},
      {channel({0, 10, 9, 0}), kAllSpikes, true, channel({0, 10, 9, 0}), 0},
      {channel({5, 5, -10, 5, 5}), kUpOnly, true, channel({5, 5, -10, 5, 5}), 0},
      {channel({5, 5, -10, 5, 5}), kDownOnly, false, channel({5, 5, 5, 5, 5}), 1},
      {channel({10, 0, 0, 0}), kAllSpikes, true, channel({10, 0, 0, 0}), 0},  // case 1 has no left neighbour
      {channel({0, 0, 0, 10}), kAllSpikes, true, channel({0, 0, 0, 10}), 0},  // nor the last a right one
      {channel({0, 0, 10, 20, 0, 0}), kAllSpikes, false, channel({0, 0, 10, 5, 0, 0}), 1},
      {channel({0, 0, 10, 20, 0, 0}), kAllSpikes, true, channel({0, 0, 2.5f, 5, 0, 0}), 2},
      {channel({0, 10, NAN, 10, 0}), kAllSpikes, true, channel({0, 10, NAN, 10, 0}), 0},  // a gap stays a gap
  };
  for (size_t k = 0; k < cases.size(); ++k) {
    auto x = cases[k].in;
    const int64_t n = cases[k].sweep ? spikeSweep(x, whole(x), 5.0f, cases[k].direction)
                                     : spikePass(x, whole(x), 5.0f, cases[k].direction);
    EXPECT_EQ(n, cases[k].count) << "case " << k;
    EXPECT_TRUE(sameBits(x, cases[k].out)) << "case " << k;
  }
}

TEST(Spikes, SweepEqualsThePassLoopBitForBit) {
  std::mt19937 gen(17);
  std::normal_distribution<float> unit(0.0f, 1.0f), level(20.95f, 0.01f);
  std::vector<float> noise(100001), o2(100001);
  for (auto& v : noise) v = unit(gen);
  for (auto& v : o2) v = level(gen);
  struct Run {
    const std::vector<float>* data;
    float threshold;
    int direction;
  };
  for (const Run& run : {Run{&noise, 0.0f, kAllSpikes}, Run{&noise, 0.5f, kAllSpikes}, Run{&noise, 0.5f, kUpOnly},
                         Run{&o2, 0.005f, kAllSpikes}, Run{&o2, 0.0f, kDownOnly}}) {
    auto a = *run.data, b = *run.data;
    const Range r = whole(a);
    int64_t passes = 0;
    const int64_t fromSweep = spikeSweep(a, r, run.threshold, run.direction, [&](int64_t p, int64_t, size_t) {
      passes = p;
      return true;
    });
    const int64_t fromLoop = passLoop(b, r, run.threshold, run.direction);
    EXPECT_EQ(fromSweep, fromLoop) << run.threshold;
    EXPECT_TRUE(sameBits(a, b)) << run.threshold;
    EXPECT_GT(passes, 1);
  }
}

TEST(Spikes, AStoppedSweepKeepsThePassesDone) {
  std::vector<float> x = channel({0, 0, 10, 20, 0, 0});
  EXPECT_EQ(spikeSweep(x, whole(x), 5.0f, kAllSpikes, [](int64_t, int64_t, size_t) { return false; }), 1);
  EXPECT_EQ(x[4], 5.0f);
  EXPECT_EQ(x[3], 10.0f);
}

TEST(Spikes, TrimAndAbsoluteValue) {
  auto x = channel({50, 120, -3, NAN});
  EXPECT_EQ(trim(x, 1, 4, {100, 100, 0, 0}), 2);
  EXPECT_TRUE(sameBits(x, channel({50, 100, 0, NAN})));
  EXPECT_FALSE(trimWouldChange(x, 1, 4, {100, 100, 0, 0}));
  auto y = channel({15});
  EXPECT_EQ(trim(y, 1, 1, {10, 10, 20, 20}), 1);
  EXPECT_EQ(y[1], 20.0f) << "the lower rule wins where the limits overlap";
  auto z = channel({-0.0f, -2, 3});
  z[0] = -1.0f;
  EXPECT_TRUE(absoluteWouldChange(z, 1, 3));
  absoluteValue(z, 1, 3);
  EXPECT_EQ(std::bit_cast<uint32_t>(z[1]), 0u);
  EXPECT_EQ(z[2], 2.0f);
  EXPECT_EQ(z[0], -1.0f) << "entry 0 is no sample";
}

namespace {

class SpikeWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    const std::string dir = qvtest::tempDir("spike_window");
    setPreferencesPaths(dir + "/installed.QVpr", dir + "/user.QVpr");
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    coretest::makeFile(0, 3, 1000);
    TheFileInUse = 0;
    ActiveChannel = 1;
    FileSHORTS[0][kBlockStateWord] = 0;
    for (int c = 1; c <= 3; ++c)
      for (int32_t i = 0; i <= 1000; ++i) PutDatum(0, c, i, (i == 100 || i == 500 || i == 700) ? 50.0f : -1.0f);
    threshold = 5;
    UpTrimLimit = 1000;
    UpTrimValue = 1000;
    LowTrimLimit = -1000;
    LowTrimValue = 0;
    edittest::startScript();
  }
  void TearDown() override {
    edittest::closeAll();
    setPreferencesPaths("", "");
  }
};

}  // namespace

TEST_F(SpikeWindow, UndoFollowsTheLastChannelChanged) {
  // Sweep channel 1, pick channel 3, sweep it, Undo: channel 3 comes back, 1 keeps its sweep.
  qvtest::script({"click 41", "click 3", "click 41", "click 48", "click 47"});
  REMOVESPIKE(0);
  EXPECT_EQ(GetDatum(0, 1, 500), -1.0f);
  EXPECT_EQ(GetDatum(0, 3, 500), 50.0f);
  EXPECT_EQ(ActiveChannel, 3);
  EXPECT_NE(CommentContainer[0].find("Channel 1, chan 1:  Spike sweep, threshold 5, 3 removed"), std::string::npos);
  ASSERT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 7.0f);
  EXPECT_EQ(ScriptSequenceArray[1][4], 5.0f);
  EXPECT_EQ(ScriptSequenceArray[1][9], 1.0f);
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(SpikeWindow, NothingAppliedLeavesMarkUndoCopyAndScript) {
  MAKEBACKUP(2);
  LastChan = 2;
  FileSHORTS[0][kChangeMarkWord] = 0;
  PutDatum(0, 2, 3, 7.0f);
  // A close box; a threshold too high to find anything, then Done; letters for the threshold.
  for (auto lines : {std::initializer_list<const char*>{"dialog 4 4"},
                     std::initializer_list<const char*>{"type 105 1000", "click 41", "click 47"},
                     std::initializer_list<const char*>{"type 105 x", "click 41", "click 1", "click 47"}}) {
    qvtest::script(lines);
    REMOVESPIKE(0);
  }
  EXPECT_EQ(GetDatum(0, 1, 500), 50.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(CommentContainer[0], "");
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(GetDatum(0, 2, 3), -1.0f) << "the earlier undo copy stays";
}

TEST_F(SpikeWindow, TrimAndAbsoluteValueWithinTheBlock) {
  FileSHORTS[0][kBlockStateWord] = 2;
  BeginBlock[0] = 400;
  EndBlock[0] = 600;
  qvtest::script({"click 46", "type 101 10", "type 102 10", "type 103 -2", "type 104 -2", "click 44", "click 43",
                  "click 47"});
  REMOVESPIKE(0);
  EXPECT_EQ(GetDatum(0, 1, 500), 10.0f);
  EXPECT_EQ(GetDatum(0, 1, 450), 1.0f);
  EXPECT_EQ(GetDatum(0, 1, 100), 50.0f);
  EXPECT_EQ(GetDatum(0, 1, 300), -1.0f);
  EXPECT_EQ(UpTrimLimit, 10.0f);
  EXPECT_NE(CommentContainer[0].find("Trim, limits:  >  10 (replace with 10), <-2 (replace with-2)\r             Trim within block from 400 to 600"),
            std::string::npos)
      << CommentContainer[0];
  EXPECT_NE(CommentContainer[0].find("Absolute Value"), std::string::npos);
  EXPECT_EQ(ScriptSequenceArray[1][9], 4.0f);
}

TEST_F(SpikeWindow, ReplayRunsTheRecordedActionOnTheWholeChannel) {
  RecordSCRIPT = 0;
  autoscript = 1;
  ScriptRunOnce = 100;
  float* w = ScriptSequenceArray[40];
  // An up-only single scan (words 10, 11); trim words 0, 0 read as 1000, 1000.
  PutDatum(0, 1, 300, -50.0f);
  PutDatum(0, 1, 801, 10.0f);
  PutDatum(0, 1, 802, 20.0f);
  w[1] = 7;
  w[4] = 5;
  w[9] = 1;
  w[10] = 3;
  w[11] = 1;
  REMOVESPIKE(40);
  EXPECT_EQ(GetDatum(0, 1, 500), -1.0f);
  EXPECT_EQ(GetDatum(0, 1, 300), -50.0f) << "a dip is no up spike";
  EXPECT_EQ(GetDatum(0, 1, 802), 4.5f);
  EXPECT_EQ(GetDatum(0, 1, 801), 10.0f) << "one pass: 801 stands out only once 802 came down";
  EXPECT_EQ(w[5], 1000.0f);
  EXPECT_EQ(w[6], 1000.0f);
  EXPECT_FALSE(rt::windowExists(4));

  // Words 10 and 11 left at 0: a sweep of all spikes, as older scripts mean.
  w[10] = w[11] = 0;
  REMOVESPIKE(40);
  EXPECT_EQ(GetDatum(0, 1, 300), -1.0f);
  EXPECT_EQ(GetDatum(0, 1, 801), 1.75f);

  w[9] = 2;
  w[5] = 0.5f;
  w[6] = 0.25f;
  w[7] = -1000;  // the lower trim limit and value
  w[8] = 0;
  REMOVESPIKE(40);
  EXPECT_EQ(GetDatum(0, 1, 801), 0.25f);
  w[9] = 4;
  REMOVESPIKE(40);
  EXPECT_EQ(GetDatum(0, 1, 10), 1.0f);
}
