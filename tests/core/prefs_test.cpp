#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "core/prefs_fields.h"
#include "core/prefs_labels.h"
#include "core/prefs_file.h"
#include "core/prefs_record.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "core/script_state.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

// The record described by the hand-made fixture, checked for gaps as it is read.
std::vector<uint8_t> fixtureRecord() {
  std::ifstream in(std::string(QV_FIXTURES) + "/prefs_defaults.txt");
  EXPECT_TRUE(in) << "fixture missing";
  std::vector<uint8_t> out;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream f(line);
    size_t offset;
    std::string type;
    f >> offset >> type;
    EXPECT_EQ(offset, out.size()) << line;
    auto be = [&](uint32_t v, int n) {
      for (int i = n - 1; i >= 0; --i) out.push_back(uint8_t(v >> (8 * i)));
    };
    if (type == "rgb") {
      for (int i = 0; i < 3; ++i) {
        unsigned c;
        f >> c;
        out.push_back(uint8_t(c & 0xFF));
        out.push_back(uint8_t(c >> 8));
      }
    } else if (type == "i16") {
      int v;
      f >> v;
      be(uint16_t(int16_t(v)), 2);
    } else {
      std::string v;
      f >> v;
      be(std::bit_cast<uint32_t>(std::stof(v)), 4);
    }
  }
  return out;
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  ASSERT_TRUE(rt::writeFileAtomic(path, bytes));
}

class Prefs : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    dir = qvtest::tempDir("prefs");
    setPreferencesPaths(dir + "/installed/QVprefs.QVpr", dir + "/user/QVprefs.QVpr");
    SetPreferenceDefaults();
    TheFileInUse = -1;
    FileSHORTS[0][kViewModeWord] = 0;
    RunScript = 0;
  }
  void TearDown() override {
    setPreferencesPaths("", "");
    SetPreferenceDefaults();
    rt::setSoundObserver(nullptr);
  }
  std::string dir;
};

// A value for each field that differs from its default and lies within what it may hold.
void setEveryFieldAwayFromItsDefault() {
  int k = 0;
  for (const PrefsField& f : preferencesLayout()) {
    ++k;
    switch (f.kind) {
      case PrefsField::Rgb: *f.rgb = {uint16_t(k * 7), uint16_t(0x1234 + k), uint16_t(65535 - k)}; break;
      case PrefsField::I16:
        switch (f.check) {
          case PrefsField::Switch: *f.i16 = int16_t(f.defaultValue == 0 ? 1 : 0); break;
          case PrefsField::Range: *f.i16 = int16_t(f.defaultValue == f.lo ? f.hi : f.lo); break;
          case PrefsField::OneOf: *f.i16 = f.codes[0] == f.defaultValue ? f.codes[1] : f.codes[0]; break;
          default: *f.i16 = int16_t(-300 - k); break;
        }
        break;
      case PrefsField::F32:
        *f.f32 = std::isfinite(f.lo) ? float(f.lo + (f.hi - f.lo) / 3) : float(-12.25 * k);
        break;
      default: break;
    }
  }
}

struct Snapshot {
  std::vector<RGB> rgb;
  std::vector<int16_t> i16;
  std::vector<float> f32;
};

Snapshot snapshot() {
  Snapshot s;
  for (const PrefsField& f : preferencesLayout()) {
    if (f.kind == PrefsField::Rgb) s.rgb.push_back(*f.rgb);
    if (f.kind == PrefsField::I16) s.i16.push_back(*f.i16);
    if (f.kind == PrefsField::F32) s.f32.push_back(*f.f32);
  }
  return s;
}

}  // namespace

TEST_F(Prefs, DefaultsRecordIsTheLayoutByteForByte) {
  const auto expected = fixtureRecord();
  ASSERT_EQ(expected.size(), kPrefsRecordSize);
  EXPECT_EQ(EncodePreferences(), expected);
}

TEST_F(Prefs, InstalledRecordHoldsTheDefaults) {
  setPreferencesPaths("", "");
  auto installed = rt::readWholeFile(installedPreferencesPath());
  ASSERT_TRUE(installed) << installedPreferencesPath();
  EXPECT_EQ(*installed, fixtureRecord());
}

TEST_F(Prefs, WriteThenReadGivesBackEveryStoredField) {
  setEveryFieldAwayFromItsDefault();
  prefsArray[51] = 1;  // the trim fields are kept as they are
  prefsArray[74] = 0;
  TheFileInUse = 3;
  FileSHORTS[3][kViewModeWord] = 2;
  latitude = -33.5f;
  longitude = 151.25f;
  const auto record = EncodePreferences();
  ASSERT_EQ(record.size(), kPrefsRecordSize);
  prefsArray[74] = 1;  // what reading makes of it
  const Snapshot written = snapshot();

  SetPreferenceDefaults();
  prefsArray[51] = 1;
  PrefsReadResult r = ApplyPreferencesRecord(record);
  ASSERT_TRUE(r.accepted);
  EXPECT_TRUE(r.fixed.empty());
  const Snapshot read = snapshot();
  EXPECT_EQ(read.rgb, written.rgb);
  EXPECT_EQ(read.i16, written.i16);
  EXPECT_EQ(read.f32, written.f32);
  EXPECT_EQ(FileSHORTS[0][kViewModeWord], 2);
  EXPECT_EQ(northLatitude, 0);
  EXPECT_EQ(westLongitude, 1);
  // Colour components are stored low byte first.
  EXPECT_EQ(record[0], uint8_t(plotForeColor.red & 0xFF));
  EXPECT_EQ(record[1], uint8_t(plotForeColor.red >> 8));
  EXPECT_EQ(record[3], 0x12);
  TheFileInUse = -1;
  FileSHORTS[3][kViewModeWord] = 0;
}

