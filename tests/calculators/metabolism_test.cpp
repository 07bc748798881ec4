// Metabolic allometry and minimum flow rates: the equations, units and flows, and the window.
#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "calculator_fixture.h"
#include "calculators/allometry.h"
#include "calculators/commands.h"
#include "calculators/metabolism_session.h"
#include "core/prefs.h"
#include "core/stats_state.h"
#include "runtime/scripted.h"

using namespace qv;

TEST(Allometry, EquationsUnitsAndFlows) {
  const auto unicellular = allometryEquation(kMainTaxonPopup, 1);
  ASSERT_TRUE(unicellular);
  EXPECT_EQ(unicellular->b, ".751");
  EXPECT_EQ(allometryEquation(57, 12)->b, ".70");
  EXPECT_FLOAT_EQ(allometryEquation(56, 10)->realT, 40.1f);
  EXPECT_FLOAT_EQ(allometryEquation(52, 4)->q10, 2.97f);
  EXPECT_FALSE(allometryEquation(kMainTaxonPopup, 2));
  EXPECT_FALSE(allometryEquation(53, 9));
  EXPECT_EQ(mainTaxonMenuItem(53), 9);
  EXPECT_EQ(mainTaxonMenuItem(56), 13);
  EXPECT_EQ(mainTaxonMenuItem(57), 21);

  const double rate100 = allometricRate(0.002647, 0.751, 100, 20, 20, 2.2);
  EXPECT_NEAR(rate100, 0.084092, 1e-6);
  const struct {
    int unit;
    double shown;
  } units[] = {{1, 0.084092}, {2, 8.4092e-4}, {3, 5.04551}, {15, 0.028171}, {17, 2433.95}, {18, 2.43395},
               {19, 0.00243395}, {23, 581.451}, {24, 0.581451}, {16, 0.28171}, {26, 5.81451}, {99, 0.084092}};
  for (const auto& u : units)
    EXPECT_NEAR(rate100 * unitFactor(u.unit, 100), u.shown, u.shown * 2e-5) << "unit " << u.unit;
  // One heat equivalent throughout: a watt for a day is 86400 joules, a calorie 4.186 of them.
  EXPECT_NEAR(unitFactor(15, 1) * 86400, unitFactor(17, 1), 1e-9);
  EXPECT_NEAR(unitFactor(17, 1) / 4.186, unitFactor(23, 1), 1e-9);
  // Per-mass units show b - 1 and read it back; a stays a whatever the mass.
  EXPECT_NEAR(shownExponent(0.751, 2), -0.249, 1e-12);
  EXPECT_NEAR(exponentOfShown(-0.249, 2), 0.751, 1e-12);
  EXPECT_NEAR(shownExponent(-0.25, 1), -0.25, 1e-12);
  EXPECT_NEAR(coefficientOfShown(shownCoefficient(0.002647, 9), 9), 0.002647, 1e-12);

  EXPECT_DOUBLE_EQ(minimumFlowMlPerMin(1, 1, 0.4, std::nullopt), 250);
  EXPECT_DOUBLE_EQ(minimumFlowMlPerMin(1, 3, 0.4, std::nullopt), 750);
  EXPECT_NEAR(minimumFlowMlPerMin(1, 1, 20, 5.0), 1000, 1e-9);
  EXPECT_EQ(activityMultiplier(7), 100);
}

namespace {

class MetabolismWindow : public calctest::CalculatorWindowTest {
 protected:
  std::vector<std::map<int, std::string>> clicks;  // the fields as each click found them

  void SetUp() override {
    CalculatorWindowTest::SetUp();
    metabolismSession() = {};
    CustomAllometryArray[1] = CustomAllometryArray[2] = 0;
    rt::setSoundObserver([this](const std::string& name) {
      heard.push_back(name);
      if (name != "click.mp3" || !rt::windowExists(8)) return;
      std::map<int, std::string> f;
      for (int id : {107, 108, 109, 111, 112, 113, 114, 115, 116, 117})
        if (rt::controlExistsIn(8, id)) f[id] = rt::editTextIn(8, id);
      f[-666] = rt::controlExistsIn(8, 666) ? "water" : "";
      clicks.push_back(f);
    });
  }
  // Opens the calculator in `mode`, takes the steps and leaves it by Done: the fields then.
  std::map<int, std::string> run(int16_t mode, std::initializer_list<const char*> steps) {
    clicks.clear();
    for (const char* s : steps) rt::script::pushLine(s);
    rt::script::pushLine("click 3");
    rt::script::setActive(true);
    METABOLISM(mode);
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_FALSE(rt::windowExists(8));
    return clicks.empty() ? std::map<int, std::string>{} : clicks.back();
  }
};

}  // namespace

