// Output units: their factors and the result channel's label; the checks before a run.
#include <gtest/gtest.h>

#include "respirometry/gas_checks.h"
#include "respirometry/gas_labels.h"

using namespace qv;

TEST(GasLabels, SuffixFromTheChannelLabel) {
  EXPECT_EQ(gasUnit(1, 1, 30, 0, 0, "O2").label, "VO2 # 2; ml/min");
  EXPECT_EQ(gasUnit(1, 1, 30, 0, 0, "flow 12      ").label, "VO2 # 12; ml/min");
  EXPECT_EQ(gasUnit(1, 1, 30, 0, 0, "O2 %").label, "VO2; ml/min");
  EXPECT_EQ(gasUnit(9, 3, 30, 0, 0, "RH").label, "mH2O; mg/[kg min]");
  EXPECT_EQ(gasUnit(5, 2, 30, 0, 0, "CO2").label, "VCO2 # 2; \u00B5l/min");
  EXPECT_FALSE(gasUnit(21, 1, 30, 0, 0, "O2").known);
  EXPECT_EQ(gasUnit(0, 1, 30, 0, 0, "O2").label, std::string(30, ' '));
}

TEST(GasLabels, TwentyFactorsPerGas) {
  const float m = 30, H = 20.1f * 0.0166667f, L = 2430;
  const double gas[21] = {0,          1,          1 / m,       60,          0.06,        1000,     1000 / m,
                          60000,      60 / m,     60000 / m,   60000 / m,   60 / m,      H * 1e6,  H * 1000,
                          H,          H * 1000 / m, H * 86400, H * 86.4,    H * 0.0864,  H * 86400 / m,
                          H * 86.4 / m};
  const double water[21] = {0,
                            0.8036,
                            0.8036 / m,
                            48.216,
                            0.048216,
                            803.6,
                            803.6 / m,
                            48216,
                            60 / m * 0.8036,
                            60000 / m * 0.01339334,
                            60000 / m * 0.8036,
                            60 / m * 0.8036,
                            L * 13.39336,
                            L * 0.8036 / 60,
                            L * 0.8036 / 60000,
                            L * 0.8036 / (m * 60),
                            L * 1.1572,
                            L * 0.0011572,
                            L * 1.1572e-6,
                            L * 1.1572 / m,
                            L * 0.0011572 / m};
  for (int u = 1; u <= 20; ++u) {
    for (int g : {1, 2}) EXPECT_NEAR(gasUnit(u, g, m, H, L, "O2").factor, gas[u], gas[u] * 1e-6) << u;
    EXPECT_NEAR(gasUnit(u, 3, m, H, L, "O2").factor, water[u], water[u] * 1e-6) << u;
  }
  // Unit 9 of water is per minute: 60000 x 0.01339334 = 803.6 mg per gram-equivalent.
  EXPECT_NEAR(60000 * 0.01339334, 803.6, 1e-3);
}

TEST(GasChecks, RefusedBeforeAnySampleIsTouched) {
  GasRunChoice ok;
  ok.nChannels = 2;
  ok.gasChannel = 1;
  ok.mass = 30;
  EXPECT_FALSE(gasRunProblem(ok));
  struct Case {
    const char* what;
    void (*change)(GasRunChoice&);
    int word;
  };
  const Case cases[] = {
      {"gas channel 9", [](GasRunChoice& c) { c.gasChannel = 9; }, 22},
      {"gas channel -99", [](GasRunChoice& c) { c.gasChannel = -99; }, 22},
      {"flow channel 3", [](GasRunChoice& c) { c.flowChannel = 3; }, 5},
      {"companion 0", [](GasRunChoice& c) { c.useVCO2 = 1; }, 24},
      {"humidity channel 41", [](GasRunChoice& c) { c.waterChannel = 41; }, 13},
      {"temperature channel -1", [](GasRunChoice& c) { c.temperatureChannel = -1; }, 10},
      {"flow mode 11", [](GasRunChoice& c) { c.flowMode = 11; }, 9},
      {"unit 0", [](GasRunChoice& c) { c.unit = 0; }, 4},
      {"humidity unit 5", [](GasRunChoice& c) { c.humidityUnits = 5; }, 7},
      {"RQ 0", [](GasRunChoice& c) { c.RQ = 0; }, 15},
      {"realBP 0", [](GasRunChoice& c) { c.realBP = 0; }, 16},
      {"typed flow 0", [](GasRunChoice& c) { c.typedFlow = 0; }, 0},
      {"file pressure 0", [](GasRunChoice& c) { c.filePressure = 0; }, 0},
      {"flow temperature -273.15", [](GasRunChoice& c) { c.flowTemperature = -273.15f; }, 0},
      {"per-mass unit, mass 0", [](GasRunChoice& c) { c.unit = 2, c.mass = 0; }, 0},
      {"instantaneous, volume 0", [](GasRunChoice& c) { c.instantaneous = true, c.effectiveVolume = 0; }, 0},
      {"EWL O2 channel missing", [](GasRunChoice& c) { c.gasType = 3, c.ewlCompensation = 2; }, 0},
  };
  for (const Case& c : cases) {
    GasRunChoice x = ok;
    c.change(x);
    const auto p = gasRunProblem(x);
    ASSERT_TRUE(p) << c.what;
    EXPECT_EQ(p->word, c.word) << c.what;
  }
  // Things that are fine: constant RH code 123, a unit without mass, the mass in a typed flow.
  GasRunChoice fine = ok;
  fine.waterChannel = 123;
  fine.unit = 3;
  fine.mass = 0;
  EXPECT_FALSE(gasRunProblem(fine));
}
