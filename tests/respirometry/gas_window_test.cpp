// Gas exchange driven through its windows and replayed from its script step.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "core/channel_roles.h"
#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/stub_log.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "respirometry/gas_settings.h"
#include "respirometry/heat_equivalence.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

// Channel 1 "O2" holds a deflection of 1 % everywhere.
class GasWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    setNotBuiltRecorder([](const std::string&) {});
    makeO2File(2);
    prefsArray[6] = 1;
    prefsArray[18] = 1;
    prefsArray[38] = 0;
    prefsArray[44] = 1;
    prefsArray[53] = 0;
    GetFlowRateFromChannel = 0;
    FiO2 = 20.95f, FiCO2 = 0.038f, RQ = 0.85f;
    FlowMode = 1, DryAir = 1, AbsorbCO2upstream = 1, GasType = 1;
    ResetGasExchangeSettings();
    RecordSCRIPT = RunScript = autoscript = ScriptRunOnce = 0;
    ScriptCOUNT = 0;
    ScriptStepFailed = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  void TearDown() override {
    setNotBuiltRecorder(nullptr);
    FreeFileSlot(0);
    TheFileInUse = -1;
    RecordSCRIPT = autoscript = ScriptRunOnce = 0;
  }
  static void makeO2File(int channels) {
    coretest::makeFile(0, channels, 50);
    TheFileInUse = 0;
    ActiveChannel = 1;
    for (int32_t k = 0; k <= 50; ++k) PutDatum(0, 1, k, 1.0f);
    SetChannelLabel(0, 1, "O2");
    float info[] = {0, 1, 100, 0, 760, 1000, 30};
    for (int w = 1; w <= 6; ++w) FileInfoFLOATS[0][w] = info[w];
  }
  // Typed flow, channel 1, compute.
  static void runFromMenu() {
    qvtest::script({"click 1", "click 3", "click 1", "click 135", "click 32"});
    GASEXCHANGE(0);
  }
  static std::vector<float> channel(int c) {
    const float* p = channelData(0, c);
    return {p, p + 51};
  }
};

}  // namespace

TEST_F(GasWindow, NewChannelWithItsLabelChangeMarkAndLogLine) {
  runFromMenu();
  ASSERT_EQ(nChannels[0], 3);
  EXPECT_EQ(RetrieveLabelOf(0, 3), "VO2 # 2; ml/min               ");
  for (float v : channel(3)) EXPECT_NEAR(v, 1.24853f, 1.24853f * 1e-5);
  EXPECT_EQ(channel(1), std::vector<float>(51, 1.0f));
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  const std::string& log = CommentContainer[0];
  EXPECT_EQ(log.substr(log.size() - 20), "VO2 (exact), mode  1");
  EXPECT_EQ(MakeNewChan, 0);
  EXPECT_EQ(FlowRateChannel, 0);
}

TEST_F(GasWindow, OverwriteThenUndoRestoresSamplesAndLabel) {
  prefsArray[6] = 0;
  for (int32_t k = 0; k <= 50; ++k) PutDatum(0, 1, k, 1.0f + 0.001f * float(k));
  const std::vector<float> before = channel(1);
  const std::string labelBefore = RetrieveLabelOf(0, 1);
  runFromMenu();
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_EQ(RetrieveLabelOf(0, 1).substr(0, 15), "VO2 # 2; ml/min");
  EXPECT_NE(channel(1), before);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(channel(1), before);
  EXPECT_EQ(RetrieveLabelOf(0, 1), labelBefore);
}

TEST_F(GasWindow, FortyChannelsReplaceTheGasChannel) {
  makeO2File(40);
  runFromMenu();
  EXPECT_EQ(nChannels[0], 40);
  EXPECT_NEAR(GetDatum(0, 1, 7), 1.24853f, 1e-5);
}

TEST_F(GasWindow, RecordedStepReplaysToTheSameChannel) {
  RecordSCRIPT = 1;
  runFromMenu();  // no new-channel box while recording: the gas channel is overwritten
  ASSERT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(prefsArray[6], 1) << "the saved choice is kept";
  EXPECT_EQ(nChannels[0], 2);
  const std::vector<float> recorded = channel(1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 8.0f);
  EXPECT_EQ(ScriptSequenceArray[1][22], 1.0f);
  RecordSCRIPT = 0;

  makeO2File(2);
  FiO2 = 15, RQ = 0.7f, FlowMode = 3, prefsArray[18] = 0;
  ResetGasExchangeSettings();
  autoscript = ScriptRunOnce = 1;
  GASEXCHANGE(1);
  EXPECT_EQ(channel(1), recorded);
  EXPECT_EQ(ScriptStepFailed, 0);
}

TEST_F(GasWindow, AStepNamingAMissingChannelIsRefused) {
  RecordSCRIPT = 1;
  runFromMenu();
  RecordSCRIPT = 0;
  makeO2File(2);
  ScriptSequenceArray[1][22] = 9;
  autoscript = ScriptRunOnce = 1;
  qvtest::script({"click 1"});
  GASEXCHANGE(1);
  EXPECT_EQ(ScriptStepFailed, 1);
  EXPECT_NE(ScriptFailureText.find("Word [22]"), std::string::npos) << ScriptFailureText;
  EXPECT_EQ(channel(1), std::vector<float>(51, 1.0f));
  EXPECT_EQ(nChannels[0], 2);
}

TEST_F(GasWindow, ACancelLeavesNoStepAndNoChange) {
  RecordSCRIPT = 1;
  for (int16_t count : {0, 39}) {
    ScriptCOUNT = count;
    qvtest::script({"click 1", "click 3", "click 1", "click 135", "dialog 4 4"});
    GASEXCHANGE(0);
    EXPECT_EQ(ScriptCOUNT, count);
    EXPECT_EQ(ScriptSequenceArray[count + 1][1], 0.0f);
  }
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_EQ(channel(1), std::vector<float>(51, 1.0f));
}

TEST_F(GasWindow, WaterLossFromTheMenuIsNotAvailable) {
  std::vector<std::string> calls;
  setNotBuiltRecorder([&](const std::string& c) { calls.push_back(c); });
  GasType = 3;
  GASEXCHANGE(0);
  EXPECT_EQ(calls, std::vector<std::string>{"GASEXCHANGE(0)"});
  EXPECT_EQ(nChannels[0], 2);
}

TEST_F(GasWindow, ABodyMassOfZeroWithAPerMassUnitGoesBackToTheWindow) {
  FileInfoFLOATS[0][6] = 0;
  qvtest::script({"click 1", "click 3", "click 1", "click 135", "popup 41 2", "click 32", "click 1", "dialog 4 4"});
  GASEXCHANGE(0);
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_EQ(channel(1), std::vector<float>(51, 1.0f));
}
