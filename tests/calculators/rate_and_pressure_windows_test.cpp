// The flow, pressure, gas and rate calculator windows driven by scripted input.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "calculators/commands.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/fit_state.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/respirometry_settings.h"
#include "core/sounds.h"
#include "core/stats_state.h"
#include "runtime/numtext.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "support/qvtest.h"
#include "calculator_fixture.h"

using namespace qv;

namespace {

class RateAndPressureWindows : public calctest::CalculatorWindowTest {
 protected:
  void SetUp() override {
    CalculatorWindowTest::SetUp();
    slope = 0.125f;
  }
};

TEST_F(RateAndPressureWindows, WashoutTimesByPercentage) {
  const struct {
    const char* popup;
    const char* label;
    double minutes;
  } cases[] = {{nullptr, " 67% washout time:   ", 1.098612},
               {"popup 100 7", " 99% washout time:   ", 4.60517},
               {"popup 100 2", " 50% washout time:   ", 0.693147}};
  for (const auto& c : cases) {
    seen.clear();
    if (c.popup) qvtest::script({c.popup, "click 20"});
    else qvtest::script({"key 13", "click 20"});
    ChamberWashout();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back()[3], c.label);
    EXPECT_NEAR(number(seen.back()[13]), c.minutes, 1e-5) << c.label;
    EXPECT_FALSE(rt::windowExists(8));
  }
  // A flow of 0 has no washout time; the slope tests' value stays theirs.
  qvtest::script({"type 12 0", "click 19", "click 20"});
  ChamberWashout();
  EXPECT_EQ(seen.back()[13], "**");
  EXPECT_EQ(seen.back()[12], "0");
  EXPECT_EQ(slope, 0.125f);
}

TEST_F(RateAndPressureWindows, WashoutOpensAtTheFilesFlow) {
  TheFileInUse = 0;
  FileInfoFLOATS[0][2] = 250;
  qvtest::script({"click 20"});
  ChamberWashout();
  EXPECT_EQ(seen.back()[12], " 250");
  FileInfoFLOATS[0][2] = 0;
  qvtest::script({"click 20"});
  ChamberWashout();
  EXPECT_EQ(seen.back()[12], "100");
}

TEST_F(RateAndPressureWindows, Q10AdjustsAndRefusesWhatHasNoAnswer) {
  qvtest::script({"click 1", "click 3"});
  Q10adjust();
  EXPECT_NEAR(number(seen.back()[115]), 1.1708, 5e-5);
  EXPECT_NEAR(LastCalculatorResult, 1.1708, 5e-5);

  qvtest::script({"type 112 37", "type 113 47", "type 114 1", "type 115 2", "click 2", "click 3"});
  Q10adjust();
  EXPECT_NEAR(number(seen.back()[111]), 2, 1e-6);
  EXPECT_EQ(bzots(), 0);

  // Equal temperatures and a negative Q10: the error sound and nothing changed.
  qvtest::script({"type 113 37", "type 115 2", "click 2", "type 111 -1", "type 113 40", "click 1", "click 3"});
  Q10adjust();
  EXPECT_EQ(bzots(), 2);
  EXPECT_EQ(seen.back()[111], "-1");
  EXPECT_EQ(seen.back()[115], "2");
  EXPECT_FLOAT_EQ(LastCalculatorResult, 2);
}

TEST_F(RateAndPressureWindows, PartialPressuresInEitherUnit) {
  qvtest::script({"click 20"});
  PO2CALC();
  EXPECT_NEAR(number(seen.back()[114]), 47.031, 0.01);
  EXPECT_NEAR(number(seen.back()[116]), 149.367, 0.01);
  EXPECT_EQ(seen.back()[211], "torr");

  // kPa converts the pressure shown once; torr while torr is chosen changes nothing.
  qvtest::script({"click 1", "click 2", "click 20"});
  PO2CALC();
  EXPECT_EQ(seen.back()[111], "101.325");
  EXPECT_EQ(seen.back()[211], "kPa");
  EXPECT_NEAR(number(seen.back()[114]), 6.2702, 1e-3);
  EXPECT_NEAR(number(seen.back()[116]), 19.914, 1e-2);

  qvtest::script({"type 113 0.01", "key 13", "click 21", "click 20"});
  PO2CALC();
  EXPECT_NEAR(number(seen.back()[114]), 0.0047031, 1e-6);
  EXPECT_NEAR(meanValue, 159.219, 2e-3);
  EXPECT_EQ(slope, 0.125f);

  // A file's own pressure is shown; one without is shown 760 and left as it was.
  TheFileInUse = 0;
  FileInfoFLOATS[0][4] = 740;
  qvtest::script({"click 20"});
  PO2CALC();
  EXPECT_EQ(seen.back()[111], "740");
  FileInfoFLOATS[0][4] = 0;
  qvtest::script({"type 111 abc", "key 13", "click 21", "click 20"});
  PO2CALC();
  EXPECT_EQ(FileInfoFLOATS[0][4], 0.0f);
  EXPECT_EQ(seen.back()[116], "**");
  EXPECT_NEAR(meanValue, 159.219, 2e-3) << "no number is stored";
}

