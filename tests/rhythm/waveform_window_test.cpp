// The waveform windows driven by scripted input: default triggers and the method they force,
// the results the report reads, the recorded step and how each way out of the windows ends.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/filetable.h"
#include "core/output_state.h"
#include "core/prefs.h"
#include "core/script_state.h"
#include "core/waveform_state.h"
#include "plot/plot_state.h"
#include "rhythm/commands.h"
#include "rhythm/waveform.h"
#include "rhythm/waveform_windows.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "../stats/stats_window_fixture.h"

using namespace qv;

namespace {

struct WaveformWindows : ::testing::Test {
  void SetUp() override {
    // ±(1 + 0.1·⌊k/20⌋)·sin(2πk/20) over 300 cases at 0.5 s, the block 1..200.
    statstest::recordingWithBlock(
        300, {[](int32_t k) { return float((1.0 + 0.1 * (k / 20)) * std::sin(2.0 * 3.14159265358979 * k / 20.0)); }},
        1, 200);
    FileInfoFLOATS[0][1] = 0.5f;
    RecordSCRIPT = RunScript = 0;
    ScriptCOUNT = 0;
    FrequencyUnit = 6;
  }
  void TearDown() override {
    rt::closeAllFiles();
    RecordSCRIPT = RunScript = 0;
    ScriptCOUNT = 0;
  }
  static void script(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) ASSERT_TRUE(rt::script::pushLine(l)) << l;
  }
};

TEST_F(WaveformWindows, DefaultTriggersResultsAndDone) {
  prefsArray[75] = 0;  // Highest/Lowest 5 chosen: the default triggers switch to the shape rule
  script({"key 13", "shot 4 " + qvtest::tempDir("waveform") + "/results.png", "click 11"});
  WAVEFORM();
  EXPECT_EQ(prefsArray[75], 1);
  EXPECT_EQ(AnalysisCode, kCodeWaveform);
  EXPECT_EQ(LastWaveform.nPeaks, 10);
  EXPECT_DOUBLE_EQ(LastWaveform.P, 10.0);
  EXPECT_NEAR(LastWaveform.dw / LastWaveform.dn, 2.9, 1e-5);
  EXPECT_NEAR(LastWaveform.dxx, 0.60553, 1e-5);
  EXPECT_FALSE(rt::windowExists(6));
}

// Use Cursor: the peak trigger picked low in the block window and the valley trigger high,
// asked again after Cancel in the confirmation, then taken with Continue....
TEST_F(WaveformWindows, UseCursorTakesBothTriggersFromTheBlockWindow) {
  prefsArray[75] = 1;
  prefsArray[37] = 1;
  const std::string low = std::to_string(UpperLimit - 2);
  const std::vector<std::string> picks = {"mouse down 50 " + low + " 2", "mouse up 50 " + low + " 2",
                                          "mouse down 50 2 2", "mouse up 50 2 2"};
  std::vector<std::string> events = {"click 2"};
  events.insert(events.end(), picks.begin(), picks.end());
  events.push_back("click 10");
  events.insert(events.end(), picks.begin(), picks.end());
  events.insert(events.end(), {"click 11", "click 11"});
  script(events);
  WAVEFORM();
  prefsArray[37] = 0;
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(AnalysisCode, kCodeWaveform);
  EXPECT_EQ(LastWaveform.nPeaks, 10);  // the block's extremes, as the default triggers are
  EXPECT_FALSE(rt::windowExists(6));
}

TEST_F(WaveformWindows, ShapeStatisticsKeepTheRunsOwnCount) {
  script({"key 13", "click 9", "click 2", "click 11"});
  WAVEFORM();
  EXPECT_EQ(NumberOfWavePeaks, 10);  // the decay times the statistics read
  EXPECT_EQ(LastWaveform.nPeaks, 10);
  EXPECT_DOUBLE_EQ(LastWaveform.sd, 0.0);
}

TEST_F(WaveformWindows, CancelAndCloseBoxes) {
  RecordSCRIPT = 1;
  script({"click 5"});
  WAVEFORM();
  EXPECT_EQ(ScriptCOUNT, 0);  // the step recorded at the start is taken back
  EXPECT_FALSE(rt::windowExists(6));

  script({"dialog 4 6"});
  WAVEFORM();
  EXPECT_EQ(ScriptCOUNT, 0);

  // Closing the results window ends the run as "Done" does: it stands for the report.
  AnalysisCode = 0;
  script({"key 13", "dialog 4 4"});
  WAVEFORM();
  EXPECT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][1], float(kCodeWaveform));
  EXPECT_EQ(AnalysisCode, kCodeWaveform);
  EXPECT_FALSE(rt::windowExists(4));
}

}  // namespace
