// The cost window driven by scripted input: gating, runs, storing channels, refusals.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/startup.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/sounds.h"
#include "runtime/numtext.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "support/qvtest.h"
#include "thermoreg/commands.h"
#include "thermoreg/option_windows.h"
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
    // Settings the preferences do not keep, as start-up leaves them.
    ActivePhaseConductanceIncrease = 0.0f;
    variableConductance = SunUseAllowed = UseTorpor = 1;
    ComputeDawnAndDusk = 0;
    MaxAverageIntervalinDays = 1.0f;
    action = eventID = 0;
    MenuIDENTIFIER = MenuItem = 0;
    click = 1;
    prefsArray[7] = 20;
    ChannelforDaytime = ChannelforJulianDay = 0;
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
  qvtest::script({"click 1", "click 42", "click 503", "click 604", "click 258", "click 10", "click 256", "click 256",
                  "type 111 0.6", "click 257", "click 1", "click 256", "click 257", "click 1", "click 259"});
  ComputeThermoregulationCosts();
  ASSERT_GE(seen.size(), 13u);
  for (size_t k = 0; k < 6; ++k) EXPECT_EQ(seen[k].compute, 0) << "click " << k;  // up to the options' Done
  EXPECT_EQ(seen[6].compute, 1);
  EXPECT_NEAR(rt::PSval(seen[7].fields[115]), 0.232548, 2e-6);
  EXPECT_EQ(seen[7].fields[111], ".5");  // the BMR as typed
  seen[8].fields.erase(111), seen[7].fields.erase(111);
  EXPECT_EQ(seen[7].fields, seen[8].fields);  // run twice, same summary
  EXPECT_NEAR(rt::PSval(seen[7].fields[117]), 1.3883, 1e-3);
  EXPECT_EQ(seen[7].fields[188].empty(), false);
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
  qvtest::script({"click 1", "click 42", "click 503", "click 604", "click 258", "click 10", "click 256", "click 259"});
  ComputeThermoregulationCosts();
  ASSERT_EQ(seen.size(), 8u);
  EXPECT_EQ(seen[7].store, 0);
  EXPECT_EQ(nChannels[0], 40);
  EXPECT_NEAR(GetDatum(0, 0, 8), 0.462, 1e-6);
}

TEST_F(CostWindow, ChannelsOutsideTheFileAndTextForNumbersAreRefused) {
  climateFile(1);
  ChannelforDaytime = 7;  // left from a larger file
  qvtest::script({"click 1", "click 42", "click 258", "click 10", "click 256", "click 1", "click 503", "type 113 abc",
                  "click 256", "click 1", "click 260"});
  ComputeThermoregulationCosts();
  EXPECT_EQ(nChannels[0], 5);
  for (Seen& s : seen) EXPECT_EQ(s.fields[115], "");
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
}

TEST_F(CostWindow, TheSpeciesTableWritesTheTickedResultsAndItsMetadata) {
  climateFile();
  const std::string dir = qvtest::tempDir("thermoreg");
  std::ofstream(dir + "/species.csv") << "name,sun,Tb,C,LCT,BMR,torpor,minTb,diurnal\nA,yes,39,0.015,28,0.5,y,12,D\n"
                                         "C,yes,38,0,29,0.6,no,12,y\nB,no,37,0.02,30,0.8,no,12,n\n";
  const std::string open = "open " + dir + "/species.csv", save = "save " + dir + "/TregCosts.csv";
  qvtest::script({"click 1", "click 42", "click 503", "click 604", "click 258", "click 10", "click 255", open.c_str(), "click 2",
                  "click 53", "click 104", "click 155", "click 206", "click 257", "click 308", "click 359",
                  "click 600", "click 1", "click 4", "click 22", "click 20", save.c_str(), "click 259"});
  ComputeThermoregulationCosts();
  std::ifstream in(dir + "/TregCosts.csv");
  std::vector<std::string> lines;
  for (std::string l; std::getline(in, l);) lines.push_back(l);
  ASSERT_GE(lines.size(), 14u);
  EXPECT_EQ(lines[0], "name,sun,Tb,C,LCT,BMR,torpor,minTb,diurnal,mean cost (w) ,X BMR,% at BMR");
  EXPECT_EQ(lines[1].substr(0, 29), "A,yes,39,0.015,28,0.5,y,12,D,");
  EXPECT_NEAR(rt::PSval(lines[1].substr(29)), 0.232548, 2e-6);
  EXPECT_EQ(lines[2], "C,yes,38,0,29,0.6,no,12,y,,,");
  EXPECT_EQ(lines[3].substr(0, 28), "B,no,37,0.02,30,0.8,no,12,n,");
  EXPECT_NEAR(rt::PSval(lines[3].substr(28)), 0.445463, 2e-6);
  EXPECT_EQ(lines[5], "METADATA");
  EXPECT_EQ(lines[6], "Climate data file = 'climate'");
  EXPECT_EQ(lines[7], "Thermal physiology source spreadsheet = 'species.csv'");
  EXPECT_EQ(lines.back(), "Day length constant:  dawn is at   6     dusk is at  18");
  // The last row's torpor, activity and minimum Tb do not stay.
  EXPECT_EQ(UseTorpor, 1);
  EXPECT_EQ(dayActive, 1);
  EXPECT_EQ(MinimumTorporTb, 12.0f);
  EXPECT_EQ(nChannels[0], 4);
}
