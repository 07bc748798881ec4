// Ventilation from open-flow plethysmography, apart from its window.
#include <gtest/gtest.h>

#include "calculators/ventilation.h"

using namespace qv;

namespace {

VentilationInputs worked() {
  VentilationInputs in;
  in.vo2 = 1, in.fio2 = 20.95f, in.bodyT = 37, in.airT = 25, in.pressure = 760, in.deltaP = 0;
  in.rh = 50, in.rhT = 20, in.calVol = 0.5f, in.calGain = 1, in.calDef = 1.0f, in.sampGain = 1;
  in.sampDef = 0.8f, in.frequency = 2;
  return in;
}

}  // namespace

TEST(Ventilation, TheWorkedExample) {
  const VentilationResults r = VENTCALC(worked());
  EXPECT_NEAR(r.kT, 1.040268, 1e-6);
  EXPECT_NEAR(r.w, 0.0351994, 2e-7);
  EXPECT_NEAR(r.kP, 1.035199, 1e-6);
  EXPECT_NEAR(r.Vt, 5.2026, 1e-4);
  EXPECT_NEAR(r.Vmin, 624.31, 0.01);
  EXPECT_NEAR(r.EO2, 0.76457, 1e-5);
  EXPECT_TRUE(r.VtShown && r.VminShown && r.EO2Shown);
  EXPECT_TRUE(r.note.empty());

  VentilationInputs pressed = worked();
  pressed.deltaP = 100;
  const VentilationResults p = VENTCALC(pressed);
  EXPECT_NEAR(p.Pt, 767.356, 1e-3);
  EXPECT_NEAR(p.Vt, 5.2264, 1e-4);

  VentilationInputs twice = worked();
  twice.vo2 = 2;
  EXPECT_FLOAT_EQ(VENTCALC(twice).EO2, 2 * r.EO2);
  EXPECT_FLOAT_EQ(r.Vmin, 60 * 2 * r.Vt);
}

TEST(Ventilation, ResultsThatAreNotFiniteAreNotShownAndSayWhy) {
  const struct {
    const char* what;
    void (*change)(VentilationInputs&);
    bool vt, vmin, eo2;
  } cases[] = {
      {"calibration volts 0", [](VentilationInputs& in) { in.calDef = 0; }, false, false, false},
      {"sample gain 0", [](VentilationInputs& in) { in.sampGain = 0; }, false, false, false},
      {"sample gain and volts 0", [](VentilationInputs& in) { in.sampGain = in.sampDef = 0; }, false, false, false},
      {"no total pressure", [](VentilationInputs& in) { in.pressure = 0; }, false, false, false},
      {"kP x kT = 1", [](VentilationInputs& in) { in.bodyT = in.airT = in.rhT = 25; in.rh = 100; }, false,
       false, false},
      {"frequency 0", [](VentilationInputs& in) { in.frequency = 0; }, true, true, false},
      {"no inhaled O2", [](VentilationInputs& in) { in.fio2 = 0; }, true, true, false},
  };
  for (const auto& c : cases) {
    VentilationInputs in = worked();
    c.change(in);
    const VentilationResults r = VENTCALC(in);
    EXPECT_EQ(r.VtShown, c.vt) << c.what;
    EXPECT_EQ(r.VminShown, c.vmin) << c.what;
    EXPECT_EQ(r.EO2Shown, c.eo2) << c.what;
    EXPECT_FALSE(r.note.empty()) << c.what;
  }
}
