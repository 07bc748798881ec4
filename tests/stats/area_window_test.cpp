// "Integrate Over Time" driven by scripted input: baselines and units in field 112, the
// scaling, the accumulator, limits and the report on both routes, refusals, the cumulative
// plot and the script step.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/script_state.h"
#include "output/commands.h"
#include "output/output.h"
#include "runtime/numtext.h"
#include "runtime/scripted.h"
#include "output/area_integral.h"
#include "stats/area_window.h"
#include "stats/block_limits.h"
#include "stats/commands.h"
#include "output/subset.h"
#include "stats_window_fixture.h"

using namespace qv;

namespace {

struct AreaWindowTest : statstest::WindowTest {
  void SetUp() override {
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    // Channel 1 counts the cases; the block is cases 1..4 (values 1, 2, 3, 4).
    statstest::recordingWithBlock(1000, {[](int32_t k) { return float(k); }, [](int32_t k) { return float(k % 5); }},
                                  1, 4);
    IntegrationMode = 54;
    IntegrationUnit = kUnitMinutes;
  }
  void TearDown() override {
    closeRouteAndFiles();
    RecordSCRIPT = 0;
    ScriptCOUNT = 0;
    prefsArray[24] = 0;
  }
  // One run of the window: the clicks, then a click in the plot window that leaves it.
  static std::string integralAfter(const std::vector<std::string>& clicks) {
    std::vector<std::string> lines;
    for (const std::string& c : clicks) lines.push_back("click " + c);
    lines.push_back("dialog 3 1000");
    script(lines);
    GETAREA();
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    return rt::editTextIn(4, 112);
  }
};

TEST_F(AreaWindowTest, BaselinesAndUnitsInTheWindow) {
  FileInfoFLOATS[0][1] = 0.5f;
  struct Case {
    std::vector<std::string> clicks;
    double integral;
  } cases[] = {
      {{"154", "225"}, 10},        {{"65"}, 5},         {{"66"}, 0.0833333}, {{"67"}, 0.00138889},
      {{"228"}, 5.787037e-05},     {{"118", "65"}, 3},  {{"119"}, -3},       {{"120"}, 0},
      {{"121"}, 5},  // the typed baseline starts at 0; "type" below makes it 2
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.clicks.front());
    EXPECT_EQ(integralAfter(c.clicks), rt::PSstr(float(c.integral)));
  }
  script({"type 111 2", "click 121", "dialog 3 1000"});
  GETAREA();
  EXPECT_EQ(rt::editTextIn(4, 112), rt::PSstr(1.0f));
  EXPECT_EQ(IntegrationMode, 121);
  EXPECT_EQ(IntegrationUnit, kUnitSeconds);
  EXPECT_EQ(nrPoints, 4);
  EXPECT_EQ(AnalysisCode, kCodeAreaIntegration);

  // "None" of the other windows (68) integrates no time either.
  IntegrationUnit = kUnitNone;
  EXPECT_EQ(integralAfter({"154"}), rt::PSstr(10.0f));
  EXPECT_EQ(rt::buttonStateIn(4, kUnitNoneArea), 2);
}

TEST_F(AreaWindowTest, ScaledIntegralIsTheSameInTheFieldAndTheReport) {
  FileInfoFLOATS[0][1] = 1.0f;
  scalingFactorArray[1][1] = 1.0f;
  scalingFactorArray[1][2] = 2.0f;
  scalingFactorArray[1][3] = 10.0f;
  Rscale = 1;
  const std::string path = openTextRoute();
  struct Case {
    const char* mode;
    double shown;
  } cases[] = {{"154", 60}, {"118", 12}, {"119", -12}, {"120", 0}, {"121", 4}};
  std::vector<std::string> fields;
  for (const Case& c : cases) {
    script({"click 65", "type 111 2", std::string("click ") + c.mode, "key 80", "dialog 3 1000"});
    GETAREA();
    fields.push_back(rt::editTextIn(4, 112));
    EXPECT_EQ(fields.back(), rt::PSstr(float(c.shown))) << c.mode;
  }
  SendTextToPrinter();
  const std::string text = readText(path);
  std::vector<std::string> reported;
  const std::string label = "integrated total is: ";
  for (size_t at = text.find(label); at != std::string::npos; at = text.find(label, at + 1)) {
    const size_t from = at + label.size();
    reported.push_back(text.substr(from, text.find('\n', from) - from));
  }
  EXPECT_EQ(reported, fields) << text;
  EXPECT_NE(text.find("Baseline is user-set at 2\n"), std::string::npos) << text;
}

TEST_F(AreaWindowTest, AccumulatorAndRefusedText) {
  FileInfoFLOATS[0][1] = 1.0f;
  // +, +, -: the integral; Clear: 0.
  script({"click 65", "click 154", "click 141", "click 141", "click 142", "dialog 3 1000"});
  GETAREA();
  EXPECT_EQ(rt::editTextIn(4, 113), rt::PSstr(10.0f));
  script({"click 141", "click 140", "dialog 3 1000"});
  GETAREA();
  EXPECT_EQ(rt::editTextIn(4, 113), "0");

  // A typed baseline that is not a number is refused: the last number stays, and is reported.
  script({"type 111 2", "click 121", "type 111 two", "click 121", "click 1", "dialog 3 1000"});
  GETAREA();
  EXPECT_EQ(rt::editTextIn(4, 111), "2");
  EXPECT_EQ(rt::editTextIn(4, 112), rt::PSstr(2.0f));  // 10 - 4 x 2
  EXPECT_EQ(LastAreaReport.userBaseline, "2");
}

