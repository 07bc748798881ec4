// A run around the engine: where its parameters come from, the work column, the new channel,
// the step words, refusals, and the finish of a replayed step; the breakpoint and polynomial
// windows.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "core/channel_roles.h"
#include "core/core_files.h"
#include "core/prefs.h"
#include "core/undo.h"
#include "core/filetable.h"
#include "core/script_state.h"
#include "core/view_state.h"
#include "editing/copy_channel.h"
#include "plot/plot_state.h"
#include "runtime/files.h"
#include "support/qvtest.h"
#include "transforms/commands.h"
#include "transforms/perform_transforms.h"
#include "transforms/transform_state.h"
#include "transforms/transform_windows.h"

using namespace qv;

namespace {

class Perform : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    coretest::makeFile(0, 3, 10);
    TheFileInUse = 0;
    ActiveChannel = MainDataChannel = 1;
    MakeNewChan = 0;
    autoscript = ScriptRunOnce = RecordSCRIPT = 0;
    ScriptStepFailed = 0;
    for (auto& row : ScriptSequenceArray)
      for (float& w : row) w = 0;
  }
  void TearDown() override {
    autoscript = ScriptRunOnce = 0;
    FreeFileSlot(0);
    TheFileInUse = -1;
  }
  static float work(int32_t k) { return GetDatum(0, 0, k); }
  static void armReplay(int16_t step, int16_t code, int16_t x, float a, float b) {
    autoscript = ScriptRunOnce = 1;
    float* w = ScriptSequenceArray[step];
    w[1] = 11, w[4] = code, w[8] = a, w[9] = b, w[11] = x;
  }
};

}  // namespace

TEST_F(Perform, FixedQ10FromWindowStepAndCustomRecord) {
  TransformRequest window;
  window.code = 18;
  window.field201 = "10";
  window.field202 = "2.4";
  window.wordsStep = 5;
  EXPECT_EQ(PerformTransforms(window), 1);
  EXPECT_FLOAT_EQ(work(3), 1003 * 2.4f);
  EXPECT_EQ(ScriptSequenceArray[5][8], 10.0f);  // dT and Q10 kept in a and b
  EXPECT_EQ(ScriptSequenceArray[5][9], 2.4f);

  NumberOfCustomTransforms = 1;
  CustomTransformsArray[1] = {0, 1, 0, 18, 0, 10, 2.4f};
  TransformRequest custom;
  custom.customNumber = 1;
  EXPECT_EQ(PerformTransforms(custom), 1);
  EXPECT_FLOAT_EQ(work(3), 1003 * 2.4f);

  armReplay(2, 18, 2, 10, 2.4f);
  TransformRequest replay;
  replay.step = 2;
  EXPECT_EQ(PerformTransforms(replay), 1);
  EXPECT_FLOAT_EQ(GetDatum(0, 2, 3), 2003 * 2.4f);
}

TEST_F(Perform, ReplayWritesIntoXWhenTheFileIsFull) {
  coretest::makeFile(0, 40, 10);
  armReplay(3, 7, 2, 1, 0);
  ScriptSequenceArray[3][7] = 1;  // asks for a new channel
  SetChannelLabel(0, 2, "flow ml/min");
  TransformRequest r;
  r.step = 3;
  EXPECT_EQ(PerformTransforms(r), 1);
  EXPECT_EQ(nChannels[0], 40);
  EXPECT_EQ(GetDatum(0, 2, 4), 2003.0f);
  EXPECT_EQ(ActiveChannel, 2);
  EXPECT_EQ(RetrieveLabelOf(0, 2), "flow ml/min" + std::string(19, ' '));

  coretest::makeFile(0, 3, 10);
  EXPECT_EQ(PerformTransforms(r), 1);  // a new channel 4, labelled as channel 2
  EXPECT_EQ(nChannels[0], 4);
  EXPECT_EQ(GetDatum(0, 4, 4), 2003.0f);
  EXPECT_EQ(GetDatum(0, 2, 4), 2004.0f);
  EXPECT_EQ(RetrieveLabelOf(0, 4).substr(0, 6), "chan 2");
  EXPECT_EQ(ActiveChannel, 4);
}

TEST_F(Perform, RefusalsLeaveTheCopyAndSayWhy) {
  struct Case {
    int16_t code;
    const char* field201;
    int16_t channelY;
  };
  const Case cases[] = {{8, "0", 0}, {1, "0", 0}, {9, "0", 0}, {67, "0", 0}, {68, "0", 0}, {7, "abc", 0}, {22, "1", 9}};
  for (const Case& c : cases) {
    TransformRequest r;
    r.code = c.code;
    r.field201 = c.field201;
    r.channelY = c.channelY;
    qvtest::script({"click 1"});
    EXPECT_EQ(PerformTransforms(r), 0) << c.code;
    EXPECT_EQ(work(5), 1005.0f) << c.code;
    EXPECT_EQ(GetDatum(0, 1, 5), 1005.0f) << c.code;
  }
  armReplay(1, 20, 1, 0, 0);  // a breakpoint step has no equations
  TransformRequest r;
  r.step = 1;
  qvtest::script({"click 1"});
  EXPECT_EQ(PerformTransforms(r), 0);
  EXPECT_EQ(ScriptStepFailed, 1);
  EXPECT_EQ(GetDatum(0, 1, 5), 1005.0f);
}