TEST_F(Prefs, ReadingForcesQuartzAndTakesTheHemispheresFromTheSigns) {
  prefsArray[74] = 0;
  latitude = 0.0f;
  longitude = -120.0f;
  auto record = EncodePreferences();
  prefsArray[74] = 0;
  ASSERT_TRUE(ApplyPreferencesRecord(record).accepted);
  EXPECT_EQ(prefsArray[74], 1);
  EXPECT_EQ(northLatitude, 0);
  EXPECT_EQ(westLongitude, 0);
}

TEST_F(Prefs, OlderRecordSetsTheSubplotStyle) {
  prefsArray[82] = 3;
  prefsArray[11] = 0;
  auto record = EncodePreferences();
  SetPreferenceDefaults();
  ASSERT_TRUE(ApplyPreferencesRecord(record).accepted);
  EXPECT_EQ(prefsArray[82], 3);
  record.resize(kOldPrefsRecordSize);
  SetPreferenceDefaults();
  prefsArray[82] = 4;
  ASSERT_TRUE(ApplyPreferencesRecord(record).accepted);
  EXPECT_EQ(prefsArray[82], 1);
  EXPECT_EQ(prefsArray[11], 0);  // the rest was read in full
}

TEST_F(Prefs, StoringWithoutSpikeDefaultsWritesTheStandardTrim) {
  std::vector<std::string> sounds;
  rt::setSoundObserver([&](const std::string& s) { sounds.push_back(s); });
  prefsArray[51] = 0;
  UpTrimLimit = 55.0f, UpTrimValue = 50.0f, LowTrimLimit = -5.0f, LowTrimValue = -1.0f, threshold = 7.0f;
  SaveSettings(0);
  EXPECT_EQ(threshold, 1.0f);
  EXPECT_EQ(rt::fileSize(userPreferencesPath()), kPrefsRecordSize);
  EXPECT_EQ(sounds, std::vector<std::string>{"wsst.mp3"});
  GetSettings(0);
  EXPECT_EQ(UpTrimLimit, 1000.0f);
  EXPECT_EQ(UpTrimValue, 0.0f);
  EXPECT_EQ(LowTrimLimit, -1000.0f);
  EXPECT_EQ(LowTrimValue, 0.0f);
  EXPECT_EQ(threshold, 1.0f);

  prefsArray[51] = 1;
  UpTrimLimit = 55.0f, threshold = 7.0f;
  prefsArray[7] = 0;  // silent
  SaveSettings(0);
  SetPreferenceDefaults();
  GetSettings(0);
  EXPECT_EQ(UpTrimLimit, 55.0f);
  EXPECT_EQ(threshold, 7.0f);
  EXPECT_EQ(sounds.size(), 1u);
}

TEST_F(Prefs, TheUserCopyWinsOverTheInstalledDefault) {
  GetSettings(0);  // neither exists: the defaults stay, nothing is said
  EXPECT_EQ(prefsArray[11], 1);
  rt::makeFolders(dir + "/installed");
  prefsArray[11] = 0;
  writeBytes(installedPreferencesPath(), EncodePreferences());
  SetPreferenceDefaults();
  GetSettings(0);
  EXPECT_EQ(prefsArray[11], 0);
  prefsArray[11] = 1;
  prefsArray[13] = 0;
  SaveSettings(0);  // the user's copy is made, the installed one left alone
  SetPreferenceDefaults();
  GetSettings(0);
  EXPECT_EQ(prefsArray[11], 1);
  EXPECT_EQ(prefsArray[13], 0);
}

TEST_F(Prefs, ShortOrForeignFilesChangeNothingAndSaySo) {
  rt::makeFolders(dir + "/user");
  for (size_t size : {size_t(0), size_t(100), size_t(411), size_t(413), size_t(4000)}) {
    writeBytes(userPreferencesPath(), std::vector<uint8_t>(size, 0x41));
    prefsArray[11] = 0;
    FiO2 = 21.5f;
    qvtest::script({"click 1"});
    GetSettings(0);
    EXPECT_EQ(rt::script::pendingCount(), 0u) << size << ": no warning";
    EXPECT_EQ(prefsArray[11], 0) << size;
    EXPECT_EQ(FiO2, 21.5f) << size;
  }
}

