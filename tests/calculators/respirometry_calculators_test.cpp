// The flow, pressure, gas and rate calculators apart from their windows. The expected values
// were worked out by hand from the physical constants, not from the code.
#include <gtest/gtest.h>

#include <cmath>

#include "calculators/altitude.h"
#include "calculators/closed_system.h"
#include "respirometry/dissolved_oxygen.h"
#include "calculators/partial_pressures.h"
#include "calculators/rate_rules.h"
#include "calculators/stp_flow.h"
#include "respirometry/water_vapour.h"
#include "respirometry/commands.h"
#include "respirometry/gas_settings.h"

using namespace qv;

TEST(StpFlow, ReadingsAtStandardConditions) {
  StpInputs meter;
  meter.meterT = 20;
  EXPECT_NEAR(STPcalc(meter), 93.17406, 1e-4);
  meter.litres = true;
  EXPECT_NEAR(STPcalc(meter), 0.09317406, 1e-7);

  // Meter and calibration at 0 degrees: the internal pressure alone.
  const struct {
    int16_t unit;
    float internal;
    double expected;
  } units[] = {{kStpPsi, 1, 106.8046}, {kStpKPa, 1, 100.98692}, {kStpMmH2O, 100, 100.96784}, {kStpTorr, 76, 110}};
  for (const auto& u : units) {
    StpInputs in;
    in.unit = u.unit, in.internal = u.internal;
    EXPECT_NEAR(STPcalc(in), u.expected, 1e-4) << u.unit;
  }

  StpInputs collected;
  collected.cumulative = true;
  EXPECT_NEAR(STPcalc(collected), 1000, 1e-3);
  collected.seconds = 0;
  EXPECT_FALSE(std::isfinite(STPcalc(collected)));
  StpInputs frozen;
  frozen.meterT = -273;
  EXPECT_FALSE(std::isfinite(STPcalc(frozen)));
}

TEST(Altitude, PressureAndAltitude) {
  EXPECT_EQ(altitudeFromPressure(typedPressureTorr(760, false)), 0.0);
  EXPECT_EQ(altitudeFromPressure(typedPressureTorr(101.325f, true)), 0.0);
  EXPECT_NEAR(altitudeFromPressure(600), 1875.7485, 1e-3);
  EXPECT_NEAR(1875.7 * kFeetPerMetre, 6153.87, 5e-3);
  EXPECT_NEAR(typedPressureTorr(100, true), 750.0617, 1e-4);
  EXPECT_FALSE(std::isfinite(altitudeFromPressure(0)));
  EXPECT_EQ(pressureFromAltitude(0), 760.0);
  EXPECT_NEAR(pressureFromAltitude(1000), 670.0072, 1e-4);
  EXPECT_NEAR(pressureFromAltitude(1000) / kTorrPerKPa, 89.32694, 1e-4);
}

TEST(Altitude, Simulation) {
  const SimulatedAltitude same = simulateFromAltitudes(20.95, 100, 100);
  EXPECT_NEAR(same.simulatedTorr, 750.48, 0.005);
  EXPECT_NEAR(same.concentration, 20.95, 1e-9);
  const SimulatedAltitude high = simulateFromAltitudes(20.95, 3000, 0);
  EXPECT_NEAR(high.simulatedTorr, 520.728, 1e-3);
  EXPECT_EQ(high.measurementTorr, 760.0);
  EXPECT_NEAR(high.concentration, 14.354, 1e-3);
  const SimulatedAltitude typed = simulateFromPressures(20.95, 500, 750.5);
  EXPECT_NEAR(typed.concentration, 13.957, 1e-3);
  EXPECT_NEAR(typed.simulatedAltitude, 3322.47, 0.01);
  EXPECT_FALSE(std::isfinite(simulateFromPressures(20.95, 500, 0).concentration));
}

TEST(PartialPressures, VapourAndOxygen) {
  const struct {
    float t, s;
    bool kPa;
    double pH2O, pO2;
  } cases[] = {
      {37, 100, false, 47.031, 149.367}, {37, 100, true, 6.2702, 19.914},  {20, 100, false, 17.536, 155.546},
      {4, 100, false, 6.0788, 157.947},  {0, 100, false, 4.5729, 158.262}, {37, 0.01f, false, 0.0047031, 159.219},
      {37, -5, false, 0, 159.22},
  };
  for (const auto& c : cases) {
    const double w = waterVapourPressure(c.t, c.s, c.kPa);
    EXPECT_NEAR(w, c.pH2O, c.pH2O * 2e-5 + 1e-9) << c.t << " " << c.s;
    const double ambient = c.kPa ? 101.325 : 760.0;
    EXPECT_NEAR(oxygenPressure(ambient, w, 20.95), c.pO2, c.pO2 * 2e-5) << c.t << " " << c.s;
  }
}