// An open file in slot 0 with the flow description of a recording.
void openFileWithFlow(float flow, float temperature, float pressure, float volume) {
  TheFileInUse = 0;
  FileSHORTS[0][kInUseWord] = 1;
  nCases[0] = 10;
  nChannels[0] = 1;
  FileSHORTS[0][kChangeMarkWord] = 0;
  FileInfoFLOATS[0][2] = flow, FileInfoFLOATS[0][3] = temperature;
  FileInfoFLOATS[0][4] = pressure, FileInfoFLOATS[0][5] = volume;
}

TEST_F(RateAndPressureWindows, StpFlowAveragesAndStoresOnlyAFlow) {
  qvtest::script({"type 117 20", "key 13", "click 13"});
  STPflowAdjust();
  EXPECT_NEAR(number(seen.back()[111]), 93.174, 1e-3);
  EXPECT_NEAR(LastCalculatorResult, 93.17406, 1e-4);
  // Simple Math opens at the flow handed on.
  qvtest::script({"click 41"});
  SIMPLECALC();
  EXPECT_EQ(seen.back()[111], "93.1741");

  // 90, 100, 110 average 100; Show Average again recomputes.
  qvtest::script({"type 112 90", "key 13", "click 14", "type 112 100", "key 13", "click 14", "type 112 110",
                  "key 13", "click 14", "click 11", "click 11", "click 13"});
  STPflowAdjust();
  ASSERT_GE(seen.size(), 2u);
  EXPECT_NEAR(number(seen[seen.size() - 2][111]), 100, 1e-3);
  EXPECT_NEAR(number(seen.back()[111]), 110, 1e-3);

  // Nothing to store: "**" leaves the file as it was.
  openFileWithFlow(500, 24.5f, 748, 1200);
  qvtest::script({"click 2", "type 114 0", "key 13", "click 12", "click 13"});
  STPflowAdjust();
  EXPECT_EQ(seen.back()[111], "**");
  EXPECT_EQ(bzots(), 1);
  EXPECT_EQ(FileInfoFLOATS[0][2], 500.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);

  // SLPM: the file holds ml/min at 0 degrees and 760 torr, and has changes to save.
  qvtest::script({"type 112 100", "type 115 760", "type 117 20", "click 10", "click 12", "click 13"});
  STPflowAdjust();
  EXPECT_NEAR(number(seen.back()[111]), 0.093174, 1e-6);
  EXPECT_NEAR(FileInfoFLOATS[0][2], 93.174, 1e-3);
  EXPECT_EQ(FileInfoFLOATS[0][3], 0.0f);
  EXPECT_EQ(FileInfoFLOATS[0][4], 760.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
}

TEST_F(RateAndPressureWindows, AltitudeAndPressure) {
  openFileWithFlow(0, 0, 600, 0);
  qvtest::script({"click 1", "click 4"});
  ALTITUDE();
  EXPECT_NEAR(number(seen.back()[112]), 1875.7, 1e-6);
  qvtest::script({"click 1", "click 6", "click 6", "click 4"});
  ALTITUDE();
  EXPECT_EQ(seen.back()[112], "6153.87");
  qvtest::script({"type 112 1000", "key 13", "click 4"});
  ALTITUDE();
  EXPECT_NEAR(number(seen.back()[111]), 670.0, 1e-6);
  EXPECT_EQ(slope, 0.125f);

  // kPa: 101.325 is sea level exactly; 100 kPa stores 750.06 torr and marks the file.
  seen.clear();
  qvtest::script({"click 8", "type 111 101.325", "click 1", "type 111 100", "click 3", "click 4"});
  ALTITUDE();
  ASSERT_EQ(seen.size(), 4u);
  EXPECT_EQ(number(seen[2][112]), 0.0);
  EXPECT_NE(seen[2][112].find("0.000"), std::string::npos);
  EXPECT_NEAR(FileInfoFLOATS[0][4], 750.0617, 1e-3);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);

  // Nothing to store: no number, or no pressure.
  FileSHORTS[0][kChangeMarkWord] = 0;
  qvtest::script({"type 111 abc", "click 3", "type 111 0", "click 1", "click 3", "click 4"});
  ALTITUDE();
  EXPECT_EQ(bzots(), 2);
  EXPECT_EQ(seen.back()[112], "**");
  EXPECT_NEAR(FileInfoFLOATS[0][4], 750.0617, 1e-3);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
}