TEST_F(Prefs, GarbageOfTheRightSizeIsForeignAndBringsInNoColour) {
  const RGB back = plotBackColor, text = plotForeColor, overlay2 = OverlayColor[2];
  const int16_t toolbar = ToolBarBackground;
  for (unsigned seed : {7u, 8u, 9u}) {
    std::mt19937 gen(seed);
    std::vector<uint8_t> garbage(kPrefsRecordSize);
    for (auto& b : garbage) b = uint8_t(gen());
    EXPECT_TRUE(IsForeignPreferencesRecord(garbage)) << seed;
    const std::string path = dir + "/garbage.QVpr";
    writeBytes(path, garbage);
    qvtest::script({(std::string("open ") + path).c_str(), "click 1"});
    GetSettings(1);
    EXPECT_EQ(rt::script::pendingCount(), 0u) << seed << ": no warning";
    EXPECT_TRUE(plotBackColor == back && plotForeColor == text && OverlayColor[2] == overlay2) << seed;
    EXPECT_EQ(ToolBarBackground, toolbar);
    StoredColors colors;
    EXPECT_FALSE(DecodeStoredColors(garbage, colors));
  }
}

TEST_F(Prefs, AFewImpossibleFieldsInOurOwnRecordTakeTheirDefaults) {
  std::vector<uint8_t> rec = EncodePreferences();
  EXPECT_FALSE(IsForeignPreferencesRecord(rec));
  // Offsets of three checked words: spoil them and keep the rest.
  size_t offset = 0;
  std::vector<const PrefsField*> spoiled;
  for (const PrefsField& f : preferencesLayout()) {
    const size_t n = f.kind == PrefsField::Rgb ? 6 : f.kind == PrefsField::F32 ? 4 : 2;
    if (f.kind == PrefsField::I16 && f.check == PrefsField::Switch && spoiled.size() < 3) {
      rec[offset] = 0x7F;
      spoiled.push_back(&f);
    }
    offset += n;
  }
  ASSERT_EQ(offset, kPrefsRecordSize);
  ASSERT_EQ(spoiled.size(), 3u);
  plotBackColor = {1, 2, 3};
  const PrefsReadResult r = ApplyPreferencesRecord(rec);
  EXPECT_FALSE(r.foreign);
  EXPECT_EQ(r.fixed.size(), 3u);
  for (const PrefsField* f : spoiled) EXPECT_EQ(*f->i16, int16_t(f->defaultValue)) << f->name;
  EXPECT_FALSE(plotBackColor == RGB({1, 2, 3}));  // the record's own colours are taken
}

TEST_F(Prefs, ResetSettingsAreNamedAsThePreferencesWindowNamesThem) {
  using Lines = std::vector<std::string>;
  EXPECT_EQ(ResetPreferencesLines({"prefsArray[2]", "prefsArray[3]", "OpenAsk"}),
            (Lines{"    Show Comments", "    Smoothing default",
                   "    'Open' Toolbar Button Asks for File Type(s) to Access"}));
  const std::vector<std::string> seven(7, "prefsArray[16]");
  const Lines shown = ResetPreferencesLines(seven);
  ASSERT_EQ(shown.size(), 7u);
  EXPECT_EQ(shown[0], "    Warn Before Closing or Quitting if a File Has Been Changed");
  EXPECT_EQ(shown[6], "    and 1 more");
  // Every field that a damaged record can reset has a name people know.
  for (const PrefsField& f : preferencesLayout()) {
    if (f.kind != PrefsField::Rgb && f.kind != PrefsField::Reserved) {
      EXPECT_NE(PreferenceLabel(f.name), f.name);
    }
  }
}

TEST_F(Prefs, ExportAndImportGoThroughThePanels) {
  const std::string path = dir + "/exported.QVpr";
  qvtest::script({"save cancel"});
  SaveSettings(1);
  EXPECT_FALSE(rt::fileExists(path));
  prefsArray[21] = 0;
  RQ = 0.7f;
  qvtest::script({(std::string("save ") + path).c_str()});
  SaveSettings(1);
  EXPECT_EQ(rt::fileSize(path), kPrefsRecordSize);
  EXPECT_FALSE(rt::fileExists(userPreferencesPath()));
  SetPreferenceDefaults();
  qvtest::script({"open cancel"});
  GetSettings(1);
  EXPECT_EQ(prefsArray[21], 1);
  qvtest::script({(std::string("open ") + path).c_str()});
  GetSettings(1);
  EXPECT_EQ(prefsArray[21], 0);
  EXPECT_EQ(RQ, 0.7f);
}

TEST_F(Prefs, TogglesFlipBetweenZeroAndOne) {
  prefsArray[12] = 5;
  TogglePrefs(12);
  EXPECT_EQ(prefsArray[12], 0);
  TogglePrefs(12);
  EXPECT_EQ(prefsArray[12], 1);
  TogglePrefs(91);
  TogglePrefs(0);
  EXPECT_EQ(ToggleValue(0), 1);
  EXPECT_EQ(ToggleValue(7), 0);
}
