// Smoothing: the running mean with its ends, the sliding sums against the direct ones, and the
// window, replay and quiet form through scripted input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/edit_fixture.h"
#include "editing/commands.h"
#include "editing/smoothing.h"
#include "editing/smoothing_window.h"
#include "plot/plot_state.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

std::vector<float> smoothed(std::vector<float> x, CaseRange r, int w, int cycles) {
  smoothCycles(x, r, w, cycles);
  return x;
}

CaseRange whole(const std::vector<float>& x) { return {1, int32_t(x.size()) - 1}; }

}  // namespace

TEST(Smoothing, ASpikeSpreadsCycleByCycle) {
  std::vector<float> x(101, 0.0f);
  x[50] = 9;
  const auto once = smoothed(x, whole(x), 3, 1);
  EXPECT_EQ((std::vector<float>(once.begin() + 48, once.begin() + 53)), (std::vector<float>{0, 3, 3, 3, 0}));
  const auto twice = smoothed(x, whole(x), 3, 2);
  EXPECT_EQ((std::vector<float>(twice.begin() + 47, twice.begin() + 54)), (std::vector<float>{0, 1, 2, 3, 2, 1, 0}));
}

TEST(Smoothing, TheEndsTakeTheMeanOfTheCasesThatExist) {
  std::vector<float> x(11);
  for (int i = 0; i <= 10; ++i) x[size_t(i)] = float(i);
  x[0] = 777;  // entry 0 holds no sample: never read, never written
  const auto three = smoothed(x, whole(x), 3, 1);
  EXPECT_EQ(three[1], 1.5f);
  EXPECT_EQ(three[10], 9.5f);
  for (int i = 2; i <= 9; ++i) EXPECT_EQ(three[size_t(i)], float(i)) << i;
  const auto five = smoothed(x, whole(x), 5, 1);
  EXPECT_EQ(five[1], 1.5f);
  EXPECT_EQ(five[2], 2.5f);
  EXPECT_EQ(five[9], 8.5f);
  EXPECT_EQ(five[10], 9.5f);
  EXPECT_EQ(five[0], 777.0f);
  // Wider than the file: every case the mean of what there is near it.
  const auto wide = smoothed(x, whole(x), 51, 1);
  EXPECT_EQ(wide[0], 777.0f);
  EXPECT_EQ(wide[1], 1.5f);
  EXPECT_EQ(wide[6], 5.5f);
}

TEST(Smoothing, OnlyTheRangeIsWritten) {
  std::vector<float> x(5001);
  for (size_t i = 0; i < x.size(); ++i) x[i] = float((i * 7919) % 113);
  const auto s = smoothed(x, {1000, 2000}, 5, 3);
  for (int i = 0; i <= 5000; ++i) {
    if (i < 1000 || i > 2000) {
      ASSERT_EQ(s[size_t(i)], x[size_t(i)]) << i;
    }
  }
  EXPECT_NE(s[1000], x[1000]);
  EXPECT_NE(s[2000], x[2000]);

  const auto head = smoothed(x, {1, 10}, 51, 2);
  for (int i = 11; i <= 5000; ++i) ASSERT_EQ(head[size_t(i)], x[size_t(i)]) << i;
  EXPECT_EQ(head[0], x[0]);

  const std::vector<float> flat(300, 20.95f);
  EXPECT_EQ(smoothed(flat, {1, 299}, 51, 7), flat);
  EXPECT_EQ(smoothingRange(0, 300, 200).first, 1);
  EXPECT_EQ(smoothingRange(0, 300, 200).last, 200);
  EXPECT_EQ(smoothingWidth(6), 15);
  EXPECT_EQ(smoothingWidth(10), 51);
  EXPECT_EQ(smoothingWidth(11), 0);
}

TEST(Smoothing, ConditionalKeepsTheValuesOutsideTheLimits) {
  std::vector<float> x(101, 0.0f);
  x[50] = 12;
  const std::vector<float> before = x;
  auto s = smoothed(x, whole(x), 3, 1);
  keepOutsideLimits(before, s, whole(x), 10.0f, -9e30f);
  EXPECT_EQ(s[49], 4.0f);
  EXPECT_EQ(s[50], 12.0f);
  EXPECT_EQ(s[51], 4.0f);
}

