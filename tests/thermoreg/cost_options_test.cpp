// The cost options and the windows they open, driven by scripted input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/startup.h"
#include "calculators/sun_cycle.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/prefs_file.h"
#include "core/prefs_record.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "support/qvtest.h"
#include "thermoreg/commands.h"
#include "thermoreg/cost_option_values.h"
#include "thermoreg/option_windows.h"

using namespace qv;

namespace {

class CostOptions : public ::testing::Test {
 protected:
  std::vector<std::string> heard;
  int convectionOK = -1;  // "Selection OK" as the last click in window 1201 found it
  int rejectionWind = -1;
  void SetUp() override {
    qvtest::resetRuntime();
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    setPreferencesPaths(installedPreferencesPath(), qvtest::tempDir("thermoreg") + "/QVprefs.QVpr");
    GiveDefaults();
    action = eventID = 0;
    gQuitPending = false;
    TheFileInUse = -1;
    prefsArray[7] = 20;
    rt::setSoundObserver([this](const std::string& name) {
      heard.push_back(name);
      if (name != "click.mp3") return;
      if (rt::windowExists(kConvectionWindow)) convectionOK = rt::buttonStateIn(kConvectionWindow, 50);
      if (rt::windowExists(kRejectionWindow)) rejectionWind = rt::buttonStateIn(kRejectionWindow, 3);
    });
  }
  void TearDown() override { rt::setSoundObserver(nullptr); }
};

CostOptionTexts validTexts() { return {"2", "44", "1.4", "12", "2", "2.2", "6", "18", "0", "0", "37"}; }

}  // namespace

TEST(CostOptionValuesCheck, ClampsAndRefusals) {
  CostOptionTexts t = validTexts();
  t.q10 = "7", t.entryTime = "0", t.defaultTb = "0", t.maxActiveTb = "43.9";
  CostOptionsCheck c = checkCostOptions(t);
  ASSERT_TRUE(c.values);
  EXPECT_EQ(c.values->q10, 5.0f);
  EXPECT_EQ(c.values->entryTime, 0.5f);
  EXPECT_EQ(c.values->defaultTb, 37.0f);
  EXPECT_EQ(c.values->maxActiveTb, 43);
  t.q10 = "0.5";
  EXPECT_EQ(checkCostOptions(t).values->q10, 1.0f);
  const struct {
    std::string CostOptionTexts::*member;
    const char* text;
    const char* field;
  } refused[] = {
      {&CostOptionTexts::dawn, "25", "Dawn is at"},
      {&CostOptionTexts::dusk, "-1", "Dusk is at"},
      {&CostOptionTexts::startLag, "-2", "Torpor Start Lag (hours):"},
      {&CostOptionTexts::conductanceFactor, "0", "-X Higher in Active Phase"},
      {&CostOptionTexts::entryTime, "30", "Entry, arousal tme (hr):"},
      {&CostOptionTexts::minimumTorporTb, "abc", "Minimum Tb"},
      {&CostOptionTexts::q10, "", "Torpor Q10:"},
  };
  for (const auto& r : refused) {
    CostOptionTexts bad = validTexts();
    bad.*r.member = r.text;
    c = checkCostOptions(bad);
    EXPECT_FALSE(c.values) << r.text;
    EXPECT_EQ(c.field, r.field);
  }
}

TEST_F(CostOptions, DoneStoresTypedValuesAndRefusalsKeepTheWindow) {
  qvtest::script({"type 168 7", "type 165 0", "type 140 0", "type 110 5.5", "click 10"});
  TregCostOptions();
  EXPECT_EQ(TorporQ10, 5.0f);
  EXPECT_EQ(TorporEntryTime, 0.5f);
  EXPECT_EQ(DefaultTb, 37.0f);
  EXPECT_EQ(DaytimeStart, 5.5f);
  EXPECT_FALSE(rt::windowExists(kCostOptionsWindow));
  // A dawn of 25 is refused by name (the warning's OK), the window stays and takes a good one.
  qvtest::script({"type 110 25", "type 133 -2", "click 10", "click 1", "type 110 7", "type 133 1", "click 10"});
  TregCostOptions();
  EXPECT_EQ(DaytimeStart, 7.0f);
  EXPECT_EQ(TorporStartLag, 1.0f);
  qvtest::script({"type 802 0", "dialog 4 99", "click 1", "type 802 abc", "click 10", "click 1", "type 802 1.6",
                  "click 10"});
  TregCostOptions();
  EXPECT_EQ(ActivePhaseConductanceIncrease, 1.6f);
}

