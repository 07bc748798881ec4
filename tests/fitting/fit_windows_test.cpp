// The slope and regression windows driven by scripted input: the fit shown, the report, the
// recorded steps and their replay, the log-model refusals, and what cannot be computed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/filetable.h"
#include "core/script_state.h"
#include "core/undo.h"
#include "fitting/commands.h"
#include "core/fit_state.h"
#include "fitting/line_fit.h"
#include "fitting/slope_panel.h"
#include "core/output_state.h"
#include "output/result_text.h"
#include "runtime/numtext.h"
#include "output/commands.h"
#include "output/output.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "core/case_filters.h"
#include "stats/commands.h"
#include "../stats/stats_window_fixture.h"

using namespace qv;

namespace {

const float kY[] = {0, 2, 4, 5, 4, 5};

struct FitWindows : ::testing::Test {
  std::string dir;
  void SetUp() override {
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    // Channel 1 is X = the case, 2 is Y = 2, 4, 5, 4, 5, 3 is flat; the block is cases 1..5.
    statstest::recordingWithBlock(8,
                                  {[](int32_t k) { return float(k); },
                                   [](int32_t k) { return k <= 5 ? kY[k] : 1.0f; }, [](int32_t) { return 3.0f; }},
                                  1, 5);
    FileInfoFLOATS[0][1] = 1;
    UseLogY = 0;
    RecordSCRIPT = RunScript = 0;
    ScriptCOUNT = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  void TearDown() override {
    if (PortForResultsOutput) {
      qvtest::script({"page cancel"});
      SendTextToPrinter();
    }
    rt::closeAllFiles();
    RecordSCRIPT = RunScript = 0;
    ScriptCOUNT = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  static void script(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) ASSERT_TRUE(rt::script::pushLine(l)) << l;
  }
  std::string field(int id) { return rt::editTextIn(4, id); }
};

TEST_F(FitWindows, SlopeInSecondsThenReportInMinutes) {
  const std::string path = dir + "/results.txt";
  script({"save " + path});
  PortForResultsOutput = kRouteTextFile;
  ASSERT_EQ(OPEN_OUTPUT_PORT(), 1);
  ActiveChannel = 2;
  script({"click 11", "key 13", "dialog 4 4"});
  TIMESLOPE();
  EXPECT_NEAR(LastFit.b, 0.6, 1e-6);
  EXPECT_NEAR(avalx, 2.2, 1e-6);
  EXPECT_NEAR(ValueOfA, 2.8, 1e-6);
  EXPECT_NEAR(SlopeZeroProb, 0.12403, 2e-5);
  EXPECT_EQ(LastFit.n, 5);

  script({"click 12", "click 153", "dialog 4 4"});
  TIMESLOPE();
  EXPECT_NEAR(ValueOfB, 35.99993, 2e-4);
  SendTextToPrinter();
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  const std::string text = s.str();
  EXPECT_NE(text.find("SLOPE VERSUS TIME in minutes"), std::string::npos) << text;
  EXPECT_NE(text.find("n = 5"), std::string::npos) << text;
  EXPECT_NE(text.find("P(slope = 0) is  0.1240"), std::string::npos) << text;
}

TEST_F(FitWindows, TwoCasesAndAFlatChannelShowStars) {
  ActiveChannel = 3;  // flat: r² is 0/0
  script({"click 11", "dialog 4 4"});
  TIMESLOPE();
  EXPECT_EQ(rt::windowExists(4), false);
  EXPECT_TRUE(std::isnan(rsquared));
  EXPECT_TRUE(std::isnan(SlopeZeroProb));

  BeginBlock.inUse() = 1;
  EndBlock.inUse() = 2;
  ActiveChannel = 2;
  script({"click 11", "shot 4 " + dir + "/two.png", "dialog 4 4"});
  TIMESLOPE();
  EXPECT_TRUE(std::isnan(SlopeZeroProb));
}

TEST_F(FitWindows, RecordedSlopeStepReplaysWithoutTheDialog) {
  RecordSCRIPT = 1;
  ScriptCOUNT = 39;
  ActiveChannel = 2;
  script({"click 13", "dialog 4 4"});
  TIMESLOPE();
  ASSERT_EQ(ScriptCOUNT, 40);
  EXPECT_EQ(ScriptSequenceArray[40][1], 16.0f);
  EXPECT_EQ(ScriptSequenceArray[40][2], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[40][4], 2.0f);
  EXPECT_EQ(ScriptSequenceArray[40][5], 0.0f);

  RecordSCRIPT = 0;
  RunScript = 1;
  ScriptCOUNT = 40;
  script({"key 13"});  // Return ends the window while a script runs; no Time Units dialog
  TIMESLOPE();
  EXPECT_EQ(TimeUnits, 2);
  EXPECT_NEAR(ValueOfB, 2160.0, 0.01);
}

TEST_F(FitWindows, RegressionPickerModelsAndUndoKept) {
  MAKEBACKUP(1);
  const bool undoBefore = UndoAvailable();
  FileSHORTS[0][10] = 1;
  // Return with no Y does nothing (Y = X is dimmed); then X 1, Y 2 (button 3 + 2), log-log.
  script({"click 1", "key 13", "click 5", "click 155", "click 4", "click 6", "click 15"});
  REGRESSION();
  EXPECT_EQ(RegressionXChannel, 1);
  EXPECT_EQ(RegressionYChannel, 2);
  EXPECT_EQ(UseLogY, 3);
  EXPECT_NEAR(ValueOfA, 0.36423, 1e-4);
  EXPECT_NEAR(ValueOfB, 0.52037, 1e-4);
  EXPECT_NEAR(SlopeZeroProb, 0.05039, 2e-5);
  EXPECT_EQ(FileSHORTS[0][10], 1);
  EXPECT_EQ(UndoAvailable(), undoBefore);
  EXPECT_FLOAT_EQ(RegressionX[3], fitLog10(3.0f));
}

TEST_F(FitWindows, RegressionStepReplaysOnThreeChannelsWithoutThePicker) {
  RecordSCRIPT = 1;
  script({"click 1", "click 5", "click 155", "click 2", "click 6", "click 15"});
  REGRESSION();
  ASSERT_EQ(ScriptCOUNT, 1);
  EXPECT_EQ(ScriptSequenceArray[1][4], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][5], 2.0f);
  EXPECT_EQ(ScriptSequenceArray[1][6], 1.0f);
  RecordSCRIPT = 0;
  RunScript = 1;
  UseLogY = 0;
  script({"click 15"});
  REGRESSION();
  EXPECT_EQ(UseLogY, 1);
  EXPECT_NEAR(ValueOfB, 0.079588, 1e-5);
}

// Window 997 is up, with its sound, while the scatter of a block of 40,002 cases is drawn, and
// gone once the dots are; a block of 40,001 cases goes without it.
TEST_F(FitWindows, ALongBlockShowsTheLotsNoticeWhileTheScatterIsDrawn) {
  for (int32_t cases : {40002, 40001}) {
    statstest::recordingWithBlock(40010,
                                  {[](int32_t k) { return float(k % 50); }, [](int32_t k) { return float(k % 7); },
                                   [](int32_t) { return 3.0f; }},
                                  1, cases);
    FileInfoFLOATS[0][1] = 1;
    prefsArray[7] = 1;  // sounds on
    bool noticeUp = false;
    rt::setSoundObserver([&](const std::string& name) {
      if (name == "brrrp.mp3") noticeUp = rt::windowExists(997) && rt::windowTitle(997) == "plot time warning";
    });
    script({"click 1", "click 5", "click 155", "click 1", "click 6", "click 15"});
    REGRESSION();
    rt::setSoundObserver(nullptr);
    EXPECT_EQ(noticeUp, cases == 40002) << cases;
    EXPECT_FALSE(rt::windowExists(997)) << cases;
    EXPECT_EQ(LastFit.n, cases);
  }
}

// Box 99 switches the cross-channel selection on (the fit takes the selected cases, the notice
// shows) and off again (every block case, the notice gone), keeping the channels.
TEST_F(FitWindows, TheCrossChannelBoxSwitchesTheSelectionOnAndOff) {
  // Channel 1 at least 2: cases 2..5 of the block.
  script({"click 1", "type 201 2", "click 118", "click 120"});
  SelectSubset();
  ASSERT_EQ(UseCrossChanIndex, 0);
  const std::string notice = dir + "/notice.png";
  script({"click 1", "click 5", "click 155", "click 1", "click 6", "click 99", "shot 90 " + notice, "click 15"});
  REGRESSION();
  EXPECT_EQ(UseCrossChanIndex, 1);
  EXPECT_EQ(LastFit.n, 4);
  EXPECT_EQ(rt::buttonStateIn(4, 99), 2);
  EXPECT_TRUE(std::ifstream(notice).good()) << "the notice of the selection in use";
  EXPECT_EQ(RegressionXChannel, 1);
  EXPECT_EQ(RegressionYChannel, 2);

  script({"click 1", "click 5", "click 155", "click 1", "click 6", "click 99", "click 15"});
  REGRESSION();
  EXPECT_EQ(UseCrossChanIndex, 0);
  EXPECT_EQ(LastFit.n, 5);
  EXPECT_EQ(rt::buttonStateIn(4, 99), 1);
  EXPECT_NEAR(ValueOfB, 0.6, 1e-6);
}

}  // namespace