TEST(Smoothing, SlidingSumsEqualTheDirectSumsBitForBit) {
  const auto check = [](const std::vector<float>& s, int w) {
    const int32_t k = w / 2, first = k + 1, last = int32_t(s.size()) - 1 - k;
    std::vector<double> sums(size_t(last - first + 1));
    slidingSums(s, first, last, w, sums);
    for (int32_t p = first; p <= last; ++p) {
      double direct = 0;
      for (int32_t j = p - k; j <= p + k; ++j) direct += s[size_t(j)];
      ASSERT_EQ(sums[size_t(p - first)], direct) << "centre " << p << ", " << w << " samples";
    }
  };
  std::vector<float> o2(20001);
  for (size_t i = 0; i < o2.size(); ++i) o2[i] = float(20.95 + 0.01 * std::sin(double(i) * 0.01) + 1e-4 * double(i % 7));
  check(o2, 51);
  check(o2, 3);

  // Stretches of 1,000 cases alternating 1e6 and 1e-6: a plain sliding sum drifts off.
  std::vector<float> mixed(12001);
  for (size_t i = 0; i < mixed.size(); ++i) mixed[i] = (i / 1000) % 2 ? 1e-6f * float(1 + i % 3) : 1e6f + float(i % 5);
  check(mixed, 51);
  double plain = 0, worst = 0;
  for (int32_t j = 1; j <= 51; ++j) plain += mixed[size_t(j)];
  for (int32_t p = 27; p <= 12000 - 25; ++p) {
    plain += mixed[size_t(p + 25)] - mixed[size_t(p - 26)];
    double direct = 0;
    for (int32_t j = p - 25; j <= p + 25; ++j) direct += mixed[size_t(j)];
    worst = std::max(worst, std::fabs(plain - direct) / std::fabs(direct));
  }
  EXPECT_GT(worst, 1e-3) << "the fixture must defeat a plain sliding sum";

  // Long enough to be shared between threads: every centre still gets its direct sum, across the
  // borders of the runs the threads take and a last run cut short.
  std::vector<float> longMixed(700001);
  for (size_t i = 0; i < longMixed.size(); ++i)
    longMixed[i] = (i / 50000) % 2 ? 1e-6f * float(1 + i % 3) : 1e6f + float(i % 5);
  check(longMixed, 51);
}

namespace {

class SmoothingWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    coretest::makeFile(0, 3, 5000);
    TheFileInUse = 0;
    ActiveChannel = 2;
    FileInfoFLOATS[0][1] = 0.5f;
    FileSHORTS[0][kBlockStateWord] = 0;
    for (int32_t i = 0; i <= 5000; ++i) PutDatum(0, 2, i, i == 50 ? 9.0f : 0.0f);
    prefsArray[3] = 0;
    edittest::startScript();
  }
  void TearDown() override {
    edittest::closeAll();
  }
};

}  // namespace

TEST_F(SmoothingWindow, SmoothAllRecordsItsWordsAndLogsTheCasesWritten) {
  prefsArray[69] = 1;  // cleared at entry
  qvtest::script({"type 101 2", "click 1"});
  SMOOTHING(0);
  EXPECT_EQ(GetDatum(0, 2, 48), 1.0f);
  EXPECT_EQ(GetDatum(0, 2, 50), 3.0f);
  EXPECT_EQ(GetDatum(0, 2, 0), 0.0f);
  EXPECT_EQ(prefsArray[69], 0);
  EXPECT_EQ(CommentContainer[0], "\r   \u2206  Channel 2, chan 2:  smoothed 3 points by 2 cycles, from 1 to 5000");
  ASSERT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 6.0f);
  EXPECT_EQ(ScriptSequenceArray[1][4], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][5], 2.0f);
  EXPECT_EQ(ScriptSequenceArray[1][8], 0.0f);
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(SmoothingWindow, BlockSizeConditionAndCancel) {
  FileSHORTS[0][kBlockStateWord] = 2;
  BeginBlock[0] = 40;
  EndBlock[0] = 50;
  PutDatum(0, 2, 50, 12.0f);
  // 5 samples (button 2 is control 12), "Data <" 10, on the block.
  qvtest::script({"click 12", "click 41", "type 104 10", "click 2"});
  SMOOTHING(0);
  EXPECT_EQ(GetDatum(0, 2, 50), 12.0f);
  EXPECT_FLOAT_EQ(GetDatum(0, 2, 49), 12.0f / 5);
  EXPECT_EQ(GetDatum(0, 2, 51), 0.0f) << "outside the block";
  EXPECT_EQ(ScriptSequenceArray[1][4], 2.0f);
  EXPECT_EQ(ScriptSequenceArray[1][6], 10.0f);
  EXPECT_EQ(ScriptSequenceArray[1][8], 1.0f);

  // The close box: nothing smoothed, the step withdrawn.
  qvtest::script({"dialog 4 4"});
  SMOOTHING(0);
  EXPECT_EQ(GetDatum(0, 2, 50), 12.0f);
  EXPECT_EQ(ScriptCOUNT, 1);

  // Letters for the cycles: a message, then a proper count.
  qvtest::script({"type 101 x", "click 1", "click 1", "type 101 1", "click 1"});
  SMOOTHING(0);
  EXPECT_EQ(ScriptCOUNT, 2);
}

