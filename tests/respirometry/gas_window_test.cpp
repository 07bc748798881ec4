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
#include "respirometry/humidity_windows.h"
#include "respirometry/stand_ins.h"
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
  // Typed flow, channel 1, the configuration as it stands, compute.
  static void runFromMenu() {
    qvtest::script({"click 1", "click 3", "click 1", "click 135", "click 6", "click 32"});
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
    qvtest::script({"click 1", "click 3", "click 1", "click 135", "click 6", "dialog 4 4"});
    GASEXCHANGE(0);
    EXPECT_EQ(ScriptCOUNT, count);
    EXPECT_EQ(ScriptSequenceArray[count + 1][1], 0.0f);
  }
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_EQ(channel(1), std::vector<float>(51, 1.0f));
}

TEST_F(GasWindow, WaterLossFromTheMenuRunsItsHumidityChain) {
  GasType = 3;
  // Typed flow, channel 1 read as kPa; constant FeO2 with FiH2O 0.005.
  qvtest::script({"click 1", "click 3", "click 1", "click 135", "click 13", "click 15", "click 13", "type 102 0.005",
                  "click 15", "click 32"});
  GASEXCHANGE(0);
  ASSERT_EQ(nChannels[0], 3);
  EXPECT_EQ(HumidityUnits, 3);
  EXPECT_EQ(EWLO2CO2compensation, 3);
  EXPECT_NEAR(RQ, 0.85f, 1e-6) << "the window shows the current RQ";
  EXPECT_NEAR(latent, 2429.839f, 1e-3);
  for (float v : channel(3)) EXPECT_NEAR(v, 0.395364f, 0.395364f * 2e-5);
}

TEST_F(GasWindow, AWetMode1RunAsksTheSensorTemperatureOfAConstantRH) {
  RHtemperature = 37.5f;
  qvtest::script({"click 1", "click 6", "click 3", "click 1", "click 135", "click 1", "click 6", "click 202",
                  "type 101 760", "click 1", "click 123", "type 101 50", "click 124", "click 123", "type 101 20",
                  "click 124", "click 32"});
  GASEXCHANGE(0);
  ASSERT_EQ(nChannels[0], 3);
  EXPECT_EQ(HumidityUnits, 1);
  EXPECT_EQ(WaterDataChannel, 123);
  for (float v : channel(3)) EXPECT_NEAR(v, 1.23513f, 2e-5);
}

TEST_F(GasWindow, TheFlowChainKeepsTheRQOfTheCompanionWindow) {
  for (int32_t k = 0; k <= 50; ++k) PutDatum(0, 2, k, 50.0f);
  // Mode 2, wet; channel 2 holds 50 %RH at a constant 20 C; constant RQ 0.72.
  qvtest::script({"click 1", "click 6", "click 3", "click 1", "click 135", "click 2", "click 6", "click 202",
                  "type 101 760", "click 1", "click 2", "click 124", "click 11", "click 15", "click 123",
                  "type 101 20", "click 124", "type 101 0.72", "click 13", "click 32"});
  GASEXCHANGE(0);
  ASSERT_EQ(nChannels[0], 3);
  EXPECT_NEAR(RQ, 0.72f, 1e-6);
  for (float v : channel(3)) EXPECT_NEAR(v, 1.04722f, 2e-5);
}

TEST_F(GasWindow, ClosingTheChamberWindowCancelsTheRun) {
  RecordSCRIPT = 1;
  qvtest::script({"click 1", "click 3", "click 1", "click 135", "dialog 4 6"});
  GASEXCHANGE(0);
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_EQ(channel(1), std::vector<float>(51, 1.0f));
}

TEST_F(GasWindow, TheConfigurationWindowsKeepOneOfTheirOwnModes) {
  struct Case {
    int16_t gas, entering;
    std::initializer_list<const char*> events;
    int16_t result, mode;
  };
  // VCO2 Mode 4 and Mask Mode 3 and VO2 Mask Mode 4 go on to the humidity chain even with dry
  // air: %RH, the pressure as it stands, the source list's close box (a constant RH).
  const Case cases[] = {
      {2, 5, {"click 6", "click 202", "click 1", "dialog 4 7", "click 124"}, 0, 4},
      {2, 9, {"click 6", "click 202", "click 1", "dialog 4 7", "click 124"}, 0, 8},
      {2, 10, {"key 13", "click 202", "click 1", "dialog 4 7", "click 124"}, 0, 8},
      {1, 7, {"click 7", "click 6"}, 0, 1},
      {1, 3, {"click 7", "click 6"}, 0, 6},
      {1, 3, {"click 7", "click 4", "click 6", "click 202", "click 1", "dialog 4 7", "click 124"}, 0, 9},
      {1, 8, {"dialog 4 6", "click 5", "click 6"}, 0, 5},
      {1, 2, {"dialog 4 6"}, 1, 2},
  };
  for (const Case& c : cases) {
    GasType = c.gas, FlowMode = c.entering, DryAir = 1;
    qvtest::script(c.events);
    const int16_t r = FLOWSYSTEM();
    EXPECT_EQ(r, c.result) << "gas " << c.gas << " from " << c.entering;
    EXPECT_EQ(FlowMode, c.mode) << "gas " << c.gas << " from " << c.entering;
    EXPECT_FALSE(rt::windowExists(6));
  }
}

