// The aquatic O2-consumption factor chain and the open and closed passes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "respirometry/dissolved_oxygen.h"
#include "respirometry/water_vo2.h"

using namespace qv;

namespace {

// The box at 20 C, 760 torr, air, fresh water, computed as the window does.
WaterFields box(float flowOrVolume, float saturation = 100.0f) {
  WaterFields w;
  w.temperature = 20.0f, w.pressure = 760.0f, w.gasO2 = 20.95f, w.saturation = saturation;
  w.flowOrVolume = flowOrVolume;
  const O2Content c =
      O2CONTENT(w.temperature, flowOrVolume, 0.0f, dissolvedO2Fraction(saturation, w.pressure, w.gasO2), false);
  w.perLitre = c.perLitre, w.net = c.total;
  return w;
}

float openResult(const WaterFields& w, const WaterChoices& c, float reading, float flowSample = NAN) {
  const WaterFactor f = waterFactor(w, c);
  std::vector<float> o2{0, reading}, out(2, 0.0f);
  std::vector<float> flow{0, flowSample};
  waterOpenPass(o2, c.flowFromChannel ? std::span<const float>(flow) : std::span<const float>(), c.typedFlow, f,
                c.absolute, out);
  return out[1];
}

void near(float got, float want) { EXPECT_NEAR(got, want, std::fabs(want) * 2e-5f); }

}  // namespace

TEST(WaterContent, PressureEntersOnceAndSolutesWhole) {
  near(box(1000).perLitre, 6.35087f);
  near(box(1000).net, 6.35087f);
  const float fraction = dissolvedO2Fraction(100, 760, 20.95f);
  near(O2CONTENT(20, 1000, 0, fraction, true).perLitre, 9.07285f);
  near(O2CONTENT(20, 1000, 35, fraction, false).perLitre, 5.29900f);
  near(O2CONTENT(20, 1000, 0, dissolvedO2Fraction(100, 600, 20.95f), false).perLitre, 5.01384f);
}

TEST(WaterFactorChain, OpenSystemUnitsTable) {
  WaterFields w;
  w.net = 0.5f, w.saturation = 100, w.flowOrVolume = 100, w.perLitre = 5;
  struct Case {
    int16_t output, mass;
    float massG, flowcon, want;
  } cases[] = {
      {1, 0, 0, 0, 0.05f},           {5, 0, 0, 0, 3000.0f},           {3, 0, 0, 0, 0.00223075f},
      {1, 2, 20, 0, 0.0025f},        {7, 0, 0, 20.1f / 60, 16.75f},   {2, 0, 0, 0, 50.0f},
      {4, 0, 0, 0, 2.230748f},       {6, 0, 0, 0, 133.8449f},         {9, 0, 0, 20.1f / 60, 60.3f},
      {8, 0, 0, 20.1f / 60, 16750}, {1, 1, 20, 0, 2.5e-6f},          {1, 3, 20, 0, 2.5f},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "output " << k.output << " mass unit " << k.mass);
    WaterChoices c;
    c.outputUnits = k.output, c.massUnit = k.mass, c.mass = k.massG, c.flowcon = k.flowcon;
    near(openResult(w, c, 10), k.want);
  }
}

TEST(WaterFactorChain, ReadingsInOtherUnitsBecomeSaturationFirst) {
  WaterChoices c;
  c.inputUnits = 4;
  near(openResult(box(100), c, 1.0f), 0.0699986f);  // 1 mg/L
  c.inputUnits = 3;
  near(openResult(box(100), c, 1.0f), 0.0699986f);  // 1 ppm
  WaterFields half;
  half.temperature = 20, half.pressure = 760, half.gasO2 = 20.95f, half.saturation = 100, half.net = 0.5f;
  half.flowOrVolume = 100;
  c.inputUnits = 2;
  near(saturatedWaterPO2(20, 760, 20.95f), 155.546f);
  near(openResult(half, c, 15.5546f), 0.05f);  // 10 % of the saturated pO2
}

TEST(WaterFactorChain, FlowChannelCancelsTheTypedFlow) {
  WaterChoices c;
  c.flowFromChannel = true;
  for (float typed : {50.0f, 100.0f}) {
    c.typedFlow = typed;
    near(openResult(box(typed), c, 10, 50), 0.0317543f);
  }
}

