// Simple Regression: the fits and predictions, and the window with its plot and saved file.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "calculator_fixture.h"
#include "calculators/commands.h"
#include "calculators/regression.h"
#include "calculators/regression_session.h"
#include "core/prefs.h"
#include "runtime/files.h"
#include "runtime/scripted.h"

using namespace qv;

namespace {

using Points = std::vector<RegressionPoint>;

}  // namespace

TEST(RegressionFits, CoefficientsRSquaredAndPredictions) {
  const struct {
    const char* name;
    Points points;
    RegressionModel model;
    double a, b, c, r2;
  } cases[] = {
      {"line", {{1, 2}, {2, 4}, {3, 6}}, RegressionModel::Line, 0, 2, 0, 1},
      {"parabola", {{-1, 1}, {0, 0}, {1, 1}, {2, 4}}, RegressionModel::Quadratic, 0, 0, 1, 1},
      // A measured zero is a point like any other.
      {"calibration", {{0, 0}, {1, 2.1}, {2, 3.9}, {3, 6.2}}, RegressionModel::Line, -0.01, 2.04, 0, 0.9979856},
      {"far from 0", {{1000, 1e6}, {1001, 1002001}, {1002, 1004004}, {1003, 1006009}}, RegressionModel::Quadratic,
       0, 0, 1, 1},
  };
  for (const auto& c : cases) {
    const RegressionFit f = fitRegression(c.points, c.model);
    ASSERT_TRUE(f.fitted) << c.name;
    EXPECT_NEAR(f.a, c.a, 1e-6 * std::max(1.0, std::fabs(c.points[0].y))) << c.name;
    EXPECT_NEAR(f.b, c.b, 1e-6) << c.name;
    EXPECT_NEAR(f.c, c.c, 1e-9) << c.name;
    EXPECT_NEAR(f.rSquared, c.r2, 1e-6) << c.name;
  }
  const RegressionFit line = fitRegressionLine(Points{{1, 2}, {2, 4}, {3, 6}});
  EXPECT_DOUBLE_EQ(predictX(line, 10), 5);
  EXPECT_DOUBLE_EQ(predictY(line, 10), 20);
  const RegressionFit parabola = fitRegressionQuadratic(Points{{-1, 1}, {0, 0}, {1, 1}, {2, 4}});
  EXPECT_NEAR(predictX(parabola, 4), 2, 1e-9);  // the rising root, not -2
  EXPECT_TRUE(std::isnan(predictX(parabola, -1)));
  EXPECT_NEAR(predictY(parabola, 3), 9, 1e-9);
}

TEST(RegressionFits, WhatCannotBeComputedSaysSo) {
  EXPECT_FALSE(fitRegressionLine(Points{{2, 1}, {2, 2}, {2, 3}}).fitted);
  EXPECT_FALSE(fitRegressionQuadratic(Points{{1, 1}, {1, 2}, {2, 3}}).fitted);
  EXPECT_TRUE(std::isnan(predictX(fitRegressionLine(Points{{2, 1}, {2, 2}, {2, 3}}), 1)));
  const RegressionFit flat = fitRegressionLine(Points{{1, 5}, {2, 5}, {3, 5}});
  ASSERT_TRUE(flat.fitted);
  EXPECT_EQ(flat.b, 0);
  EXPECT_TRUE(std::isnan(flat.rSquared));
  EXPECT_TRUE(std::isnan(predictX(flat, 6)));  // no X gives another Y
  EXPECT_EQ(fitRegressionQuadratic(Points{{1, 5}, {2, 5}, {3, 5}}).rSquared, 1);
}

namespace {

class RegressionWindow : public calctest::CalculatorWindowTest {
 protected:
  std::vector<std::map<int, std::string>> clicks;  // the fields as each click found them
  std::string dir;