TEST(ClosedSystem, VolumesAndRates) {
  const ClosedSystemInputs defaults;
  const struct {
    const char* what;
    ClosedSystemInputs in;
    bool absorbed, useRQ;
    double vstp, vo2, vo2Rate, vco2, vco2Rate;
  } cases[] = {
      {"absorbed", defaults, true, false, 931.81, 5.8568, 0.071424, 4.6526, 0.056739},
      {"use RQ", defaults, false, true, 931.81, 4.8065, NAN, NAN, NAN},
      {"use [CO2]", defaults, false, false, 931.81, 4.6591, NAN, NAN, NAN},
      {"no O2 drop", [] { ClosedSystemInputs in; in.dO2 = 0; return in; }(), true, true, 931.81, 0, 0, 4.6546, NAN},
      {"no CO2 rise", [] { ClosedSystemInputs in; in.dCO2 = 0; return in; }(), true, true, 931.81, 5.8568, NAN, 0, 0},
      {"saturated at 20", [] { ClosedSystemInputs in; in.humidity = 100; return in; }(), true, false, 910.32, 5.7217,
       NAN, NAN, NAN},
      {"saturated at 37", [] { ClosedSystemInputs in; in.humidity = 100; in.temperature = 37; return in; }(), true,
       false, 826.21, 5.1930, NAN, NAN, NAN},
  };
  for (const auto& c : cases) {
    const ClosedSystemResults r = ClosedSystemRespCalc(c.in, c.absorbed, c.useRQ);
    EXPECT_NEAR(r.vstp, c.vstp, 0.005) << c.what;
    EXPECT_NEAR(r.vo2, c.vo2, 5e-5 + 1e-9) << c.what;
    // NaN: not a case of that result.
    if (!std::isnan(c.vo2Rate)) {
      EXPECT_NEAR(r.vo2Rate, c.vo2Rate, 5e-7) << c.what;
    }
    if (!std::isnan(c.vco2)) {
      EXPECT_NEAR(r.vco2, c.vco2, 5e-5) << c.what;
    }
    if (!std::isnan(c.vco2Rate)) {
      EXPECT_NEAR(r.vco2Rate, c.vco2Rate, 5e-7) << c.what;
    }
  }
  ClosedSystemInputs still = defaults;
  still.hours = still.minutes = 0;
  EXPECT_FALSE(std::isfinite(ClosedSystemRespCalc(still, true, false).vo2Rate));
}

TEST(DissolvedOxygen, ContentPerLitreAndInTheVolume) {
  const struct {
    const char* what;
    float t, bp, o2, solutes, saturation;
    bool mg;
    double perLitre;
  } cases[] = {
      {"fresh, sea level", 20, 760, 20.95f, 0, 100, false, 6.3509},
      {"in mg", 20, 760, 20.95f, 0, 100, true, 9.0728},
      {"600 torr", 20, 600, 20.95f, 0, 100, false, 5.0138},
      {"sea water", 20, 760, 20.95f, 35, 100, false, 5.2990},
      {"sea water in mg", 20, 760, 20.95f, 35, 100, true, 7.5702},
      {"supersaturated", 20, 760, 20.95f, 0, 120, false, 6.3509},
      {"sea water at 10", 10, 760, 20.95f, 35, 100, false, 6.4564},
      {"sea water at 25", 25, 760, 20.95f, 35, 100, false, 4.8657},
      {"2 per mil at 10", 10, 760, 20.95f, 2, 100, false, 7.8910},
  };
  for (const auto& c : cases) {
    const O2Content o = O2CONTENT(c.t, 1000, c.solutes, dissolvedO2Fraction(c.saturation, c.bp, c.o2), c.mg);
    EXPECT_NEAR(o.perLitre, c.perLitre, 5e-5) << c.what;
    EXPECT_FLOAT_EQ(o.total, o.perLitre) << c.what;
  }
  EXPECT_NEAR(O2CONTENT(10, 1200, 2, 1, false).total, 9.4691, 1e-4);
  // Within 3 % of Weiss's sea-water solubilities.
  EXPECT_NEAR(O2CONTENT(10, 1000, 35, 1, false).perLitre / 6.3185, 1, 0.03);
  EXPECT_NEAR(O2CONTENT(25, 1000, 35, 1, false).perLitre / 4.7266, 1, 0.03);
}

TEST(WaterVapour, GoffGratchPressureTouchesNoSetting) {
  RHtemperature = 12.5f;
  RHFactor = 0.5f;
  const struct {
    float t;
    double es;
  } cases[] = {{0, 6.10937}, {20, 23.3735}, {37, 62.7607}};
  for (const auto& c : cases) EXPECT_NEAR(goffGratchPressure(c.t), c.es, c.es * 1e-6) << c.t;
  EXPECT_EQ(RHtemperature, 12.5f);
  EXPECT_EQ(RHFactor, 0.5f);
}

TEST(RateRules, WashoutAndQ10) {
  const struct {
    int percent;
    double minutes;
  } washouts[] = {{67, 1.098612}, {99, 4.60517}, {50, 0.693147}, {33, 0.405465}, {12, 4.60517}};
  for (const auto& w : washouts) EXPECT_NEAR(washoutMinutes(100, 100, w.percent), w.minutes, 1e-6) << w.percent;
  EXPECT_NEAR(washoutMinutes(250, 50, 90), 11.512925, 1e-5);
  EXPECT_FALSE(std::isfinite(washoutMinutes(100, 0, 67)));
  EXPECT_FALSE(std::isfinite(washoutMinutes(0, 0, 67)));

  EXPECT_NEAR(q10Adjusted(1, 37, 39, 2.2), 1.1708, 5e-5);
  EXPECT_NEAR(q10Adjusted(3, 30, 20, 2), 1.5, 1e-12);
  EXPECT_EQ(q10Adjusted(1, 37, 39, 0), 0.0);
  EXPECT_NEAR(q10Of(1, 2, 37, 47), 2, 1e-12);
  EXPECT_NEAR(q10Of(2, 1, 47, 37), 2, 1e-12);
}
