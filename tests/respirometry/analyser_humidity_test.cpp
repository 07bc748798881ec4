// Analyser humidity compensation: the water fraction and the pass, the command from the menu
// and its script step replayed.
#include <gtest/gtest.h>

#include <cmath>
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
#include "plot/plot_state.h"
#include "respirometry/analyser_humidity.h"
#include "respirometry/commands.h"
#include "respirometry/gas_settings.h"
#include "runtime/numtext.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

AnalyserHumiditySettings settings(int16_t unit, float torr, bool deflection) {
  AnalyserHumiditySettings s;
  s.unit = unit, s.pw = 946.369f / torr, s.deflection = deflection;
  s.compRH = 50.0f, s.RHtemperature = 20.0f;
  return s;
}

float corrected(const AnalyserHumiditySettings& s, float x, std::vector<float> humidity = {}) {
  std::vector<float> gas{0.0f, x}, out(2, 0.0f);
  if (!humidity.empty()) humidity.insert(humidity.begin(), 0.0f);
  compensateAnalyser(s, {gas, humidity, {}}, out);
  return out[1];
}

TEST(AnalyserHumidity, WaterFractionOfEachUnit) {
  struct Case {
    int16_t unit;
    float torr, reading, celsius;
    double w;
  };
  const Case cases[] = {{1, 760, 50, 20, 0.0107379}, {1, 600, 50, 20, 0.0136014}, {2, 760, 10, 0, 0.0117149},
                        {3, 760, 2.02652f, 0, 0.02},  {4, 760, 16.0633f, 0, 0.02}};
  for (const Case& c : cases)
    EXPECT_NEAR(analyserWaterFraction(settings(c.unit, c.torr, true), c.reading, c.celsius), c.w, c.w * 1e-4)
        << "unit " << c.unit << " at " << c.torr;
  EXPECT_NEAR(analyserWaterFraction(settings(1, 600, true), 50, 20) / analyserWaterFraction(settings(1, 760, true), 50, 20),
              760.0 / 600.0, 1e-5);
  EXPECT_TRUE(std::isnan(analyserWaterFraction(settings(5, 760, true), 50, 20)));
}

TEST(AnalyserHumidity, DeflectionsDivideByOnePlusWAbsoluteContentsByOneMinusW) {
  EXPECT_NEAR(corrected(settings(3, 760, true), 1.0f, {2.02652f}), 0.980392f, 2e-6f);
  EXPECT_NEAR(corrected(settings(3, 760, false), 20.0f, {2.02652f}), 20.408163f, 4e-5f);
  EXPECT_NEAR(corrected(settings(1, 760, false), 20.95f), 21.1774f, 1e-4f);
  EXPECT_NEAR(corrected(settings(1, 760, true), 1.0f), 0.989376f, 1e-6f);
}

TEST(AnalyserHumidity, CasesWithoutAFractionKeepTheirSampleAndAreCounted) {
  std::vector<float> gas{0, 20, 20, 20, NAN, 20}, humidity{0, 1, 200, NAN, 1, 101.326f}, out(6, 0.0f);
  const int32_t kept = compensateAnalyser(settings(3, 760, false), {gas, humidity, {}}, out);
  EXPECT_EQ(kept, 3) << "200 kPa (w 1.97), a humidity gap, and w = 1";
  EXPECT_NE(out[1], 20.0f);
  EXPECT_EQ(out[2], 20.0f);
  EXPECT_EQ(out[3], 20.0f);
  EXPECT_TRUE(std::isnan(out[4])) << "a gap stays a gap";
  EXPECT_EQ(out[5], 20.0f);
  EXPECT_EQ(out[0], 0.0f) << "case 0 is not a sample";
}

// The humidity windows for a constant RH, typed as the settings stand: "%RH or Dew Point",
// the pressure, the constant RH, the sensor temperature.
std::vector<std::string> constantHumidityClicks() {
  auto typed = [](float v) { return "type 101 " + rt::PSstr(v).substr(1); };
  return {"click 202", typed(realBP), "click 1", "click 123", typed(compRH), "click 124",
          "click 123", typed(RHtemperature), "click 124"};
}

// Channel 1 "O2" holds 20.95 %, channel 2 "RH" 50 %, channel 3 a temperature of 20.
class AnalyserWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    makeFile(3);
    prefsArray[44] = 1;
    prefsArray[76] = 0;
    GasType = 1, FlowMode = 3, FlowRateChannel = 0;
    ResetGasExchangeSettings();
    realBP = 760.0f, compRH = 50.0f, RHtemperature = 20.0f;
    SensorCompRHunit = HumidityUnits = 1;
    WaterDataChannel = 123;
    RecordSCRIPT = RunScript = autoscript = ScriptRunOnce = 0;
    ScriptCOUNT = ScriptStepFailed = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  void TearDown() override {
    FreeFileSlot(0);
    TheFileInUse = -1;
    RecordSCRIPT = autoscript = ScriptRunOnce = 0;
  }
  static void makeFile(int channels) {
    coretest::makeFile(0, channels, 50);
    TheFileInUse = 0;
    ActiveChannel = 1;
    for (int32_t k = 0; k <= 50; ++k) {
      PutDatum(0, 1, k, 20.95f);
      if (channels >= 2) PutDatum(0, 2, k, 50.0f + 0.1f * float(k));
      if (channels >= 3) PutDatum(0, 3, k, 20.0f);
    }
    SetChannelLabel(0, 1, "O2 %");
  }
  // Absolute mode, channel 1, the humidity windows; `newChannel` ticks the box.
  static void runFromMenu(bool newChannel) {
    std::vector<std::string> lines;
    if (newChannel) lines.push_back("click 1");
    for (const char* l : {"click 4", "click 2", "click 1", "click 135"}) lines.push_back(l);
    for (const std::string& l : constantHumidityClicks()) lines.push_back(l);
    for (const auto& l : lines) rt::script::pushLine(l);
    ANALYZER_HUMIDITY(0);
  }
  static std::vector<float> channel(int c) {
    const float* p = channelData(0, c);
    return {p, p + 51};
  }
};