// The slope and regression panels show the digits setting whatever window set the printing
// digits last, and the typed slope's probability ends before the Test button.
TEST_F(FitWindows, PanelsFollowTheDigitsSettingAndTheTypedSlopeResultClearsTheTestButton) {
  rt::openWindow(4, "fit", {0, 0, 322, 240}, rt::kDocumentWindowClass, 0);
  rt::setOutputWindow(4);
  rt::FBButton(154, 1, "Test", {262, 186, 318, 204}, 1);
  const int16_t savedDigits = SignificantFigures;
  for (int16_t digits : {int16_t(9), int16_t(4)}) {
    SignificantFigures = digits;
    rt::gFBFloatMaxDigits = 5;  // as another window left it
    ValueOfA = 1.0f / 3.0f;
    ValueOfB = 2.0f / 3.0f;
    rsquared = 0.5f;
    REGRESSIONSTATS(5);
    EXPECT_EQ(field(kFieldB), reportNumber(ValueOfB, digits)) << digits;
    rt::setOutputWindow(4);
    ASSERT_TRUE(rt::controlExists(kTypedSlopeResult));
    EXPECT_LE(rt::controlRect(kTypedSlopeResult).right, rt::controlRect(154).left) << digits;
  }
  SignificantFigures = savedDigits;
  rt::gFBFloatMaxDigits = 5;
  rt::closeWindow(4);
}
