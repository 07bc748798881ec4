// The asymptote, polynomial and residuals windows driven by scripted input: what they leave
// in their records and files, their script steps and the new channel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/curve_fit_state.h"
#include "core/filetable.h"
#include "core/fit_state.h"
#include "core/script_state.h"
#include "fitting/commands.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "../stats/stats_window_fixture.h"

using namespace qv;

namespace {

struct CurveWindows : ::testing::Test {
  std::string dir;
  void SetUp() override {
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    // 1: an approach to 10; 2: X = k / 10; 3: 1 + 2X + 3X²; the block is cases 1..100.
    statstest::recordingWithBlock(120,
                                  {[](int32_t k) { return float(10 - 8 * std::exp(-0.05 * k)); },
                                   [](int32_t k) { return float(k / 10.0); },
                                   [](int32_t k) {
                                     const double x = float(k / 10.0);
                                     return float(1 + 2 * x + 3 * x * x);
                                   }},
                                  1, 100);
    FileInfoFLOATS[0][1] = 1;
    ActiveChannel = 1;
    RecordSCRIPT = RunScript = 0;
    ScriptCOUNT = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  void TearDown() override {
    RecordSCRIPT = RunScript = 0, ScriptCOUNT = 0;
    std::memset(ScriptSequenceArray, 0, sizeof ScriptSequenceArray);
  }
  static void script(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) ASSERT_TRUE(rt::script::pushLine(l)) << l;
  }
};

TEST_F(CurveWindows, AsymptoteStepRecordsAndReplaysTheChangeChosen) {
  RecordSCRIPT = 1;
  ScriptCOUNT = 10;
  script({"popup 50 9", "click 2"});
  ASYMPTOTE();
  ASSERT_TRUE(LastAsymptote.found()) << LastAsymptote.refused;
  EXPECT_NEAR(LastAsymptote.A, 10.0, 1e-4);
  EXPECT_FALSE(rt::windowExists(250));
  ASSERT_EQ(ScriptCOUNT, 11);
  const float* w = ScriptSequenceArray[11];
  EXPECT_EQ(w[1], 38.0f);
  EXPECT_EQ(w[2], 12.0f);
  EXPECT_EQ(w[3], 1.0f);
  EXPECT_NEAR(w[4], std::log(0.1), 1e-6);
  EXPECT_EQ(w[5], 9.0f);

  // Replayed, the step's 90 % stands, and a step written without word 5 finds it by word 4.
  RecordSCRIPT = 0;
  RunScript = 1;
  SlopeID = 6;
  ScriptSequenceArray[11][5] = 0.0f;
  script({"key 13"});
  ASYMPTOTE();
  EXPECT_EQ(SlopeID, 9);
  EXPECT_NEAR(AsymptoteLnRemaining, std::log(0.1), 1e-6);
}

TEST_F(CurveWindows, PolynomialNewChannelIsTheFitShown) {
  script({"click 2", "click 6", "click 155", "click 3", "click 4", "click 1"});
  FITPOLYNOMIAL();
  ASSERT_TRUE(LastPolynomial.fitted()) << LastPolynomial.refused;
  EXPECT_NEAR(LastPolynomial.r2, 1.0, 1e-9);
  ASSERT_EQ(nChannels[0], 4);
  EXPECT_EQ(RetrieveLabelOf(0, 4).substr(0, 24), "ch 3 as polynomial of ch");
  for (int32_t k : {1, 50, 120}) EXPECT_NEAR(GetDatum(0, 4, k), GetDatum(0, 3, k), 1e-3 * GetDatum(0, 3, k));
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
}

TEST_F(CurveWindows, OneChannelSaysSoAndConstantXRefuses) {
  // A constant X: the fit is refused, nothing non-finite is stored, no channel is made.
  for (int32_t k = 1; k <= 120; ++k) PutDatum(0, 2, k, 4.0f);
  script({"click 2", "click 6", "click 155", "click 3", "click 1"});
  FITPOLYNOMIAL();
  EXPECT_FALSE(LastPolynomial.fitted());
  EXPECT_EQ(nChannels[0], 3);
}

TEST_F(CurveWindows, ResidualsOfTheSlopeSavedAsText) {
  const std::string path = dir + "/residuals.csv";
  ActiveChannel = 3;
  script({"click 11", "click 119", "click 1", "save " + path, "click 2", "dialog 4 4"});
  TIMESLOPE();
  std::ifstream in(path);
  ASSERT_TRUE(in) << path;
  std::string header;
  std::getline(in, header);
  EXPECT_EQ(header, "time,Y value,predicted,residual");
  int rows = 0;
  double sum = 0.0;
  for (std::string line; std::getline(in, line); ++rows) {
    std::stringstream s(line);
    std::string t, y, p, r;
    std::getline(s, t, ',');
    std::getline(s, y, ',');
    std::getline(s, p, ',');
    std::getline(s, r, ',');
    EXPECT_NEAR(std::stod(r), std::stod(y) - std::stod(p), 1e-3 * std::fabs(std::stod(y)));
    sum += std::stod(r);
  }
  EXPECT_EQ(rows, 100);
  EXPECT_NEAR(sum, 0.0, 0.05);
}

}  // namespace