TEST_F(SmoothingWindow, CancelLeavesTheMarkAndTheUndoOfTheEditBefore) {
  FileSHORTS[0][kChangeMarkWord] = 0;
  qvtest::script({"dialog 4 4"});
  SMOOTHING(0);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0) << "nothing was applied";

  ActiveChannel = 3;
  MAKEBACKUP(3);
  const float before = GetDatum(0, 3, 7);
  PutDatum(0, 3, 7, -1.0f);  // the edit the undo copy was taken for
  ActiveChannel = 2;
  qvtest::script({"dialog 4 4"});
  SMOOTHING(0);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(GetDatum(0, 3, 7), before);
}

// A "Smooth Block" step smooths the block in use on replay; a step recorded before the step
// kept that word (0 there) smooths the whole channel as it always did.
TEST_F(SmoothingWindow, ABlockStepReplaysOnTheBlock) {
  FileSHORTS[0][kBlockStateWord] = 2;
  BeginBlock[0] = 40;
  EndBlock[0] = 50;
  PutDatum(0, 2, 45, 30.0f);
  qvtest::script({"click 2"});
  SMOOTHING(0);
  ASSERT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][kSmoothBlockWord], 1.0f);

  RecordSCRIPT = 0;
  autoscript = 1;
  ScriptRunOnce = 100;
  for (int32_t k = 40; k <= 70; ++k) PutDatum(0, 2, k, k == 45 || k == 60 ? 30.0f : 0.0f);
  BeginBlock[0] = 55;
  EndBlock[0] = 65;
  SMOOTHING(1);
  EXPECT_EQ(GetDatum(0, 2, 45), 30.0f) << "outside the block in use";
  EXPECT_EQ(GetDatum(0, 2, 60), 10.0f);

  ScriptSequenceArray[1][kSmoothBlockWord] = 0;
  SMOOTHING(1);
  EXPECT_EQ(GetDatum(0, 2, 45), 10.0f) << "an older step smooths the whole channel";

  ScriptSequenceArray[1][kSmoothBlockWord] = 1;
  FileSHORTS[0][kBlockStateWord] = 0;
  qvtest::script({"click 1"});
  SMOOTHING(1);
  EXPECT_EQ(ScriptStepFailed, 1) << "no block to smooth";
}

// Only the ticked limit applies: the lower field still shows the channel's least value rounded
// to 7 digits ("20.94163"), above the sample 20.941628 itself, and is no limit while unticked.
TEST_F(SmoothingWindow, AnUntickedLimitIsNoLimit) {
  for (int32_t i = 0; i <= 5000; ++i) PutDatum(0, 2, i, i == 50 ? 20.941628f : 20.95f);
  qvtest::script({"click 41", "type 104 100", "click 1"});
  SMOOTHING(0);
  EXPECT_NEAR(GetDatum(0, 2, 50), (20.95 + 20.941628 + 20.95) / 3, 2e-6);
  EXPECT_EQ(ScriptSequenceArray[1][6], 100.0f);
  EXPECT_EQ(ScriptSequenceArray[1][8], 1.0f);

  // Ticked, the typed lower limit applies: 20.95 is above 20.9416, the sample below it stays.
  for (int32_t i = 0; i <= 5000; ++i) PutDatum(0, 2, i, i == 50 ? 20.941628f : 20.95f);
  qvtest::script({"click 42", "type 105 20.9417", "click 1"});
  SMOOTHING(0);
  EXPECT_EQ(GetDatum(0, 2, 50), 20.941628f);
  EXPECT_NEAR(GetDatum(0, 2, 49), (20.95 + 20.95 + 20.941628) / 3, 2e-6);
}

TEST_F(SmoothingWindow, ReplayWorksOnTheWholeChannelAndWritesItsWordsBack) {
  RecordSCRIPT = 0;
  autoscript = 1;
  ScriptRunOnce = 100;
  FileSHORTS[0][kBlockStateWord] = 2;
  BeginBlock[0] = 1000;
  EndBlock[0] = 1100;
  float* w = ScriptSequenceArray[40];
  w[1] = 6;
  w[4] = 1;
  w[5] = -3;  // counts as one cycle
  w[6] = 9e30f;
  w[7] = -9e30f;
  SMOOTHING(40);
  EXPECT_EQ(GetDatum(0, 2, 51), 3.0f);
  EXPECT_EQ(w[5], 1.0f);
  EXPECT_FALSE(rt::windowExists(4));

  w[4] = 12;
  qvtest::script({"click 1"});
  SMOOTHING(40);
  EXPECT_EQ(ScriptStepFailed, 40);
  EXPECT_EQ(GetDatum(0, 2, 51), 3.0f);
}

TEST_F(SmoothingWindow, QuietFormSmoothsTheBlockAndRecordsNothing) {
  FileSHORTS[0][kBlockStateWord] = 2;
  BeginBlock[0] = 45;
  EndBlock[0] = 50;
  SMOOTHING(kQuietSmoothing);
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_GT(GetDatum(0, 2, 47), 0.0f);
  EXPECT_EQ(GetDatum(0, 2, 44), 0.0f);
  EXPECT_EQ(GetDatum(0, 2, 51), 0.0f);
  EXPECT_FALSE(rt::windowExists(44));
}
