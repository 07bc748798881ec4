// "VO2 in Water" driven through its windows, refused, undone and replayed from its step.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/channel_roles.h"
#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/respirometry_settings.h"
#include "core/script_state.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "respirometry/commands.h"
#include "respirometry/water_vo2_windows.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

constexpr int kCases = 30;

// Channel 1 "O2 sat" and channel 2 "flow"; 1 s, 100 ml/min typed, 20 C, 760 torr, 1000 ml, 20 g.
class WaterWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    prefsArray[6] = 1;
    prefsArray[17] = 0;
    prefsArray[44] = 1;
    WaterSystem = 0, WaterFlowRateChannelannel = 0, WaterUnits = 0, WOUTunits = 1, oH2O = 1;
    AbsoluteUnits = 0, MassUnit = 0, salinity = 2.0f;
    RecordSCRIPT = RunScript = autoscript = ScriptRunOnce = 0;
    ScriptCOUNT = 0;
    ScriptStepFailed = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
    makeWaterFile(2, 1.0f);
  }
  void TearDown() override {
    FreeFileSlot(0);
    TheFileInUse = -1;
    RecordSCRIPT = autoscript = ScriptRunOnce = 0;
  }
  // Open system: a deflection of 10 % and a flow of 50. Closed: 100 % falling 0.1 a case.
  static void makeWaterFile(int channels, float interval, bool closed = false) {
    coretest::makeFile(0, channels, kCases);
    TheFileInUse = 0;
    ActiveChannel = 1;
    for (int32_t k = 0; k <= kCases; ++k) {
      PutDatum(0, 1, k, closed ? 100.0f - 0.1f * float(k - 1) : 10.0f);
      PutDatum(0, 2, k, 50.0f);
    }
    SetChannelLabel(0, 1, "O2 sat");
    SetChannelLabel(0, 2, "flow");
    const float info[] = {0, interval, 100, 20, 760, 1000, 20};
    for (int w = 1; w <= 6; ++w) FileInfoFLOATS[0][w] = info[w];
  }
  static std::vector<float> channel(int c) {
    const float* p = channelData(0, c);
    return {p, p + kCases + 1};
  }
  // Cases 1..n: entry 0 of a new channel is no sample.
  static std::vector<float> samples(int c) {
    const float* p = channelData(0, c);
    return {p + 1, p + kCases + 1};
  }
  // The closed system's rates are differences of samples held in single precision.
  static void expectEvery(int c, float want, float tolerance = 2e-5f) {
    for (int k = 1; k <= kCases; ++k) ASSERT_NEAR(GetDatum(0, c, k), want, std::abs(want) * tolerance) << "case " << k;
  }
  // Open system, flow from channel 2, fresh water.
  static void openWithFlowChannel() {
    qvtest::script({"click 2", "click 3", "click 5", "click 1", "click 4", "click 153", "popup 49 1",
                    "popup 48 1", "type 108 0", "click 11", "click 14"});
    WATERVO2(0);
  }
  // Closed system, "VO2", ml/min, fresh water.
  static void closedRate() {
    qvtest::script({"click 1", "click 5", "click 1", "click 153", "click 8", "popup 48 1", "type 108 0", "click 11",
                    "click 14"});
    WATERVO2(0);
  }
};

}  // namespace

