// The gas-exchange kernel against values worked out by hand from the equations.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "respirometry/water_vapour.h"
#include "respirometry/gas_kernel.h"

using namespace qv;

namespace {

constexpr float kSTP = 0.359211f * 760.0f / 273.15f;  // file at 0 degrees C and 760 torr

GasKernelSettings base(int gas) {
  GasKernelSettings s;
  s.gasType = int16_t(gas);
  s.flowcon = kSTP;
  return s;
}

// One case of every channel; the result of case 1.
float one(const GasKernelSettings& s, float gas, std::vector<float> companion = {}, std::vector<float> humidity = {}) {
  std::vector<float> g(2, gas), out(2);
  if (!companion.empty()) companion.assign(2, companion[0]);
  if (!humidity.empty()) humidity.assign(2, humidity[0]);
  GasKernelInputs in;
  in.gas = g;
  in.companion = companion;
  in.humidity = humidity;
  computeGasExchange(s, in, out);
  EXPECT_EQ(out[0], out[1]);  // case 0 is processed like the others
  return out[1];
}

void near(float got, double want) { EXPECT_NEAR(got, want, std::abs(want) * 1e-5) << "want " << want; }

}  // namespace

TEST(GasKernel, TableOfCases) {
  struct Case {
    const char* what;
    GasKernelSettings s;
    float gas;
    std::vector<float> companion;
    double want;
  };
  auto vo2 = [](int mode) {
    GasKernelSettings s = base(1);
    s.flowMode = int16_t(mode);
    return s;
  };
  auto vco2 = [](int mode) {
    GasKernelSettings s = base(2);
    s.flowMode = int16_t(mode);
    return s;
  };
  GasKernelSettings wetCO2 = vo2(1);
  wetCO2.absorbCO2 = false;
  GasKernelSettings rateCO2 = vo2(4);
  rateCO2.useVCO2 = 1;
  GasKernelSettings pctCO2 = vo2(5);
  pctCO2.useVCO2 = 2;
  GasKernelSettings rateO2 = vco2(1);
  rateO2.useVCO2 = 1;
  GasKernelSettings pctO2 = vco2(3);
  pctO2.useVCO2 = 2;
  pctO2.absorbCO2 = false;
  GasKernelSettings negative = vo2(3);
  negative.positive = false;
  GasKernelSettings litres = vo2(3);
  litres.litres = true;
  litres.flow = 0.1f;
  const Case cases[] = {
      {"VO2 mode 3", vo2(3), 1.0f, {}, 1.26433},
      {"VO2 mode 1", vo2(1), 1.0f, {}, 1.24853},
      {"VO2 mode 1, CO2 not absorbed", wetCO2, 1.0f, {}, 1.24798},
      {"VO2 mode 2", vo2(2), 1.0f, {}, 1.03028},
      {"VO2 mode 8, (1 - C) twice", vo2(8), 1.0f, {}, 1.04181},
      {"VO2 mode 4, VCO2 channel", rateCO2, 1.0f, {0.8f}, 1.25421},
      {"VO2 mode 5, %CO2 channel", pctCO2, 1.0f, {0.8f}, 1.05243},
      {"VCO2 mode 1", vco2(1), 0.8f, {}, 0.805036},
      {"VCO2 mode 1, VO2 channel", rateO2, 0.8f, {1.0f}, 0.797950},
      {"VCO2 mode 3, %O2 channel, CO2 not absorbed", pctO2, 0.8f, {20.0f}, 0.800698},
      {"negative-going deflection", negative, -1.0f, {}, 1.26433},
      {"flow in L/min", litres, 1.0f, {}, 1.26433},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    near(one(c.s, c.gas, c.companion), c.want);
  }
}