TEST_F(MetabolismWindow, RatesAcrossUnitsMassesAndTemperatures) {
  const struct {
    std::initializer_list<const char*> steps;
    int field;
    double value;
  } cases[] = {
      {{}, 117, 0.002647},
      {{"popup 58 2"}, 117, 0.002647},
      {{}, 113, -0.249},
      {{"type 112 100", "click 2"}, 117, 8.4092e-4},  // the unit and mass are remembered
      {{"popup 58 1"}, 117, 0.084092},
      {{"popup 58 3"}, 117, 5.04551},
      {{}, 111, 0.15882},
      {{"popup 58 15"}, 117, 0.028171},
      {{"popup 58 17"}, 117, 2433.95},
      {{"popup 58 1", "type 112 1", "type 115 30", "type 116 2", "click 2"}, 117, 0.005294},
      {{"popup 51 4", "type 112 1000", "click 2"}, 117, 25.9398},
      {{"type 113 -0.25", "click 2"}, 113, -0.25},
  };
  for (const auto& c : cases) {
    auto f = run(0, c.steps);
    // The rate is shown to the digits of the program's result text.
    EXPECT_NEAR(number(f[c.field]), c.value, std::fabs(c.value) * 1.5e-4) << "field " << c.field << " " << f[c.field];
  }
  EXPECT_NEAR(LastCalculatorResult, 0.0259398f, 1e-6f);  // 1000 g at exponent -0.25
}

TEST_F(MetabolismWindow, SaveKeepsTheEquationWhateverTheUnitShown) {
  run(0, {"popup 58 3", "click 22"});
  auto f = run(0, {"popup 51 13"});
  EXPECT_NEAR(number(f[117]), 60 * 0.002647, 1e-6);  // the same rate, in ml O2/hour
  EXPECT_NEAR(CustomAllometryArray[1], 0.002647f, 1e-9f);
  EXPECT_NEAR(CustomAllometryArray[2], 0.751f, 1e-7f);
  run(0, {"click 21"});
  EXPECT_NEAR(meanValue, 60 * 0.002647, 1e-5);
}

TEST_F(MetabolismWindow, MinimumFlowsInAirAndWater) {
  CustomAllometryArray[1] = 1, CustomAllometryArray[2] = 0;
  auto f = run(1, {"popup 51 13", "click 2"});
  EXPECT_NEAR(number(f[109]), 250, 1e-3);
  EXPECT_EQ(f[107], "concentration is ");
  f = run(1, {"popup 51 13", "click 445", "click 2"});
  EXPECT_NEAR(number(f[109]), 0.25, 1e-6);
  f = run(1, {"popup 51 13", "popup 330 2", "click 2"});
  EXPECT_NEAR(number(f[109]), 750, 1e-3);

  // Fish at 20 degrees, 20 % of the water's oxygen: the water's content at 20, not at 0.
  const struct {
    const char* water;
    double flow;
  } waters[] = {{"popup 666 1", 132.63}, {"popup 666 2", 143.07}, {"popup 666 3", 158.07}};
  run(1, {"popup 51 7"});
  for (const auto& w : waters) {
    f = run(1, {"popup 53 2", "type 112 100", "type 108 20", "click 2", w.water, "click 2"});
    EXPECT_NEAR(number(f[117]), 0.167528, 2e-6);
    EXPECT_NEAR(number(f[109]), w.flow, 0.06) << w.water << " " << f[109];
    EXPECT_EQ(f[107], "  saturation is ");
    EXPECT_EQ(f[-666], "water");
  }
  // A bird equation: back to air.
  f = run(1, {"popup 53 9", "popup 51 10", "click 2"});
  EXPECT_EQ(f[-666], "");
  EXPECT_EQ(f[107], "concentration is ");
  EXPECT_EQ(f[113], ".669");
}

TEST_F(MetabolismWindow, MainTaxonMenuReturnsToTheUnicellularEquation) {
  auto f = run(0, {"popup 51 11", "popup 57 12", "click 2"});
  EXPECT_EQ(f[113], ".70");
  EXPECT_EQ(f[114], "36.2");
  EXPECT_EQ(f[115], "37.5");
  f = run(0, {"popup 57 21", "click 2"});
  EXPECT_EQ(f[113], ".751");
  EXPECT_EQ(f[114], "20");
  EXPECT_NEAR(number(f[111]), 0.002647, 1e-9);
  // Text that is no number computes nothing.
  const int before = bzots();
  f = run(0, {"type 111 abc", "click 2", "type 111 0.002647", "click 2"});
  EXPECT_EQ(bzots(), before + 1);
}