TEST_F(WaterWindow, OpenSystemWithAFlowChannelIntoANewChannel) {
  openWithFlowChannel();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  ASSERT_EQ(nChannels[0], 3);
  EXPECT_EQ(RetrieveLabelOf(0, 3).substr(0, 16), "VO2 in mL O2/min");
  expectEvery(3, 0.0317543f);
  EXPECT_EQ(channel(1), std::vector<float>(kCases + 1, 10.0f));
  EXPECT_EQ(channel(2), std::vector<float>(kCases + 1, 50.0f));
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  EXPECT_TRUE(CommentContainer[0].ends_with("VO2 in water"));
  EXPECT_EQ(WaterSystem, 1);
  EXPECT_EQ(salinity, 0.0f);
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(WaterWindow, ClosedSystemRateFromTheFirstCase) {
  makeWaterFile(2, 10.0f, true);
  closedRate();
  ASSERT_EQ(nChannels[0], 3);
  expectEvery(3, 0.0381052f, 5e-4f);
  EXPECT_EQ(RetrieveLabelOf(0, 3).substr(0, 16), "VO2 in mL O2/min");
}

TEST_F(WaterWindow, OverwriteThenUndoRestoresTheChannelBitForBit) {
  prefsArray[6] = 0;
  for (int32_t k = 0; k <= kCases; ++k) PutDatum(0, 1, k, 10.0f + 0.37f * float(k));
  const std::vector<float> before = channel(1);
  const std::string label = RetrieveLabelOf(0, 1);
  openWithFlowChannel();
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_NE(channel(1), before);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(std::memcmp(channel(1).data(), before.data(), before.size() * sizeof(float)), 0);
  EXPECT_EQ(RetrieveLabelOf(0, 1), label);
}

TEST_F(WaterWindow, RefusalsChangeNothing) {
  struct Case {
    const char* what;
    std::vector<const char*> events;
  } cases[] = {
      {"saturation 0", {"type 109 0"}},
      {"net 0", {"type 101 0"}},
      {"B 0", {"type 106 0"}},
      {"g 0", {"type 107 0"}},
      {"not a number", {"type 104 abc"}},
      {"mass 0 with /g", {"click 2"}},
      {"typed flow 0 with a flow channel", {"type 105 0"}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    makeWaterFile(2, 1.0f);
    FileInfoFLOATS[0][6] = 0;
    const std::vector<float> one = channel(1), two = channel(2);
    std::vector<std::string> lines = {"click 2", "click 3", "click 5", "click 1", "click 4", "click 153"};
    for (const char* e : k.events) lines.push_back(e);
    for (const char* e : {"click 14", "click 1", "dialog 4 4"}) lines.push_back(e);
    for (const std::string& l : lines) ASSERT_TRUE(rt::script::pushLine(l));
    WATERVO2(0);
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_EQ(nChannels[0], 2);
    EXPECT_EQ(channel(1), one);
    EXPECT_EQ(channel(2), two);
    EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
    EXPECT_EQ(FileInfoFLOATS[0][2], 100.0f);
    EXPECT_EQ(WaterSystem, 0);
    EXPECT_EQ(salinity, 2.0f);
    EXPECT_EQ(prefsArray[17], 0);
  }
  // A closed "VO2" on a file without a sample interval.
  makeWaterFile(2, 0.0f, true);
  qvtest::script({"click 5", "click 1", "click 153", "click 8", "click 14", "click 1", "dialog 4 4"});
  WATERVO2(0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
}

TEST_F(WaterWindow, CloseBoxesLeaveDataMarkAndScript) {
  RecordSCRIPT = 1;
  for (const char* close : {"dialog 4 4", "dialog 4 10"}) {
    SCOPED_TRACE(close);
    if (std::string(close) == "dialog 4 4") qvtest::script({"click 2", "dialog 4 4"});
    else qvtest::script({"click 5", "dialog 4 10"});
    WATERVO2(0);
    EXPECT_EQ(ScriptCOUNT, 0);
    EXPECT_EQ(nChannels[0], 2);
    EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
    EXPECT_EQ(WaterSystem, 0);
  }
  qvtest::script({"click 5", "click 1", "click 153", "dialog 4 4"});
  WATERVO2(0);
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(nChannels[0], 2);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
}

TEST_F(WaterWindow, RecordedStepsReplayOnAFreshCopy) {
  RecordSCRIPT = 1;
  openWithFlowChannel();
  ASSERT_EQ(ScriptCOUNT, 1);
  const std::vector<float> open = samples(3);
  EXPECT_EQ(ScriptSequenceArray[1][1], 32.0f);
  EXPECT_EQ(ScriptSequenceArray[1][3], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][19], 2.0f);
  makeWaterFile(2, 10.0f, true);
  closedRate();
  ASSERT_EQ(ScriptCOUNT, 2);
  const std::vector<float> closed = samples(3);
  RecordSCRIPT = 0;

  // Start-up settings: the steps carry all the pass needs.
  WaterSystem = 0, WaterFlowRateChannelannel = 0, WaterUnits = 0, WOUTunits = 1, oH2O = 1, salinity = 2.0f;
  autoscript = 1, ScriptRunOnce = 1;
  makeWaterFile(2, 1.0f);
  WATERVO2(1);
  EXPECT_EQ(ScriptStepFailed, 0);
  ASSERT_EQ(nChannels[0], 3);
  EXPECT_EQ(samples(3), open);
  EXPECT_EQ(RetrieveLabelOf(0, 3).substr(0, 16), "VO2 in mL O2/min");

  makeWaterFile(2, 10.0f, true);
  WATERVO2(2);
  ASSERT_EQ(nChannels[0], 3);
  EXPECT_EQ(samples(3), closed);
  makeWaterFile(2, 5.0f, true);
  WATERVO2(2);
  expectEvery(3, 2 * 0.0381052f, 5e-4f);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(WaterWindow, ReplayRefusesStepsItCannotComputeFrom) {
  RecordSCRIPT = 1;
  openWithFlowChannel();
  RecordSCRIPT = 0;
  autoscript = 1, ScriptRunOnce = 1;
  struct Case {
    const char* what;
    int word;
    float value;
  } cases[] = {{"no word 3", 3, 0.0f}, {"flow channel 9", 19, 9.0f}, {"O2 channel 0", 4, 0.0f}, {"F 0", 15, 0.0f}};
  const std::vector<float> step(ScriptSequenceArray[1], ScriptSequenceArray[1] + 28);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    std::copy(step.begin(), step.end(), ScriptSequenceArray[1]);
    ScriptSequenceArray[1][k.word] = k.value;
    makeWaterFile(3, 1.0f);
    ScriptStepFailed = 0;
    qvtest::script({"click 1"});
    WATERVO2(1);
    EXPECT_EQ(ScriptStepFailed, 1);
    EXPECT_EQ(nChannels[0], 3);
    EXPECT_EQ(channel(1), std::vector<float>(kCases + 1, 10.0f));
    EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  }
}

TEST_F(WaterWindow, FirstRunManualWritesTheTypedValuesBack) {
  autoscript = 1, ScriptRunOnce = 0;
  ScriptSequenceArray[1][1] = 32.0f;
  makeWaterFile(2, 1.0f);
  qvtest::script({"click 2", "click 3", "click 5", "click 1", "click 4", "click 153", "type 108 0", "click 11",
                  "click 14"});
  WATERVO2(1);
  EXPECT_EQ(ScriptSequenceArray[1][3], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][11], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][12], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][19], 2.0f);
  EXPECT_EQ(ScriptSequenceArray[1][16], 100.0f);
  EXPECT_EQ(ScriptSequenceArray[1][17], 0.0f);
}
