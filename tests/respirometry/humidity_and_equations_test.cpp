// The rules behind the configuration, humidity and equation windows: which mode a window
// shows, which configurations need the humidity chain, the water-vapour numbers and the page
// of each equation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text_format.h"
#include "respirometry/equation_viewer.h"
#include "respirometry/flow_modes.h"
#include "respirometry/gas_kernel.h"
#include "respirometry/humidity.h"
#include "respirometry/water_vapour.h"
#include "runtime/files.h"

using namespace qv;

TEST(FlowModes, AWindowAlwaysShowsOneOfItsOwnModes) {
  struct Case {
    int16_t gas;
    FlowWindow window;
    int16_t entering, shown;
  };
  const Case cases[] = {
      {1, FlowWindow::Chambers, 3, 3},  {1, FlowWindow::Chambers, 7, 1},  {2, FlowWindow::Chambers, 5, 4},
      {2, FlowWindow::Chambers, 4, 4},  {2, FlowWindow::Chambers, 9, 1},  {1, FlowWindow::Masks, 3, 6},
      {1, FlowWindow::Masks, 10, 10},   {2, FlowWindow::Masks, 9, 8},     {2, FlowWindow::Masks, 10, 8},
      {2, FlowWindow::Masks, 2, 6},     {1, FlowWindow::Chambers, 0, 1},  {1, FlowWindow::Masks, 99, 6},
  };
  for (const Case& c : cases)
    EXPECT_EQ(flowModeShown(c.gas, c.window, c.entering), c.shown)
        << "gas " << c.gas << " masks " << (c.window == FlowWindow::Masks) << " entering " << c.entering;
}

TEST(FlowModes, TheHumidityChainFollowsExactlyTheWetFlowMeters) {
  std::vector<int> o2, co2;
  for (int16_t m = 1; m <= 10; ++m) {
    if (flowNeedsHumidity(1, m)) o2.push_back(m);
    if (flowNeedsHumidity(2, m)) co2.push_back(m);
  }
  EXPECT_EQ(o2, (std::vector<int>{1, 2, 9, 10}));
  EXPECT_EQ(co2, (std::vector<int>{1, 4, 8}));
  EXPECT_FALSE(flowNeedsHumidity(3, 1));
}

TEST(Humidity, LatentHeatAndTheFiH2OEstimate) {
  EXPECT_NEAR(latentHeat(0, 30.0f), 2429.839f, 1e-3);
  EXPECT_NEAR(latentHeat(1, 30.0f), 2501.2f, 1e-3);
  struct Case {
    int16_t unit;
    float reading, celsius, fi;
  };
  const Case cases[] = {{2, 20.0f, 0.0f, 0.0230740f},
                        {1, 50.0f, 20.0f, 0.0115370f},
                        {3, 2.0f, 0.0f, 0.0197342f},
                        {4, 17.3f, 0.0f, 0.0215356f},
                        {0, 17.3f, 0.0f, 0.0215356f}};
  for (const Case& c : cases) {
    const auto fi = estimateFiH2O(c.unit, c.reading, c.celsius, 760.0f);
    ASSERT_TRUE(fi) << c.unit;
    EXPECT_NEAR(*fi, c.fi, c.fi * 2e-5) << "unit " << c.unit;
  }
  EXPECT_NEAR(GetSaturationWaterVaporContent(20.0f), 17.5363f, 2e-3);
  EXPECT_FALSE(estimateFiH2O(2, 20.0f, 0.0f, 0.0f));
  EXPECT_FALSE(estimateFiH2O(2, 20.0f, 0.0f, -5.0f));
}

// The water fraction w of the flow compensation, read back from a VO2 Mode 1 result (which
// is the dry result times 1 - w) with the flow meter at 0 C.
static float incurrentFraction(int16_t unit, float reading, float pressure) {
  GasKernelSettings s;
  s.gasType = 1, s.flowMode = 1, s.dryAir = false;
  s.humidityUnits = unit, s.compRH = reading, s.RHtemperature = 20.0f;
  s.flowmeterTemperature = 0.0f, s.realBP = pressure;
  const std::vector<float> gas(3, 1.0f), humidity(3, reading);
  GasKernelInputs in;
  in.gas = gas;
  if (unit != 1) in.humidity = humidity;
  std::vector<float> wet(3), dry(3);
  computeGasExchange(s, in, wet);
  s.dryAir = true;
  computeGasExchange(s, in, dry);
  return 1.0f - wet[2] / dry[2];
}

TEST(Humidity, TheFlowCompensationFraction) {
  EXPECT_NEAR(humidityDensity(20.0f), 0.0172466f, 1e-7);
  EXPECT_NEAR(incurrentFraction(1, 50.0f, 760.0f), 0.0107379f, 2e-7);
  // Water-vapour content: 10 ug/ml is 1.2616 kPa.
  EXPECT_NEAR(incurrentFraction(4, 10.0f, 760.0f), 0.0124509f, 2e-7);
  EXPECT_NEAR(incurrentFraction(3, 1.2616f, 760.0f), 0.0124509f, 2e-7);
}

// Every "Mode n" (not "Mask Mode n") and "Mask Mode n" named in a page.
static bool pageNames(const std::string& page, int16_t mode) {
  const bool mask = mode > 5;
  const std::string word = "Mode " + std::to_string(mask ? mode - 5 : mode);
  for (size_t at = page.find(word); at != std::string::npos; at = page.find(word, at + 1)) {
    const bool afterMask = at >= 5 && page.compare(at - 5, 5, "Mask ") == 0;
    if (afterMask == mask) return true;
  }
  return false;
}

TEST(EquationPages, EveryCombinationHasItsPageAndThePageNamesItsModes) {
  EXPECT_EQ(gasEquationPage(3, 2, 7), 145);
  EXPECT_EQ(gasEquationPage(2, 0, 5), 199);
  EXPECT_EQ(gasEquationPage(1, 1, 1), 199);
  EXPECT_EQ(gasEquationPage(1, 2, 3), 199);
  EXPECT_EQ(gasEquationPage(1, 0, 1), 146);
  EXPECT_EQ(gasEquationPage(2, 2, 1), 173);
  for (int16_t gas = 1; gas <= 2; ++gas)
    for (int16_t u = 0; u <= 2; ++u)
      for (int16_t m = 1; m <= 10; ++m) {
        if (gas == 2 && (m == 5 || m > 8)) continue;  // no such CO2 configuration
        const int16_t page = gasEquationPage(gas, u, m);
        const bool none = (gas == 2 && m == 5) || (gas == 1 && u != 0 && (m == 1 || m == 3 || m == 6));
        if (none) {
          EXPECT_EQ(page, 199) << gas << " " << u << " " << m;
          continue;
        }
        ASSERT_GE(page, 145) << gas << " " << u << " " << m;
        ASSERT_LE(page, 173) << gas << " " << u << " " << m;
        const auto bytes = rt::readWholeFile(explanatoryTextPath(page));
        ASSERT_TRUE(bytes) << page;
        EXPECT_TRUE(pageNames(std::string(bytes->begin(), bytes->end()), m))
            << "page " << page << " does not name mode " << m << " (gas " << gas << ", companion " << u << ")";
      }
}
