// The descriptive-statistics window driven by scripted input: channel keys, limits clicked in
// the block window, the value window, the report keys and routes, no valid cases, the
// automatic repeat and the script step.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/event_state.h"
#include "output/commands.h"
#include "output/output.h"
#include "plot/plot.h"
#include "runtime/files.h"
#include "runtime/numtext.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "core/script_state.h"
#include "stats/commands.h"
#include "stats/stats_block.h"
#include "stats_window_fixture.h"

using namespace qv;

namespace {

struct AverageWindowTest : statstest::WindowTest {
  void SetUp() override {
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    // Channel 1 counts the cases, channel 2 is 2k + 1, channel 3 repeats 0..6.
    statstest::recordingWithBlock(1000,
                                  {[](int32_t k) { return float(k); }, [](int32_t k) { return float(2 * k + 1); },
                                   [](int32_t k) { return float(k % 7); }},
                                  100, 199);
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  void TearDown() override {
    rt::setSoundObserver(nullptr);
    closeRouteAndFiles();
    RecordSCRIPT = 0;
    ScriptCOUNT = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  // Closes the route and returns what was written after the file's header.
  std::string closedReports(const std::string& path) {
    SendTextToPrinter();
    const std::string text = readText(path);
    const std::string rule = repeatedEquals();
    const size_t at = text.find(rule);
    return at == std::string::npos ? text : text.substr(at + rule.size() + 1);
  }
  static std::string repeatedEquals() {
    std::string s;
    for (int i = 0; i < 70; ++i) s += " = ";
    return s;
  }
};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

TEST_F(AverageWindowTest, AChannelKeyALimitAndTheReportKey) {
  const std::string path = openTextRoute();
  // "2" switches to channel 2; a left limit half-way along the block window; "P"; close box.
  script(std::vector<std::string>{"key 50", "click 120"} + statstest::blockClick(303) +
         std::vector<std::string>{"key 80", "dialog 4 4"});
  AVERAGE();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(4));
  EXPECT_EQ(AnalysisCode, 12);
  EXPECT_EQ(ch, 2);
  // The range narrowed inside the block; the block itself is as it was.
  EXPECT_EQ(BeginBlock.inUse(), 100);
  EXPECT_EQ(EndBlock.inUse(), 199);
  EXPECT_EQ(BeginAverage, 150);
  EXPECT_EQ(EndAverage, 199);
  EXPECT_EQ(nrPoints, 50);
  EXPECT_DOUBLE_EQ(meanValue, 2 * 174.5 + 1);

  EXPECT_EQ(Nresults, 1);
  EXPECT_EQ(rt::editTextIn(1000, 18), " 1 saved; last = ch. 2, 101 - 200");
  const std::string report = closedReports(path);
  // The cases line of the block is left open, and the range analysed continues it.
  EXPECT_EQ(report.rfind("  BASIC STATS, CHANNEL 2:  chan 2\n    Cases101 to200 (total100): ", 0), 0u) << report;
  EXPECT_NE(report.find(" sec" "begin at:150    end at:199   N = 50\n"), std::string::npos) << report;
  EXPECT_NE(report.find("     Mean =  350     N = 50\n"), std::string::npos) << report;
  EXPECT_EQ(report.find('\r'), std::string::npos);
}

TEST_F(AverageWindowTest, TheReportsIntegratedTotalIsTheWindowsForEveryUnit) {
  const std::string path = openTextRoute();
  // Cases 100..199 of channel 1 sum to 14950; a case lasts 2 s.
  const struct {
    int unit;
    double total;
  } units[] = {{65, 29900}, {66, 29900 / 60.0}, {67, 29900 / 3600.0}, {228, 29900 / 86400.0}, {68, 14950}};
  std::vector<std::string> shown;
  for (const auto& u : units) {
    // A click in the plot window leaves the analysis with its results window standing.
    script({"click " + std::to_string(u.unit), "key 80", "dialog 3 1000"});
    AVERAGE();
    shown.push_back(rt::editTextIn(4, kIntegratedTotalField));
    EXPECT_EQ(shown.back(), rt::PSstr(u.total)) << u.unit;
  }
  const std::string reports = closedReports(path);
  std::vector<std::string> reported;
  const std::string label = "integrated total = ";
  for (size_t at = reports.find(label); at != std::string::npos; at = reports.find(label, at + 1)) {
    const size_t from = at + label.size();
    reported.push_back(reports.substr(from, reports.find('\n', from) - from));
  }
  EXPECT_EQ(reported, shown);
}

TEST_F(AverageWindowTest, WithNoRouteTheReportKeyShowsTheAlertThatWaitsForThePress) {
  prefsArray[7] = 25;
  bool alertShown = false;
  rt::setSoundObserver([&](const std::string& s) {
    if (s == "brrrp.mp3" && rt::windowExists(1166)) alertShown = true;
  });
  script({"key 80", "mouse down 20 20", "mouse up 20 20", "dialog 4 4"});
  AVERAGE();
  EXPECT_TRUE(alertShown);
  EXPECT_FALSE(rt::windowExists(1166));
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(Nresults, 0);

  // Without a press the alert keeps waiting: scripted input that never presses ends the run.
  rt::setSoundObserver(nullptr);
  script({"key 112", "dialog 4 4"});
  EXPECT_EQ(qvtest::exitStatusOf([] { AVERAGE(); }), 3);
}

TEST_F(AverageWindowTest, TheLabelStripFollowsThePointerWithoutAClick) {
  // The pointer comes over channel button 3 and nothing else happens: scripted input runs out
  // while the window waits, and the strip already shows that channel.
  script({"dialog 21 3"});
  EXPECT_EQ(qvtest::exitStatusOf([] { AVERAGE(); }), 3);
  EXPECT_TRUE(rt::windowVisible(966));
  EXPECT_EQ(rt::editTextIn(966, 1).rfind("Channel 3:   chan 3", 0), 0u) << rt::editTextIn(966, 1);
  // It leaves the button: the strip goes.
  script({"dialog 21 2", "dialog 29 2"});
  EXPECT_EQ(qvtest::exitStatusOf([] { AVERAGE(); }), 3);
  EXPECT_FALSE(rt::windowVisible(966));
}

TEST_F(AverageWindowTest, NoValidCasesReportsNothingAndKeepsTheAnalysis) {
  // Every case of the block lies in an interpolated span, and interpolated data are left out.
  MarkersArray[0][1][1] = 50, MarkersArray[0][1][2] = 200;
  MarkersArray[0][2][1] = 500, MarkersArray[0][2][2] = 199;
  FileSHORTS[0][5] = 2;
  AvoidInterpolation = 1;
  const std::string path = openTextRoute();
  script({"key 80", "click 232", "click 332", "click 3", "click 5", "dialog 3 1000"});
  AVERAGE();
  EXPECT_EQ(rt::editTextIn(4, kMeanField), "no valid cases");
  EXPECT_EQ(nrPoints, 0);
  EXPECT_EQ(AnalysisCode, 12);
  EXPECT_EQ(Nresults, 0);
  DRAFTPRINT(" ");  // Output Results
  EXPECT_EQ(closedReports(path), "");

  // The automatic repeat still runs the statistics on the next block.
  AvoidInterpolation = 0;
  script({"dialog 4 4"});
  AUTO_REPEAT();
  EXPECT_EQ(nrPoints, 100);
}

TEST_F(AverageWindowTest, ValueWindowLimitsAreInclusiveAndBadTextIsRefused) {
  // Upper limit 149 typed: cases 100..149, the limit itself included.
  script({"click 131", "type 221 149", "click 130", "dialog 3 1000"});
  AVERAGE();
  EXPECT_EQ(nrPoints, 50);
  EXPECT_DOUBLE_EQ(meanValue, 124.5);
  EXPECT_FLOAT_EQ(UpperScanLimit, 149.0f);

  // Text that is not a number: a warning, the field's number back, every case counted.
  script({"click 131", "type 221 12,5x", "click 130", "click 1", "dialog 3 1000"});
  AVERAGE();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(rt::editTextIn(4, 221), rt::PSstr(199));
  EXPECT_EQ(nrPoints, 100);

  // Fewer than 3 values inside: both limits go off.
  script({"click 132", "type 222 198.5", "click 130", "dialog 3 1000"});
  AVERAGE();
  EXPECT_EQ(nrPoints, 1);
  EXPECT_EQ(prefsArray[69], 0);
  EXPECT_EQ(rt::buttonStateIn(4, 132), 1);
}

TEST_F(AverageWindowTest, ChannelKeysBeyondTheFilesChannelsDoNothing) {
  script({"key 57", "key 51", "dialog 3 1000"});  // "9" (no such channel), then "3"
  AVERAGE();
  EXPECT_EQ(ch, 3);
  EXPECT_EQ(chanB, ActiveChannel) << "the block window shows the plot's channel again";
}

TEST_F(AverageWindowTest, RecordsItsScriptStep) {
  RecordSCRIPT = 1;
  ScriptCOUNT = 3;
  ScriptSequenceArray[4][2] = 77;  // left over from an earlier recording
  script({"dialog 4 4"});
  AVERAGE();
  EXPECT_EQ(ScriptCOUNT, 4);
  EXPECT_EQ(ScriptSequenceArray[4][1], 12.0f);
  EXPECT_EQ(ScriptSequenceArray[4][2], 0.0f);
  ScriptCOUNT = 41;
  script({"dialog 4 4"});
  AVERAGE();
  EXPECT_EQ(ScriptCOUNT, 41);
}

TEST_F(AverageWindowTest, AutomaticRepeatRunsOnlyTheCodesItKnows) {
  AnalysisCode = 18;
  AUTO_REPEAT();  // nothing runs, nothing waits
  EXPECT_FALSE(rt::windowExists(4));
  AnalysisCode = 12;
  script({"dialog 4 4"});
  AUTO_REPEAT();
  EXPECT_EQ(nrPoints, 100);
}