TEST_F(AnalyserWindow, OverwriteLogsAndUndoRestoresTheChannel) {
  GasType = 2, FlowMode = 4, FlowRateChannel = 0;
  const std::vector<float> before = channel(1);
  runFromMenu(false);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_NEAR(GetDatum(0, 1, 7), 21.1774f, 1e-4f);
  EXPECT_EQ(nChannels[0], 3);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  EXPECT_NE(CommentContainer[0].find("humidity compensation, absolute"), std::string::npos) << CommentContainer[0];
  EXPECT_EQ(GasType, 2) << "a later VO2 run opens on the configuration chosen before";
  EXPECT_EQ(FlowMode, 4);
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(std::memcmp(channel(1).data(), before.data(), before.size() * sizeof(float)), 0);
}

TEST_F(AnalyserWindow, NewChannelLeavesTheSourceAndNoBoxAtFortyChannels) {
  runFromMenu(true);
  ASSERT_EQ(nChannels[0], 4);
  EXPECT_EQ(channel(1), std::vector<float>(51, 20.95f));
  EXPECT_NEAR(GetDatum(0, 4, 9), 21.1774f, 1e-4f);
  makeFile(40);
  qvtest::script({"shot 4 /dev/null", "dialog 4 4"});
  ANALYZER_HUMIDITY(0);
  EXPECT_FALSE(rt::controlExistsIn(4, 1));
}

TEST_F(AnalyserWindow, TheCloseBoxChangesNothingAndWithdrawsTheStep) {
  RecordSCRIPT = 1;
  for (const char* close : {"dialog 4 4", "dialog 4 6"}) {
    if (std::string(close) == "dialog 4 4") qvtest::script({close});
    else qvtest::script({"click 2", close});
    ANALYZER_HUMIDITY(0);
    EXPECT_EQ(ScriptCOUNT, 0) << close;
    EXPECT_EQ(channel(1), std::vector<float>(51, 20.95f));
    EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
    EXPECT_EQ(GasType, 1);
    EXPECT_EQ(FlowMode, 3);
  }
}

TEST_F(AnalyserWindow, ARecordedStepReplaysWithItsOwnHumiditySettings) {
  compRH = 60.0f, RHtemperature = 25.0f;
  RecordSCRIPT = 1;
  runFromMenu(false);
  RecordSCRIPT = 0;
  ASSERT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], 35.0f);
  EXPECT_EQ(ScriptSequenceArray[1][3], 2.0f);
  const std::vector<float> recorded = channel(1);
  makeFile(3);
  ResetGasExchangeSettings();
  compRH = 20.0f, RHtemperature = 37.5f, realBP = 760.0f, prefsArray[76] = 1;
  autoscript = ScriptRunOnce = 1;
  ANALYZER_HUMIDITY(1);
  EXPECT_EQ(ScriptStepFailed, 0) << ScriptFailureText;
  EXPECT_EQ(std::memcmp(channel(1).data(), recorded.data(), recorded.size() * sizeof(float)), 0);
}

TEST_F(AnalyserWindow, ReplayRefusesStepsItCannotRun) {
  struct Case {
    int word;
    float value;
  };
  const Case cases[] = {{22, 9}, {13, 9}, {10, 4}, {7, 5}, {7, 2}, {16, 0}, {16, NAN}};
  for (const Case& c : cases) {
    makeFile(3);
    float* w = ScriptSequenceArray[1];
    w[1] = 35, w[3] = 2, w[6] = 0.0173f, w[7] = 1, w[10] = 0, w[13] = 123, w[16] = 946.369f / 760.0f;
    w[17] = 20, w[18] = 0, w[19] = 0, w[20] = 50, w[22] = 1;
    w[c.word] = c.value;
    ScriptStepFailed = 0;
    autoscript = ScriptRunOnce = 1;
    qvtest::script({"click 1"});
    ANALYZER_HUMIDITY(1);
    EXPECT_EQ(ScriptStepFailed, 1) << "word " << c.word;
    EXPECT_NE(ScriptFailureText.find("Word [" + std::to_string(c.word) + "]"), std::string::npos) << ScriptFailureText;
    EXPECT_EQ(channel(1), std::vector<float>(51, 20.95f)) << "word " << c.word;
  }
}

}  // namespace