TEST(GasKernel, IncurrentHumidityScalesWithPressureOnce) {
  GasKernelSettings s = base(1);
  s.dryAir = false;
  s.humidityUnits = 1;
  s.compRH = 50.0f;
  s.RHtemperature = 20.0f;
  s.flowmeterTemperature = 20.0f;
  near(one(s, 1.0f), 1.23415);
  s.realBP = 600.0f;
  near(one(s, 1.0f), 1.23031);
  // Dry air, or a mode without dilution, ignores the reading.
  s.dryAir = true;
  near(one(s, 1.0f), 1.24853);
  s.dryAir = false;
  s.flowMode = 3;
  near(one(s, 1.0f), 1.26433);
  // A dew point with no humidity channel has nothing to read: no correction.
  s.flowMode = 1;
  s.humidityUnits = 2;
  near(one(s, 1.0f), 1.24853);
}

TEST(GasKernel, WaterLoss) {
  GasKernelSettings s = base(3);
  s.humidityUnits = 3;
  s.ewlCompensation = 3;
  s.constantFeO2 = 0.2095f;
  near(one(s, 1.0f), 0.802935);
  s.constantFeO2 = 0.2050f;
  near(one(s, 1.0f), 0.802241);
  s.constantFeO2 = 0.2095f;
  s.humidityUnits = 2;
  near(one(s, 20.0f), 1.91001);
  // An unknown unit leaves W at 0: only the incurrent water remains.
  s.humidityUnits = 0;
  s.FiH2O = 0.01f;
  near(one(s, 20.0f), -0.01 * 100 * 0.8036);
}

TEST(GasKernel, InstantaneousRecoversAWashedOutStep) {
  const double e = std::exp(-double(1.0f * 0.0166667f / 1000.0f * 500.0f));
  for (float entry0 : {0.0f, 5.0f}) {
    std::vector<float> u(301, 0.0f), d(301, 0.0f), out(301);
    for (size_t i = 100; i < u.size(); ++i) u[i] = 1.0f;
    for (size_t i = 1; i < u.size(); ++i) d[i] = float(d[i - 1] + (u[i] - d[i - 1]) * (1.0 - e));
    d[0] = entry0;
    GasKernelSettings s = base(1);
    s.flowMode = 3;
    s.instantaneous = true;
    s.flow = 500.0f;
    s.flowcon = 1.0f;
    GasKernelInputs in;
    in.gas = d;
    computeGasExchange(s, in, out);
    const float scale = 500.0f * 0.01f / (1.0f - 0.2095f);
    EXPECT_NEAR(out[0], entry0 * scale, 1e-4);
    for (size_t i = 1; i < u.size(); ++i) EXPECT_NEAR(out[i], u[i] * scale, 2e-3) << "case " << i;
  }
}

TEST(GasKernel, InstantaneousModeOneDividesByTheRawDeflection) {
  const double e = std::exp(-double(1.0f * 0.0166667f / 1000.0f * 500.0f));
  std::vector<float> d = {0.0f, 0.2f, 0.5f, 0.8f}, out(4);
  GasKernelSettings s = base(1);
  s.instantaneous = true;
  s.flow = 500.0f;
  s.flowcon = 1.0f;
  GasKernelInputs in;
  in.gas = d;
  computeGasExchange(s, in, out);
  for (size_t i = 2; i < d.size(); ++i) {
    const double di = 0.01 * d[i], dp = 0.01 * d[i - 1];
    const double x = (di - dp) / (1 - e) + dp;
    EXPECT_NEAR(out[i], 500.0 * x / (0.7905 + di), 1e-4 * std::abs(500.0 * x / (0.7905 + di)));
  }
}

TEST(WaterVapour, SaturationFunctions) {
  struct Case {
    float t;
    double density, pressure;
  };
  const Case cases[] = {{0, 0.0048451, 4.57292}, {20, 0.0172719, 17.5363}, {37, 0.0438354, 47.0306}};
  for (const Case& c : cases) {
    EXPECT_NEAR(saturationVapourDensity(c.t), c.density, c.density * 1e-5) << c.t;
    EXPECT_NEAR(GetSaturationWaterVaporContent(c.t), c.pressure, c.pressure * 1e-5) << c.t;
  }
  EXPECT_NEAR(saturationVapourDensity(37.5f), 0.0449714, 0.0449714 * 1e-5);
}
