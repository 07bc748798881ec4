// The closed-chamber factor, and its window opened from the interval scans.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/core_files.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/respirometry_settings.h"
#include "core/view_state.h"
#include "respirometry/commands.h"
#include "respirometry/constant_volume.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

ChamberDescription chamber(float h, float celsius) { return {1000.0f, 10.0f, 760.0f, celsius, h}; }

TEST(ConstantVolume, FactorRemovesTheWaterVapourOfTheChamberAir) {
  struct Case {
    float h, celsius;
    double dry, factor;
  };
  const Case cases[] = {{0, 0, 1000.0, 100.0}, {50, 20, 988.466, 92.1031}, {100, 37, 938.06, 82.6156}};
  for (const Case& c : cases) {
    EXPECT_NEAR(dryChamberVolume(chamber(c.h, c.celsius)), c.dry, c.dry * 2e-4) << c.h;
    EXPECT_NEAR(stpFactor(chamber(c.h, c.celsius)), c.factor, c.factor * 1e-5) << c.h;
  }
}

TEST(ConstantVolume, DescriptionsThatGiveNoFactorAreNamed) {
  struct Case {
    ChamberDescription c;
    const char* word;
  };
  const Case cases[] = {{{1000, 0, 760, 20, 0}, "elapsed time"},     {{1000, -1, 760, 20, 0}, "elapsed time"},
                        {{0, 10, 760, 20, 0}, "chamber volume"},     {{1000, 10, 0, 20, 0}, "pressure"},
                        {{1000, 10, 760, -273.16f, 0}, "temperature"}, {{1000, 10, 760, 20, 101}, "R.H."},
                        {{1000, 10, 760, 20, -1}, "R.H."},           {{1000, 10, NAN, 20, 0}, "pressure"}};
  for (const Case& c : cases) {
    const auto p = chamberProblem(c.c);
    ASSERT_TRUE(p) << c.word;
    EXPECT_NE(p->find(c.word), std::string::npos) << *p;
  }
  EXPECT_FALSE(chamberProblem(chamber(100, 37)));
}

class ConstantVolumeWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    coretest::makeFile(0, 2, 20);
    TheFileInUse = 0;
    ActiveChannel = 1;
    float info[] = {0, 1, 100, 25, 750, 500, 30};
    for (int w = 1; w <= 6; ++w) FileInfoFLOATS[0][w] = info[w];
    STPfactor[0] = 1.0f;
    Tminutes = 0.0f;
    startRH = 0.0f;
    GasType = 1;
  }
  void TearDown() override { FreeFileSlot(0); }
};

TEST_F(ConstantVolumeWindow, DoneStoresTheChamberAndTheFactor) {
  qvtest::script({"type 101 1000", "type 102 10", "type 103 760", "type 104 20", "type 108 50", "click 50"});
  ConstantVolumeRespirometry();
  EXPECT_NEAR(STPfactor[0], 92.1031f, 1e-3);
  EXPECT_EQ(FileInfoFLOATS[0][5], 1000.0f);
  EXPECT_EQ(FileInfoFLOATS[0][4], 760.0f);
  EXPECT_EQ(FileInfoFLOATS[0][3], 20.0f);
  EXPECT_EQ(startRH, 50.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  EXPECT_FALSE(rt::windowExists(16));
}

TEST_F(ConstantVolumeWindow, AStoredTimeOfZeroOpensAsOneAndUnchangedWordsLeaveNoMark) {
  qvtest::script({"shot 16 /dev/null", "click 50"});
  ConstantVolumeRespirometry();
  EXPECT_EQ(Tminutes, 1.0f);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_NEAR(STPfactor[0], 500.0f * 273.16f / 298.16f * 750.0f / 760.0f, 1e-2);
}

TEST_F(ConstantVolumeWindow, BadFieldsAreRefusedAndTheWindowStays) {
  for (const char* typed : {"type 102 0", "type 103 0", "type 103 abc", "type 105 abc", "type 108 120"}) {
    STPfactor[0] = 1.0f;
    // The first Done is refused (the warning's OK), the field mended, the second Done stores.
    qvtest::script({typed, "click 50", "click 1", "type 102 10", "type 103 760", "type 105 20.95", "type 108 0",
                    "click 50"});
    ConstantVolumeRespirometry();
    EXPECT_EQ(rt::script::pendingCount(), 0u) << typed;
    EXPECT_NEAR(STPfactor[0], 500.0f * 273.16f / 298.16f / 10.0f, 1e-3) << typed;
    EXPECT_EQ(FileInfoFLOATS[0][4], 760.0f);
  }
}

}  // namespace
