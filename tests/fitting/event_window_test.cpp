// The time integration and event counting window driven by scripted input: the counts and
// statistics shown and reported, the boxes, the order test, the unit, the scaling, the
// trigger pick in the block window and the step it records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "core/output_state.h"
#include "core/results_scaling.h"
#include "core/script_state.h"
#include "core/stats_state.h"
#include "fitting/commands.h"
#include "fitting/event_window.h"
#include "fitting/trigger_pick.h"
#include "plot/plot_state.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "../stats/stats_window_fixture.h"

using namespace qv;

namespace {

const float kD[] = {0, 0, 5, 5, 0, 0, 5, 5, 5, 0, 5};

struct EventWindow : statstest::WindowTest {
  std::vector<std::string> sounds;
  void open(int32_t cases, float (*value)(int32_t), double interval) {
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    statstest::recordingWithBlock(cases, {value}, 1, cases);
    FileInfoFLOATS[0][1] = float(interval);
    LastPosSelectiveLimit = LastNegSelectiveLimit = 0.0f;
    RecordSCRIPT = RunScript = 0;
    ScriptCOUNT = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
    prefsArray[7] = 1;
    rt::setSoundObserver([this](const std::string& s) { sounds.push_back(s); });
  }
  void TearDown() override {
    rt::setSoundObserver(nullptr);
    closeRouteAndFiles();
    // The step recorded here is no script of the tests that follow.
    RecordSCRIPT = RunScript = 0;
    ScriptCOUNT = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  static double shown(int id) { return rt::PSval(rt::editTextIn(4, id)); }
  bool heard(const std::string& s) const { return std::find(sounds.begin(), sounds.end(), s) != sounds.end(); }
};

TEST_F(EventWindow, CountsTimesAndReportsEventsAboveAndBelowTheTriggers) {
  open(10, [](int32_t k) { return kD[k]; }, 1.0);
  const std::string path = openTextRoute();
  RecordSCRIPT = 1;
  script({"type 101 4", "type 103 1", "click 245", "key 80", "dialog 3 1000"});
  TIMEINTEGRATE(1);
  EXPECT_EQ(shown(102), 3);
  EXPECT_EQ(shown(104), 2);
  EXPECT_DOUBLE_EQ(shown(110), 2.5);
  EXPECT_DOUBLE_EQ(shown(111), 0.5);
  EXPECT_DOUBLE_EQ(shown(112), 2);
  EXPECT_DOUBLE_EQ(shown(113), 3);
  EXPECT_DOUBLE_EQ(shown(120), 1.5);
  EXPECT_DOUBLE_EQ(shown(121), 0.5);
  EXPECT_EQ(AnalysisCode, kCodeEventCounter);
  // The step keeps the triggers and the boxes.
  EXPECT_EQ(ScriptSequenceArray[1][1], 37.0f);
  EXPECT_EQ(ScriptSequenceArray[1][2], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][4], 4.0f);
  EXPECT_EQ(ScriptSequenceArray[1][5], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][8], 1.0f);
  RecordSCRIPT = 0;

  // Only the timed events longer than 1 s, the remembered triggers back; no file on Cancel.
  script({"click 226", "click 225", "type 115 1", "click 245", "shot 4 " + dir + "/counting.png", "popup 227 3",
          "save cancel", "dialog 3 1000"});
  TIMEINTEGRATE(1);
  EXPECT_EQ(rt::editTextIn(4, 101), " 4");
  EXPECT_EQ(shown(102), 2);
  EXPECT_EQ(shown(104), 1);
  EXPECT_DOUBLE_EQ(shown(120), 2);
  EXPECT_EQ(rt::editTextIn(4, 121), " 0");

  closeRouteAndFiles();
  const std::string report = readText(path);
  const size_t at = report.find("EVENT COUNTER");
  ASSERT_NE(at, std::string::npos) << report;
  EXPECT_DOUBLE_EQ(rt::PSval(report.substr(report.find("upper limit:", at) + 12)), 4);
  EXPECT_DOUBLE_EQ(rt::PSval(report.substr(report.find("lower limit:", at) + 12)), 1);
  EXPECT_NE(report.find("'positive ' events (above upper limit):  3", at), std::string::npos) << report;
}

TEST_F(EventWindow, TimeAndIntegralBetweenLimitsAndTheOrderTest) {
  open(10, [](int32_t k) { return float(k); }, 30.0);
  IntegrationUnit = kUnitNone;
  script({"type 101 3", "type 103 6", "click 245", "dialog 3 1000"});
  TIMEINTEGRATE(0);
  // "None" of the statistics is no unit here: minutes, as the report says.
  EXPECT_EQ(IntegrationUnit, kUnitMinutes);
  EXPECT_EQ(rt::buttonStateIn(4, kUnitMinutes), 2);
  EXPECT_DOUBLE_EQ(shown(102), 1.5);
  EXPECT_NE(rt::editTextIn(4, 102).find(" min"), std::string::npos);
  EXPECT_NEAR(shown(104), 33.333, 1e-3);

  // Crossed limits by Return: refused, the results stand; then scaled, then the integral.
  scalingFactorArray[1][1] = 1;
  scalingFactorArray[1][2] = 2;
  scalingFactorArray[1][3] = 10;
  script({"type 101 7", "key 13", "shot 4 " + dir + "/time.png", "type 101 3", "click 231", "dialog 3 1000"});
  TIMEINTEGRATE(0);
  EXPECT_TRUE(heard("bzot.mp3"));
  EXPECT_DOUBLE_EQ(shown(102), 13);
  EXPECT_DOUBLE_EQ(meanValue, 1.5);
  script({"click 231", "click 230", "shot 4 " + dir + "/selective.png", "dialog 3 1000"});
  TIMEINTEGRATE(0);
  EXPECT_EQ(AnalysisCode, kCodeSelectiveIntegration);
  EXPECT_DOUBLE_EQ(shown(102), 9);
  EXPECT_NEAR(shown(104), 32.727, 1e-3);
}

TEST_F(EventWindow, TheTriggerIsPickedInTheBlockWindow) {
  open(10, [](int32_t k) { return float(k); }, 1.0);
  const std::string y = std::to_string(UpperLimit - 2);
  // A press left of the plot area does not end the pick; the one inside does.
  script({"click 218", "mouse down 0 20 2", "mouse up 0 20 2", "mouse down 50 " + y + " 2", "mouse up 50 " + y + " 2",
          "click 219", "mouse down 50 2 2", "mouse up 50 2 2", "dialog 3 1000"});
  TIMEINTEGRATE(1);
  EXPECT_EQ(rt::editTextIn(4, 101), rt::PSstr(BlockMinY));
  EXPECT_EQ(rt::editTextIn(4, 103), rt::PSstr(BlockMaxY));
  EXPECT_FLOAT_EQ(trigger, BlockMaxY);
}

}  // namespace
