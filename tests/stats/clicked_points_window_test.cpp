// The running average and the pair differences driven by scripted clicks on the plot: the
// statistics shown and reported, Delete, the limits of the arrays and of the file, paging,
// and the views given back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "output/commands.h"
#include "output/output.h"
#include "plot/plot.h"
#include "runtime/numtext.h"
#include "runtime/scripted.h"
#include "core/clicked_points_state.h"
#include "stats/commands.h"
#include "stats/stats_block.h"
#include "stats_window_fixture.h"

using namespace qv;

namespace {

struct ClickedPointsTest : statstest::WindowTest {
  void SetUp() override {
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    // Channel 1 counts the cases; the plot is 1200 pixels wide, one case a pixel.
    statstest::recordingWithBlock(1000, {[](int32_t k) { return float(k); }}, 100, 199);
  }
  void TearDown() override { closeRouteAndFiles(); }
  static std::vector<std::string> clicks(std::initializer_list<int> xs) {
    std::vector<std::string> lines;
    for (int x : xs) {
      const std::string at = " " + std::to_string(x) + " 200 1000";
      lines.push_back("mouse down" + at);
      lines.push_back("mouse up" + at);
    }
    return lines;
  }
  static std::string closedText(const std::string& path) {
    SendTextToPrinter();
    return readText(path);
  }
};

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(ClickedPointsTest, RunningAverageOfThreeClicksAndItsReport) {
  const std::string path = openTextRoute();
  // "P" before any click writes nothing; a click past the last case is ignored.
  script(std::vector<std::string>{"key 80"} + clicks({1, 2, 1100, 6}) + std::vector<std::string>{"key 80", "key 13"});
  RUNAVERAGE();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(nrPoints, 3);
  EXPECT_DOUBLE_EQ(meanValue, 3.0);
  EXPECT_NEAR(StandardDeviation, 2.160247, 1e-6);
  EXPECT_EQ(Nresults, 1);
  EXPECT_EQ(AnalysisCode, 0);
  const std::string text = closedText(path);
  EXPECT_NE(text.find("RUNNING AVERAGE"), std::string::npos) << text;
  EXPECT_NE(text.find("Mean =  3     N = 3"), std::string::npos) << text;
  EXPECT_NE(text.find("integrated total =  9"), std::string::npos) << text;
}

TEST_F(ClickedPointsTest, TwoClicksShowNoSpreadAndDeleteTakesBackOneAtATime) {
  // Three clicks, Delete, Delete (one rejection): two values, no S.D. shown.
  script(clicks({1, 2, 6}) + std::vector<std::string>{"key 8", "key 8"});
  script({"dialog 21 4"});  // nothing more: the run ends on the exhausted input
  EXPECT_EQ(qvtest::exitStatusOf([] { RUNAVERAGE(); }), 3);
  EXPECT_EQ(nrPoints, 2);
  EXPECT_DOUBLE_EQ(meanValue, 1.5);
  EXPECT_EQ(rt::editTextIn(4, kSDField), "");
  EXPECT_EQ(rt::editTextIn(4, 8), rt::PSstr(3.0f));  // the total
}

TEST_F(ClickedPointsTest, TheTwoHundredAndFirstClickIsRefused) {
  std::vector<std::string> lines;
  for (int i = 1; i <= 201; ++i) lines = lines + clicks({i});
  script(lines + std::vector<std::string>{"key 13"});
  RUNAVERAGE();
  EXPECT_EQ(nrPoints, 200);
  EXPECT_DOUBLE_EQ(meanValue, 100.5);
}

TEST_F(ClickedPointsTest, PairsDifferencesTimesAndTheirReport) {
  const std::string path = openTextRoute();
  // (100, 150); a reversed pair (400, 300); 850 waits and is cancelled by Delete; (700, 720).
  script(clicks({100, 150, 400, 300, 850}) + std::vector<std::string>{"key 8"} + clicks({700, 700, 720}) +
         std::vector<std::string>{"key 80", "key 13"});
  PairsDIFFERENCE();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(nrPoints, 3);
  EXPECT_NEAR(meanValue, (50 + 100 + 20) / 3.0, 1e-9);
  // Cases 2 s apart.
  EXPECT_NEAR(LastPairTimes.mean, 2 * (50 + 100 + 20) / 3.0, 1e-3);
  EXPECT_FALSE(rt::windowExists(6));
  const std::string text = closedText(path);
  EXPECT_NE(text.find("AVERAGE PAIR DIFFERENCES"), std::string::npos) << text;
  EXPECT_NE(text.find("MEAN ELAPSED TIME =  113.33"), std::string::npos) << text;
}

TEST_F(ClickedPointsTest, TheSameXOnTheNextPageIsAnotherCase) {
  // 3000 cases over pages of 1200: x 100 is case 100 on page 1 and case 1300 on page 2.
  statstest::recordingWithBlock(3000, {[](int32_t k) { return float(k); }}, 100, 199);
  FileSHORTS[0][13] = 3;
  script(clicks({100}) + std::vector<std::string>{"key 29"} + clicks({100}) + std::vector<std::string>{"key 13"});
  PairsDIFFERENCE();
  EXPECT_EQ(nrPoints, 1);
  EXPECT_DOUBLE_EQ(meanValue, 1200.0);
  EXPECT_FLOAT_EQ(LastPairTimes.mean, 2400.0f);
  EXPECT_EQ(FileSHORTS[0][1], 2);
}

TEST_F(ClickedPointsTest, ViewsAreGivenBack) {
  FileSHORTS[0][4] = 1;  // the whole-file view
  script(clicks({5}) + std::vector<std::string>{"key 13"});
  RUNAVERAGE();
  EXPECT_EQ(FileSHORTS[0][4], 1);
  EXPECT_EQ(FileSHORTS[0][7], 0);
  EXPECT_EQ(nrPoints, 1);
  EXPECT_DOUBLE_EQ(meanValue, 5.0);  // the tool ran on the paged view
}

}  // namespace