TEST_F(CostOptions, SwitchesChangeAtOnce) {
  ASSERT_EQ(UseTorpor, 1);
  qvtest::script({"click 2", "click 9", "click 7", "click 700", "click 10"});
  TregCostOptions();
  EXPECT_EQ(CalculationsCanUseTorpor, 0);
  EXPECT_EQ(UseTorpor, 0);
  EXPECT_EQ(dayActive, 0);
  EXPECT_EQ(BMRinWatts, 1);
  EXPECT_EQ(ComputeDawnAndDusk, 1);
  // The saved settings come back as they were stored.
  const std::vector<uint8_t> bytes = EncodePreferences();
  const float q10 = TorporQ10;
  GiveDefaults();
  ApplyPreferencesRecord(bytes);
  EXPECT_EQ(CalculationsCanUseTorpor, 0);
  EXPECT_EQ(dayActive, 0);
  EXPECT_EQ(BMRinWatts, 1);
  EXPECT_EQ(TorporQ10, q10);
}

TEST_F(CostOptions, WindNeedsAChannelAndLeavesTheTableColumns) {
  TheFileInUse = 0;
  FileSHORTS[0][kInUseWord] = 1;
  nCases[0] = 10;
  nChannels[0] = 4;
  prefsArray[55] = 0, prefsArray[56] = 0;
  qvtest::script({"click 25", "click 52", "click 51", "dialog 4 1300", "dialog 4 1201", "click 10"});
  TregCostOptions();
  EXPECT_EQ(convectionOK, 0);  // "Yes" without a channel
  EXPECT_EQ(prefsArray[56], 1);
  qvtest::script({"click 25", "click 3", "click 50", "click 888", "click 10", "click 10"});
  TregCostOptions();
  EXPECT_EQ(prefsArray[55], 3);
  const int16_t shadeRule = prefsArray[59];
  qvtest::script({"click 25", "click 53", "click 50", "click 888", "click 1", "click 10", "click 10"});
  TregCostOptions();
  EXPECT_EQ(prefsArray[56], 0);
  EXPECT_EQ(rejectionWind, 0);  // dimmed while wind is off
  EXPECT_EQ(prefsArray[59], shadeRule ? 0 : 1);
}

TEST_F(CostOptions, LocationCommitsOnlyOnDoCalculations) {
  latitude = 40.0f, longitude = 105.0f, northLatitude = 1, westLongitude = 1;
  ComputeDawnAndDusk = 1;
  qvtest::script({"click 701", "type 1 40", "click 102", "type 2 105", "click 103", "click 241", "click 10"});
  TregCostOptions();
  EXPECT_EQ(latitude, -40.0f);
  EXPECT_EQ(northLatitude, 0);
  EXPECT_TRUE(sunTableHolds(-40.0f, 105.0f));
  EXPECT_NEAR(SunCycleArray[172].daylight, 9.3223f, 1e-4f);
  EXPECT_NEAR(SunCycleArray[172].sunrise, 7.3715f, 1e-4f);
  EXPECT_NEAR(SunCycleArray[172].sunset, 16.6937f, 1e-4f);
  EXPECT_TRUE(rt::windowExists(777));
  rt::closeWindow(777);
  // A map pick and the close box: the position stays.
  qvtest::script({"click 701", "click 242", "mouse down 810 570 778", "mouse up 810 570 778", "click 20",
                  "dialog 4 190", "click 10"});
  TregCostOptions();
  EXPECT_EQ(latitude, -40.0f);
  EXPECT_EQ(longitude, 105.0f);
  EXPECT_EQ(northLatitude, 0);
  EXPECT_EQ(westLongitude, 1);
}