TEST_F(GasWindow, TheHumidityChainRefusesAPressureItCannotUse) {
  FlowMode = 1, DryAir = 0, realBP = 760.0f;
  // 0 and "abc" are refused (the warning's OK), 700 taken; constant RH 150 kept as 100; a
  // typed sensor temperature of 120 is asked again, showing 25.
  qvtest::script({"click 202", "type 101 0", "click 1", "click 1", "type 101 abc", "click 1", "click 1",
                  "type 101 700", "click 1", "click 123", "type 101 150", "click 124", "type 101 120", "click 124",
                  "click 124"});
  WaterComp(0);
  EXPECT_FLOAT_EQ(realBP, 700.0f);
  EXPECT_FLOAT_EQ(compRH, 100.0f);
  EXPECT_EQ(WaterDataChannel, 123);
  EXPECT_EQ(HumidityUnits, 1);
  EXPECT_EQ(SensorCompRHunit, 1);
  EXPECT_FLOAT_EQ(RHtemperature, 25.0f);
  EXPECT_EQ(RHtemperatureChannel, 0);
}

TEST_F(GasWindow, DoNotCompensateAndAStoredSensorTemperatureOutOfRange) {
  FlowMode = 1, DryAir = 0, RHtemperature = 120.0f;
  qvtest::script({"click 202", "type 101 500", "click 2", "click 1", "click 124", "click 124"});
  WaterComp(0);
  EXPECT_FLOAT_EQ(realBP, 760.0f);
  EXPECT_FLOAT_EQ(RHtemperature, 25.0f);
}

TEST_F(GasWindow, DryChambersAskNothing) {
  FlowMode = 5, DryAir = 1, HumidityUnits = 2, SensorCompRHunit = 0;
  WaterComp(0);
  EXPECT_EQ(SensorCompRHunit, 2);
}

TEST_F(GasWindow, ReturnKeepsTheChosenUnitAndTheAnalyserKeepsTheGasExchangeUnit) {
  GasType = 99, FlowMode = 99, HumidityUnits = 3;
  qvtest::script({"click 202", "click 1", "click 2", "click 124", "click 12", "key 13"});
  WaterComp(1);
  EXPECT_EQ(WaterDataChannel, 2);
  EXPECT_EQ(SensorCompRHunit, 2);
  EXPECT_EQ(HumidityUnits, 3);
}

TEST_F(GasWindow, ClosingTheFeO2ListFallsBackToTheConstantFeO2) {
  GasType = 3, RQ = 0.72f, FiH2O = 0.004f, MainDataChannel = 0;
  qvtest::script({"click 12", "click 15", "dialog 4 6"});
  RHVO2andVCO2();
  EXPECT_EQ(EWLO2CO2compensation, 3);
  EXPECT_FLOAT_EQ(RQ, 0.72f);
  EXPECT_FLOAT_EQ(FiH2O, 0.004f);
  EXPECT_EQ(MainDataChannel, 0);
}

TEST_F(GasWindow, TheFiH2OCalculatorRefusesAZeroPressure) {
  HumidityUnits = 2, FiH2O = 0.0f;
  qvtest::script({"type 2 20", "type 5 0", "click 10", "click 1", "type 5 760", "click 10", "click 11"});
  EstimateFiH2O();
  EXPECT_NEAR(FiH2O, 0.0230740f, 1e-6);
}

TEST_F(GasWindow, ABodyMassOfZeroWithAPerMassUnitGoesBackToTheWindow) {
  FileInfoFLOATS[0][6] = 0;
  qvtest::script(
      {"click 1", "click 3", "click 1", "click 135", "click 6", "popup 41 2", "click 32", "click 1", "dialog 4 4"});
  GASEXCHANGE(0);
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_EQ(channel(1), std::vector<float>(51, 1.0f));
}
