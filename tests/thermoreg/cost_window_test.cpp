// The cost window driven by scripted input: gating, runs, storing channels, refusals.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/startup.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "core/stub_log.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "support/qvtest.h"
#include "thermoreg/commands.h"
#include "thermoreg/treg_state.h"
#include "treg_fixture.h"

using namespace qv;

namespace {

struct Seen {
  std::map<int, std::string> fields;
  int compute = -1, store = -1;
};

class CostWindow : public ::testing::Test {
 protected:
  std::vector<Seen> seen;

  void SetUp() override {
    qvtest::resetRuntime();
    for (int s = 0; s < kSlots; ++s) FreeFileSlot(s);
    GiveDefaults();
    TbChange = 2.0f;
    action = eventID = 0;
    MenuIDENTIFIER = MenuItem = 0;
    click = 1;
    prefsArray[7] = 20;
    ChannelforDaytime = ChannelforJulianDay = 0;
    setNotBuiltRecorder([](const std::string&) {});
    rt::setSoundObserver([this](const std::string& name) {
      if (name != "click.mp3" || !rt::windowExists(4)) return;
      Seen s;
      for (int id : {111, 115, 116, 117, 118, 119, 138, 139, 140, 202, 204, 212, 214, 182, 184, 188, 189, 192})
        if (rt::controlExistsIn(4, id)) s.fields[id] = rt::editTextIn(4, id);
      s.compute = rt::buttonStateIn(4, 256);
      s.store = rt::buttonStateIn(4, 257);
      seen.push_back(s);
    });
  }
  void TearDown() override {
    rt::setSoundObserver(nullptr);
    setNotBuiltRecorder(nullptr);
    TheFileInUse = -1;
  }

  // Slot 0: the hourly fixture as channels 1-4 (shade, sun, time, day), then `extra` more.
  static void climateFile(int extra = 0) {
    const qvtest::Climate c = qvtest::hourlyClimate();
    const int channels = 4 + extra;
    nCases[0] = c.n;
    nChannels[0] = int16_t(channels);
    FileSHORTS[0][kInUseWord] = 1;
    FileSHORTS[0][kChangeMarkWord] = 0;
    FileInfoFLOATS[0][1] = float(c.interval);
    for (int s = 1; s <= 5; ++s) LabelStrings[0][s].assign(240, ' ');
    const std::vector<float>* src[] = {&c.shade, &c.sun, &c.time, &c.day};
    for (int ch = 1; ch <= channels; ++ch) {
      gPointersToFileData[0][ch] = allocateSamples(c.n);
      for (int32_t k = 0; k <= c.n; ++k) PutDatum(0, ch, k, ch <= 4 ? (*src[ch - 1])[size_t(k)] : 1.0f);
      SetChannelLabel(0, ch, "chan " + std::to_string(ch));
    }
    FileName[0] = "climate";
    TheFileInUse = 0;
  }
};

}  // namespace

TEST_F(CostWindow, ComputeWaitsForTheChannelsAndOptionsThenRunsAndStores) {
  climateFile();
  qvtest::script({"click 1", "click 42", "click 503", "click 604", "click 258", "click 256", "click 256",
                  "type 111 0.6", "click 257", "click 1", "click 256", "click 257", "click 1", "click 259"});
  ComputeThermoregulationCosts();
  ASSERT_GE(seen.size(), 12u);
  for (size_t k = 0; k < 5; ++k) EXPECT_EQ(seen[k].compute, 0) << "click " << k;
  EXPECT_EQ(seen[5].compute, 1);
  EXPECT_NEAR(rt::PSval(seen[6].fields[115]), 0.232548, 2e-6);
  EXPECT_EQ(seen[6].fields[111], ".5");  // the BMR as typed
  seen[7].fields.erase(111), seen[6].fields.erase(111);
  EXPECT_EQ(seen[6].fields, seen[7].fields);  // run twice, same summary
  EXPECT_NEAR(rt::PSval(seen[6].fields[117]), 1.3883, 1e-3);
  EXPECT_EQ(seen[6].fields[188].empty(), false);
  ASSERT_EQ(nChannels[0], 6);
  EXPECT_EQ(RetrieveLabelOf(0, 5), " Treg costs in watts          ");
  EXPECT_NEAR(GetDatum(0, 5, 8), 0.462, 1e-6);
  EXPECT_NEAR(GetDatum(0, 5, 21), 0.1675, 1e-6);
  // BMR 0.6 ml/min is 0.201 W: the cases at BMR differ in channel 6, and channel 5 kept the first run.
  EXPECT_NEAR(GetDatum(0, 6, 21), 0.201, 1e-6);
  EXPECT_NEAR(GetDatum(0, 5, 21), 0.1675, 1e-6);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  EXPECT_FALSE(rt::windowExists(4));
}

TEST_F(CostWindow, AFullFileKeepsTheCostsInTheWorkChannelOnly) {
  climateFile(36);
  qvtest::script({"click 1", "click 42", "click 503", "click 604", "click 258", "click 256", "click 259"});
  ComputeThermoregulationCosts();
  ASSERT_EQ(seen.size(), 7u);
  EXPECT_EQ(seen[6].store, 0);
  EXPECT_EQ(nChannels[0], 40);
  EXPECT_NEAR(GetDatum(0, 0, 8), 0.462, 1e-6);
}

TEST_F(CostWindow, ChannelsOutsideTheFileAndTextForNumbersAreRefused) {
  climateFile(1);
  ChannelforDaytime = 7;  // left from a larger file
  qvtest::script({"click 1", "click 42", "click 258", "click 256", "click 1", "click 503", "type 113 abc",
                  "click 256", "click 1", "click 260"});
  ComputeThermoregulationCosts();
  EXPECT_EQ(nChannels[0], 5);
  for (Seen& s : seen) EXPECT_EQ(s.fields[115], "");
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
}