// A replayed step with an unknown code or a constant that is no number stops the run: no
// sample, change mark, undo copy or log line changes.
TEST_F(Perform, ABadReplayedStepChangesNothing) {
  FileSHORTS[0][kChangeMarkWord] = 0;
  prefsArray[44] = 1;
  CommentContainer[0].clear();
  InvalidateUndo(UndoLoss::NothingSaved);
  for (auto [c, a] : {std::pair<int16_t, float>{7, std::nanf("")}, {999, 1.0f}}) {
    armReplay(1, c, 1, a, 0);
    ScriptStepFailed = 0;
    qvtest::script({"click 1"});
    TRANSFORMATIONS(1);
    EXPECT_EQ(ScriptStepFailed, 1) << c;
    for (int32_t k = 1; k <= 10; ++k) ASSERT_EQ(GetDatum(0, 1, k), float(1000 + k)) << c;
    EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0) << c;
    EXPECT_EQ(CommentContainer[0], "") << c;
    EXPECT_FALSE(UndoAvailable()) << c;
  }
}

TEST_F(Perform, BlockRangeMassAndBoundedDegree) {
  BeginBlock[0] = 3;
  EndBlock[0] = 4;
  TransformRequest block;
  block.code = 7;
  block.field201 = "1000";
  block.block = true;
  EXPECT_EQ(PerformTransforms(block), 1);
  EXPECT_EQ(work(2), 1002.0f);
  EXPECT_EQ(work(3), 3.0f);
  EXPECT_EQ(work(4), 4.0f);
  EXPECT_EQ(work(5), 1005.0f);

  TransformRequest mass;
  mass.code = 69;
  mass.field201 = "20";
  EXPECT_EQ(PerformTransforms(mass), 1);
  EXPECT_EQ(FileInfoFLOATS[0][6], 0.0f);  // the window stores it with a kept result
  EXPECT_EQ(work(1), 1001.0f * 1000.0f / 20.0f);

  armReplay(4, 2, 1, 0, 0);
  float* w = ScriptSequenceArray[4];
  w[16] = 50;  // acts as 9
  for (int i = 17; i <= 28; ++i) w[i] = 1;
  TransformRequest r;
  r.step = 4;
  EXPECT_EQ(PerformTransforms(r), 1);
  EXPECT_EQ(PolyDegree, 9);
  EXPECT_FLOAT_EQ(GetDatum(0, 1, 0), 1 + 1000 + 1e6 + 1e9 + 1e12 + 1e15 + 1e18 + 1e21 + 1e24 + 1e27);
}

TEST_F(Perform, BreakpointAndPolynomialWindowsClosedAtOnce) {
  const std::string shots = qvtest::tempDir("transform_windows");
  qvtest::script({("shot 19 " + shots + "/breakpoint.png").c_str(), "click 10"});
  BREAKPOINT();
  EXPECT_TRUE(rt::fileExists(shots + "/breakpoint.png"));
  EXPECT_EQ(BreakpointArray[24], 1.0f);
  for (int base : {26, 31}) {
    EXPECT_EQ(BreakpointArray[size_t(base)], 1.0f);
    EXPECT_EQ(BreakpointArray[size_t(base + 1)], 0.0f);
    EXPECT_EQ(BreakpointArray[size_t(base + 2)], 1.0f);
  }
  qvtest::script({"click 53", "click 5", "click 10"});
  BREAKPOINT();
  EXPECT_EQ(BreakpointArray[26], 3.0f);
  EXPECT_EQ(BreakpointArray[29], 1.0f);
  EXPECT_EQ(BreakpointArray[31], 1.0f);

  qvtest::script({"click 11"});
  POLYNOMIAL("", 7);
  EXPECT_EQ(PolyDegree, 1);
  EXPECT_EQ(PolynomialValues[1], 1.0f);
  EXPECT_EQ(PolynomialValues[10], 0.0f);
  EXPECT_EQ(ScriptSequenceArray[7][4], 2.0f);

  qvtest::script({"popup 43 9", ("shot 6 " + shots + "/polynomial.png").c_str(), "popup 43 2", "type 202 3", "type 210 x", "click 11", "click 1", "type 210 1", "click 11"});
  POLYNOMIAL("", 0);
  EXPECT_EQ(PolyDegree, 2);
  EXPECT_EQ(PolynomialValues[2], 3.0f);
  EXPECT_EQ(PolynomialValues[10], 1.0f);
}