TEST_F(RateAndPressureWindows, AltitudeSimulation) {
  const struct {
    std::initializer_list<const char*> records;
    double simulated, concentration, difference;
    const char* baric;
  } cases[] = {
      {{"click 1"}, 750.5, 20.95, 0, "(hyperbaric)"},
      {{"type 111 3000", "type 121 0", "click 1"}, 520.7, 14.35, 239.3, "(hypobaric)"},
      {{"type 113 500", "type 123 750.5", "click 2"}, 500, 13.96, 250.5, "(hypobaric)"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines(c.records.begin(), c.records.end());
    lines.push_back("click 4");
    for (const std::string& l : lines) ASSERT_TRUE(rt::script::pushLine(l));
    AltitudeSimulation();
    EXPECT_NEAR(number(seen.back()[113]), c.simulated, 1e-6);
    EXPECT_NEAR(number(seen.back()[131]), c.concentration, 1e-6);
    EXPECT_NEAR(number(seen.back()[141]), c.difference, 1e-3);
    EXPECT_EQ(seen.back()[143], c.baric);
  }
  EXPECT_NEAR(number(seen.back()[111]), 3322.5, 1e-6);
}

TEST_F(RateAndPressureWindows, ClosedSystemOpensAtTheGasSettingsAndKeepsThem) {
  FiO2 = 20.71f, FiCO2 = 0.04f;
  RHtemperature = 12.5f;
  qvtest::script({"type 114 100", "key 13", "click 2"});
  ClosedSystemRespirometry();
  EXPECT_EQ(seen.back()[210], "20.71");
  EXPECT_EQ(FiO2, 20.71f);
  EXPECT_EQ(RHtemperature, 12.5f);

  FiO2 = 20.95f, FiCO2 = 0.038f;
  qvtest::script({"click 2"});
  ClosedSystemRespirometry();
  EXPECT_NEAR(number(seen.back()[212]), 5.8568, 1e-3);
  EXPECT_NEAR(number(seen.back()[215]), 0.056739, 1e-5);
  EXPECT_NEAR(LastCalculatorResult, 0.056739, 1e-6);
  // The RQ, then no O2 drop; no CO2 rise forces the RQ.
  qvtest::script({"click 4", "click 6", "click 2"});
  ClosedSystemRespirometry();
  EXPECT_NEAR(number(seen.back()[212]), 4.8065, 1e-3);
  qvtest::script({"click 4", "type 117 0", "key 13", "click 2"});
  ClosedSystemRespirometry();
  EXPECT_EQ(number(seen.back()[212]), 0);
  EXPECT_NEAR(number(seen.back()[214]), 4.6546, 1e-3);
  qvtest::script({"type 118 0", "key 13", "click 2"});
  ClosedSystemRespirometry();
  EXPECT_EQ(number(seen.back()[214]), 0);
}

TEST_F(RateAndPressureWindows, DissolvedOxygenShowsDefaultsAndWritesNothing) {
  openFileWithFlow(93.174f, 0, 0, 0);
  qvtest::script({"click 14"});
  DissolvedO2CALC();
  EXPECT_EQ(seen.back()[104], "10");
  EXPECT_EQ(seen.back()[105], "10000");
  EXPECT_EQ(seen.back()[106], "760");
  EXPECT_EQ(FileInfoFLOATS[0][3], 0.0f);
  EXPECT_EQ(FileInfoFLOATS[0][4], 0.0f);
  EXPECT_EQ(FileInfoFLOATS[0][5], 0.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);

  salinity = 2;
  qvtest::script({"type 105 1200", "type 108 35", "type 104 20", "click 11", "click 16", "click 14"});
  DissolvedO2CALC();
  EXPECT_NEAR(number(seen.back()[103]), 7.5702, 1e-3);
  EXPECT_EQ(seen.back()[115], "mg/L");
  EXPECT_EQ(salinity, 35.0f);
  EXPECT_NEAR(LastCalculatorResult, 7.5702, 1e-4);
}

}  // namespace