TEST_F(AreaWindowTest, BadIntervalAndEmptyRangeGiveNoResult) {
  const std::string path = openTextRoute();
  FileInfoFLOATS[0][1] = 0.0f;
  // The message (its OK button) once a run; no report.
  script({"click 1", "click 65", "key 80", "dialog 3 1000"});
  GETAREA();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(rt::editTextIn(4, 112), "**");
  EXPECT_EQ(Nresults, 0);
  // "None" needs no interval.
  script({"click 1", "click 225", "dialog 3 1000"});
  GETAREA();
  EXPECT_EQ(rt::editTextIn(4, 112), rt::PSstr(10.0f));

  // A left limit past the right one: no valid cases, no report, no curve (and no NaN).
  const float p = limitPixelsPerCase(RightLim, 1, 4);
  std::vector<std::string> lines{"click 124"};
  for (const std::string& l : statstest::blockClick(int(std::lround(2 * p)))) lines.push_back(l);
  lines.push_back("click 123");
  for (const std::string& l : statstest::blockClick(int(std::lround(1 * p)))) lines.push_back(l);
  lines.insert(lines.end(), {"click 122", "key 80", "dialog 3 1000"});
  script(lines);
  GETAREA();
  EXPECT_EQ(BeginAverage, 3);
  EXPECT_EQ(EndAverage, 2);
  EXPECT_EQ(rt::editTextIn(4, 112), "no valid cases");
  EXPECT_EQ(nrPoints, 0);
  EXPECT_EQ(Nresults, 0);
  SendTextToPrinter();
  EXPECT_EQ(readText(path).find("INTEGRATION"), std::string::npos);
}

TEST_F(AreaWindowTest, LimitsSetTheRangeAndTheSpreadsheetTimes) {
  // Block 300..600 at 1 s from 10:00:00; limits at offsets 50 and 250.
  BeginBlock.inUse() = 300;
  EndBlock.inUse() = 600;
  FileInfoFLOATS[0][1] = 1.0f;
  DrawBLOCK();
  const std::string path = dir + "/results.csv";
  script({"click 1", "click 20", "save " + path});
  PortForResultsOutput = kRouteSpreadsheet;
  ASSERT_EQ(OPEN_OUTPUT_PORT(), 1);
  const float p = limitPixelsPerCase(RightLim, 300, 600);
  std::vector<std::string> lines{"click 124"};
  for (const std::string& l : statstest::blockClick(int(std::lround(50 * p)))) lines.push_back(l);
  lines.push_back("click 123");
  for (const std::string& l : statstest::blockClick(int(std::lround(250 * p)))) lines.push_back(l);
  lines.insert(lines.end(), {"key 80", "dialog 3 1000"});
  script(lines);
  GETAREA();
  EXPECT_EQ(BeginAverage, 350);
  EXPECT_EQ(EndAverage, 550);
  EXPECT_EQ(nrPoints, 201);
  SendTextToPrinter();
  const std::string text = readText(path);
  EXPECT_NE(text.find("10:05:50"), std::string::npos) << text;
  EXPECT_NE(text.find("10:09:10"), std::string::npos) << text;
}

TEST_F(AreaWindowTest, RightLimitAtTheBlocksFirstCaseIsARangeOfOneCase) {
  FileInfoFLOATS[0][1] = 1.0f;
  std::vector<std::string> lines{"click 225", "click 154", "click 123"};
  for (const std::string& l : statstest::blockClick(1)) lines.push_back(l);
  lines.push_back("dialog 3 1000");
  script(lines);
  GETAREA();
  EXPECT_EQ(EndAverage, 1);
  EXPECT_EQ(nrPoints, 1);
  EXPECT_EQ(rt::editTextIn(4, 112), rt::PSstr(1.0f));
}

TEST_F(AreaWindowTest, CumulativePlotWritesChannelZeroAndFits) {
  FileInfoFLOATS[0][1] = 1.0f;
  prefsArray[24] = 1;
  script({"click 225", "click 120", "dialog 3 1000"});
  GETAREA();
  // Values 1..4 against their own line: every partial sum is 0 (a flat curve).
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(GetDatum(0, 0, k), 0.0f) << k;
  // The plot was closed on leaving; on again, it stands while the window runs.
  script({"click 122", "click 122", "dialog 3 1000"});
  GETAREA();
  EXPECT_TRUE(prefsArray[24]);
  script({"click 154"});
  EXPECT_EQ(qvtest::exitStatusOf([] { GETAREA(); }), 3);
  ASSERT_TRUE(rt::windowExists(kCumulativeIntegralWindow));
  EXPECT_EQ(rt::windowTitle(kCumulativeIntegralWindow), "Integration of Channel1: chan 1");
  EXPECT_EQ(GetDatum(0, 0, 4), 10.0f);
  const rt::Rect r = rt::windowContentRect(kCumulativeIntegralWindow);
  EXPECT_LE(r.bottom, 900);
  EXPECT_LE(r.right, 1440);
}

TEST_F(AreaWindowTest, RecordsStep28AndNeedsABlock) {
  RecordSCRIPT = 1;
  ScriptCOUNT = 3;
  script({"dialog 4 4"});
  GETAREA();
  EXPECT_EQ(ScriptCOUNT, 4);
  EXPECT_EQ(ScriptSequenceArray[4][1], 28.0f);
  ScriptCOUNT = 40;
  script({"dialog 4 4"});
  GETAREA();
  EXPECT_EQ(ScriptCOUNT, 40);  // never a 41st step
  RecordSCRIPT = 0;

  FileSHORTS[0][2] = 0;
  rt::closeWindow(4);
  GETAREA();  // no block: nothing opens
  EXPECT_FALSE(rt::windowExists(4));
}

}  // namespace