  void SetUp() override {
    CalculatorWindowTest::SetUp();
    dir = qvtest::tempDir("regression");
    regressionSession() = {};
    rt::setSoundObserver([this](const std::string& name) {
      heard.push_back(name);
      if (name != "click.mp3" || !rt::windowExists(8)) return;
      std::map<int, std::string> f;
      for (int id : {41, 46, 51, 56, 58, 101, 201})
        if (rt::controlExistsIn(8, id)) f[id] = rt::editTextIn(8, id);
      for (int id : {103, 104})
        if (rt::controlExistsIn(2001, id)) f[2000 + id] = rt::editTextIn(2001, id);
      f[-11] = std::to_string(rt::buttonStateIn(8, 11));
      f[-65] = std::to_string(rt::buttonStateIn(8, 65));
      clicks.push_back(f);
    });
  }
  void TearDown() override {
    UseExcelFormat = 0;
    CalculatorWindowTest::TearDown();
  }
  static std::string fileText(const std::string& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
};

}  // namespace

TEST_F(RegressionWindow, LineFitPredictionsAndTheTableKeptForTheRun) {
  // Row 1 a measured zero; rows 2-4 the calibration; row 5 left blank.
  qvtest::script({"type 101 0", "type 201 0", "type 102 1", "type 202 2.1", "type 103 2", "type 203 3.9",
                  "type 104 3", "type 204 6.2", "click 10", "type 46 5", "click 12", "click 12", "type 41 2",
                  "click 11", "click 66"});
  SimpleRegression();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  ASSERT_EQ(clicks.size(), 5u);
  EXPECT_EQ(clicks[0][-11], "0");  // dimmed until a fit
  EXPECT_EQ(clicks[0][-65], "0");
  EXPECT_NEAR(number(clicks[1][51]), -0.01, 1e-5);
  EXPECT_NEAR(number(clicks[1][56]), 2.04, 1e-5);
  EXPECT_EQ(clicks[1][2104].substr(0, 23), "4 points; r-squared = 0");
  EXPECT_NEAR(number(clicks[1][2104].substr(22)), 0.997986, 1e-6);
  EXPECT_EQ(clicks[1][-11], "1");
  EXPECT_EQ(clicks[1][-65], "1");
  EXPECT_NEAR(number(clicks[2][41]), 2.45588, 1e-5);
  EXPECT_NEAR(number(clicks[4][46]), 4.07, 1e-5);
  EXPECT_FALSE(rt::windowExists(8));
  EXPECT_FALSE(rt::windowExists(2001));

  // Reopened: the table is there, typed zeros included; the predictions wait for a fit.
  clicks.clear();
  qvtest::script({"click 66"});
  SimpleRegression();
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0][101], "0");
  EXPECT_EQ(clicks[0][201], "0");
  EXPECT_EQ(clicks[0][-11], "0");
}

TEST_F(RegressionWindow, ParabolaAndWhatHasNoAnswer) {
  qvtest::script({"click 2", "type 101 -1", "type 201 1", "type 102 0", "type 202 0", "type 103 1", "type 203 1",
                  "type 104 2", "type 204 4", "click 10", "type 46 4", "click 12", "type 46 -1", "click 12",
                  "click 66"});
  SimpleRegression();
  ASSERT_EQ(clicks.size(), 5u);
  EXPECT_NEAR(number(clicks[2][51]), 0, 1e-5);
  EXPECT_NEAR(number(clicks[2][56]), 0, 1e-5);
  EXPECT_NEAR(number(clicks[2][58]), 1, 1e-5);
  EXPECT_EQ(clicks[2][2104], "4 points; r-squared = 1");
  EXPECT_NEAR(number(clicks[3][41]), 2, 1e-5);
  EXPECT_EQ(clicks[4][41], "**");

  // One X three times: no parabola, and no prediction offered; the plot still comes up.
  clicks.clear();
  qvtest::script({"type 101 1", "type 201 1", "type 102 1", "type 202 2", "type 103 2", "type 203 3",
                  "type 104 ", "type 204 ", "click 10", "click 66"});  // row 4 emptied
  SimpleRegression();
  ASSERT_EQ(clicks.size(), 2u);
  EXPECT_EQ(clicks[1][58], "**");
  EXPECT_EQ(clicks[1][2103], "Y = **");
  EXPECT_EQ(clicks[1][-11], "0");
  // All X equal as a line.
  clicks.clear();
  qvtest::script({"click 1", "type 101 2", "type 102 2", "type 103 2", "click 10", "click 66"});
  SimpleRegression();
  ASSERT_EQ(clicks.size(), 3u);
  EXPECT_EQ(clicks[2][51], "**");
  EXPECT_EQ(clicks[2][-11], "0");
}

TEST_F(RegressionWindow, TwoPointsDoNothingAndBadTextIsRefused) {
  qvtest::script({"type 101 1", "type 201 1", "type 102 2", "type 202 2", "click 10", "type 103 x", "click 10",
                  "click 1", "click 66"});
  SimpleRegression();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(clicks.back()[-65], "0");
  EXPECT_FALSE(rt::windowExists(2001));
}

TEST_F(RegressionWindow, SaveWritesThePointsOrSaysWhyNot) {
  const std::string csv = dir + "/Regression data.csv", xls = dir + "/Regression data.xls";
  const std::string saveCsv = "save " + csv, saveXls = "save " + xls, saveBad = "save " + dir + "/bad.csv";
  qvtest::script({"type 101 1", "type 201 2", "type 102 2", "type 202 4", "type 103 3", "type 203 6.5",
                  "click 10", "click 65", saveCsv.c_str(), "click 65", "save cancel", "click 66"});
  SimpleRegression();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(fileText(csv), "X value,Y value\n1,2\n2,4\n3,6.5\n");

  UseExcelFormat = 1;
  rt::injectWriteFailures(1);
  qvtest::script({"click 10", "click 65", saveBad.c_str(), "click 1", "click 65", saveXls.c_str(), "click 66"});
  SimpleRegression();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::fileExists(dir + "/bad.csv"));
  EXPECT_EQ(fileText(xls), "X value\tY value\n1\t2\n2\t4\n3\t6.5\n");
}
