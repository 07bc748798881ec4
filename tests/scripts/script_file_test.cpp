// The script file: its bytes, a hand-made file loaded and saved back, and files refused.
#include <gtest/gtest.h>

#include <cmath>

#include "app/dispatcher.h"
#include "runtime/windows.h"
#include "script_fixture.h"
#include "scripts/script_file.h"

using namespace qv;
using scripttest::HandScript;

namespace {

class ScriptFile : public scripttest::ScriptTest {
 protected:
  void save(const std::string& path) {
    const std::string answer = "save " + path;
    drive({answer.c_str()}, [] { SaveSCRIPTtoFile(); });
  }
  bool load(const std::string& path, bool refused = false) {
    const std::string answer = "open " + path;
    bool loaded = false;
    if (refused) drive({answer.c_str(), "click 1"}, [&] { loaded = LoadScriptFromFile(); });
    else drive({answer.c_str()}, [&] { loaded = LoadScriptFromFile(); });
    return loaded;
  }
};

// Three steps and the automatic-run switch, where the layout puts them.
TEST_F(ScriptFile, SavedBytesFollowTheLayout) {
  ScriptSequenceArray[1][1] = 1, ScriptSequenceArray[1][2] = 2;
  ScriptSequenceArray[2][1] = 12;
  ScriptSequenceArray[3][1] = 16, ScriptSequenceArray[3][2] = 1, ScriptSequenceArray[3][4] = 1;
  autoscript = 1;
  save(dir + "/three.QVscript");
  const auto b = scripttest::readBytes(dir + "/three.QVscript");
  ASSERT_EQ(b.size(), 5826u);
  const struct {
    size_t at;
    std::vector<uint8_t> bytes;
  } expected[] = {{112, {0, 0, 0, 0}},           {116, {0x3F, 0x80, 0, 0}}, {120, {0x40, 0, 0, 0}},
                  {228, {0x41, 0x40, 0, 0}},     {340, {0x41, 0x80, 0, 0}}, {344, {0x3F, 0x80, 0, 0}},
                  {352, {0x3F, 0x80, 0, 0}},     {5824, {0, 1}}};
  for (const auto& e : expected)
    EXPECT_EQ(std::vector<uint8_t>(b.begin() + long(e.at), b.begin() + long(e.at + e.bytes.size())), e.bytes)
        << "at " << e.at;
}

TEST_F(ScriptFile, AHandMadeFileLoadsAndSavesBackByteForByte) {
  HandScript h;
  // Records 0 and 41..51 hold whatever they hold, a NaN among them.
  for (int w = 0; w < 28; ++w) h.value(0, w, float(w) * 1.25f - 3);
  for (int r = 41; r <= 51; ++r)
    for (int w = 0; w < 28; ++w) h.value(r, w, float(r * 100 + w));
  h.word(45, 7, 0x7FC00001u);
  h.value(1, 1, 1), h.value(1, 2, 4);
  h.value(2, 0, 1), h.value(2, 1, 12);
  h.value(3, 1, 11), h.value(3, 4, 5), h.value(3, 8, 2.5f), h.value(3, 9, -0.75f), h.value(3, 10, 3);
  h.value(4, 1, 99);
  h.value(5, 1, 25);
  h.autoscript(1);
  scripttest::writeBytes(dir + "/hand.QVscript", h.bytes);
  ScriptCOUNT = 7;
  ASSERT_TRUE(load(dir + "/hand.QVscript"));
  EXPECT_EQ(ScriptFileName, "hand.QVscript");
  EXPECT_EQ(ScriptCOUNT, 0);
  EXPECT_EQ(autoscript, 1);
  EXPECT_EQ(ScriptIsLoaded, 1);
  EXPECT_EQ(ScriptSequenceArray[3][8], 2.5f);
  EXPECT_EQ(rt::menuItemState(6, 8), 1);
  EXPECT_EQ(rt::menuItemState(6, 9), 1);
  save(dir + "/again.QVscript");
  EXPECT_EQ(scripttest::readBytes(dir + "/again.QVscript"), h.bytes);
}

TEST_F(ScriptFile, AFileWithoutTheSwitchLoadsWithAutomaticRunOff) {
  HandScript h;
  h.value(1, 1, 12);
  h.bytes.resize(5824);
  scripttest::writeBytes(dir + "/short.QVscript", h.bytes);
  autoscript = 1;
  ASSERT_TRUE(load(dir + "/short.QVscript"));
  EXPECT_EQ(autoscript, 0);
  EXPECT_EQ(ScriptSequenceArray[1][1], 12.0f);
}

// Each refused file gives the warning and leaves the script, its name and its switch exactly
// as they were.
TEST_F(ScriptFile, FilesThatAreNoScriptAreRefusedAndKeepTheOldScript) {
  ScriptSequenceArray[1][1] = 1, ScriptSequenceArray[1][2] = 3;
  ScriptSequenceArray[2][1] = 12;
  ScriptSequenceArray[47][5] = 8;
  autoscript = 1;
  ScriptFileName = "old.QVscript";
  ScriptIsLoaded = 1;
  const ScriptImage before = currentScript();
  const auto sized = [](size_t n) {
    HandScript h;
    h.bytes.resize(n);
    return h;
  };
  const auto withWord = [](int record, int w, uint32_t bits) {
    HandScript h;
    h.word(record, w, bits);
    return h;
  };
  const auto withValue = [](int record, int w, float v) {
    HandScript h;
    h.value(record, w, v);
    return h;
  };
  HandScript switched;
  switched.autoscript(7);
  const struct {
    const char* name;
    HandScript file;
  } cases[] = {{"empty", sized(0)},
               {"one record", sized(112)},
               {"one byte short", sized(5825)},
               {"too long", sized(6000)},
               {"code 46", withValue(40, 1, 46)},
               {"code 2.5", withValue(3, 1, 2.5f)},
               {"NaN code", withWord(1, 1, 0x7FC00000u)},
               {"pause flag 2", withValue(2, 0, 2)},
               {"switch 7", switched}};
  for (const auto& c : cases) {
    const std::string path = dir + "/" + c.name + ".QVscript";
    scripttest::writeBytes(path, c.file.bytes);
    EXPECT_FALSE(load(path, true)) << c.name;
    const ScriptImage now = currentScript();
    EXPECT_EQ(std::memcmp(&now.records, &before.records, sizeof before.records), 0) << c.name;
    EXPECT_EQ(autoscript, 1) << c.name;
    EXPECT_EQ(ScriptFileName, "old.QVscript") << c.name;
  }
}

TEST_F(ScriptFile, CancellingLoadScriptChangesNothing) {
  ScriptSequenceArray[1][1] = 12;
  autoscript = 1;
  ScriptRunOnce = 1;
  ScriptFileName = "kept.QVscript";
  rt::menuSetItemState(6, 8, 0);
  // Menu Load Script...: no Script Sequence window follows a cancelled panel.
  drive({"open cancel"}, [] { DoMENU(6, 4); });
  EXPECT_EQ(ScriptSequenceArray[1][1], 12.0f);
  EXPECT_EQ(autoscript, 1);
  EXPECT_EQ(ScriptRunOnce, 1);
  EXPECT_EQ(ScriptFileName, "kept.QVscript");
  EXPECT_EQ(rt::menuItemState(6, 8), 0);
  EXPECT_FALSE(rt::windowExists(200));
}

TEST_F(ScriptFile, ACancelledSaveWritesNothing) {
  drive({"save cancel"}, [] { SaveSCRIPTtoFile(); });
  drive({"save /nonexistent-folder/x.QVscript", "click 1"}, [] { SaveSCRIPTtoFile(); });
  EXPECT_FALSE(rt::fileExists("/nonexistent-folder/x.QVscript"));
}

}  // namespace