TEST(WaterFactorChain, AbsoluteValueAgainstTheInflowingLevel) {
  WaterChoices c;
  c.absolute = true;
  const WaterFields ninety = box(100, 90);
  near(ninety.net, 0.571578f);
  near(openResult(ninety, c, 85), 0.0317543f);
  c.inputUnits = 4;
  near(openResult(box(100), c, 8.07285f), 0.0699986f);
  c.inputUnits = 2;
  const float P = saturatedWaterPO2(20, 760, 20.95f);
  near(openResult(ninety, c, P * 0.85f), 0.0317543f);
  c.inputUnits = 1, c.negative = true, c.absolute = false;
  near(openResult(box(100), c, 10), -0.0635087f);
}

TEST(WaterFactorChain, RefusesWhatWouldGiveInfinities) {
  struct Case {
    const char* what;
    void (*spoil)(WaterFields&, WaterChoices&);
  } cases[] = {
      {"saturation 0", [](WaterFields& w, WaterChoices&) { w.saturation = 0; }},
      {"net 0", [](WaterFields& w, WaterChoices&) { w.net = 0; }},
      {"flow 0", [](WaterFields& w, WaterChoices&) { w.flowOrVolume = 0; }},
      {"B 0", [](WaterFields& w, WaterChoices&) { w.pressure = 0; }},
      {"g 0", [](WaterFields& w, WaterChoices&) { w.gasO2 = 0; }},
      {"not a number", [](WaterFields& w, WaterChoices&) { w.temperature = NAN; }},
      {"mass 0", [](WaterFields&, WaterChoices& c) { c.massUnit = 2, c.mass = 0; }},
      {"typed flow 0", [](WaterFields&, WaterChoices& c) { c.flowFromChannel = true, c.typedFlow = 0; }},
  };
  for (const Case& k : cases) {
    WaterFields w = box(100);
    WaterChoices c;
    c.typedFlow = 100;
    EXPECT_FALSE(waterFactorProblem(w, c)) << k.what;
    k.spoil(w, c);
    EXPECT_TRUE(waterFactorProblem(w, c)) << k.what;
  }
}

TEST(WaterClosedPass, KindsFromAFallingSaturation) {
  const WaterFields w = box(1000);
  WaterChoices c;
  c.open = false;
  std::vector<float> o2(21);
  o2[0] = -7;  // entry 0 is no sample
  for (int i = 1; i <= 20; ++i) o2[size_t(i)] = 100.0f - 0.1f * float(i - 1);
  std::vector<float> out(21, 0.0f);

  c.kind = 3, c.outputUnits = 1;
  const float F = waterFactor(w, c).F * closedRateFactor(1, 10);
  waterClosedPass(o2, 3, F, out);
  for (int i = 1; i <= 20; ++i) EXPECT_NEAR(out[size_t(i)], 0.0381052f, 2e-5f) << i;
  EXPECT_EQ(out[0], 0.0f);
  EXPECT_FLOAT_EQ(closedRateFactor(5, 10), 60 * closedRateFactor(1, 10));

  c.kind = 2;
  waterClosedPass(o2, 2, waterFactor(w, c).F, out);
  for (int i = 1; i <= 20; ++i) EXPECT_NEAR(out[size_t(i)], float(i - 1) * 0.00635087f, 2e-5f) << i;

  c.kind = 1;
  waterClosedPass(o2, 1, waterFactor(w, c).F, out);
  near(out[1], 6.35087f);

  // In place, with a gap: it stays a gap and its neighbours' rates with it.
  std::vector<float> inPlace = o2;
  inPlace[5] = NAN;
  waterClosedPass(inPlace, 3, F, inPlace);
  EXPECT_TRUE(std::isnan(inPlace[5]) && std::isnan(inPlace[6]));
  EXPECT_NEAR(inPlace[4], 0.0381052f, 2e-5f);
  EXPECT_NEAR(inPlace[7], 0.0381052f, 2e-5f);
}

TEST(WaterLabels, UnitKindAndMass) {
  WaterChoices c;
  EXPECT_EQ(waterResultLabel(c), "VO2 in mL O2/min");
  c.outputUnits = 5, c.massUnit = 2;
  EXPECT_EQ(waterResultLabel(c), "VO2 in \u00b5L O2/hour per g");
  c.open = false, c.kind = 2, c.outputUnits = 4, c.massUnit = 0;
  EXPECT_EQ(waterResultLabel(c), "\u00b5mole O2 used");
  c.kind = 1, c.outputUnits = 1;
  EXPECT_EQ(waterResultLabel(c), "mL O2");
}
