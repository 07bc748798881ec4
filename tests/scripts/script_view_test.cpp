// The Script Sequence window: the texts of its rows, changing and deleting a step, the
// automatic-run switch, the printout and the window's picture.
#include <gtest/gtest.h>

#include <span>

#include "runtime/windows.h"
#include "script_fixture.h"
#include "scripts/script_file.h"
#include "scripts/script_rows.h"
#include "scripts/script_view.h"

using namespace qv;

namespace {

ScriptRow rowOf(std::initializer_list<std::pair<int, float>> words) {
  float w[28] = {};
  for (auto [i, v] : words) w[i] = v;
  return scriptRow(std::span<const float>(w, 28));
}

TEST(ScriptRows, TextsOfEachKindOfStep) {
  const struct {
    ScriptRow row;
    const char* label;
    const char* main;
    std::vector<std::string> texts;
  } cases[] = {
      {rowOf({{1, 1}, {2, 3}}), "CHANGE CHANNEL to:", " 3", {}},
      {rowOf({{1, 3}, {4, 2}}), "BASELINE", "", {"baseline method: automatic"}},
      {rowOf({{1, 3}, {4, 4}, {5, 1.5f}, {6, 2}}), "BASELINE", "", {"baseline method: text start, end", " 1.5", " 2"}},
      {rowOf({{1, 6}, {4, 6}, {5, 2}}), "SMOOTHING", "", {"cases:  15", "cycles:  2"}},
      {rowOf({{1, 6}, {4, 41}}), "SMOOTHING", "", {"cases:  3", "cycles:  0"}},
      {rowOf({{1, 11}, {4, 10}}), "TRANSFORMATIONS", "", {"\u221A X"}},
      {rowOf({{1, 13}, {2, 120}}), "MINIMUM; total seconds:", " 120", {}},
      {rowOf({{1, 40}, {4, 1}, {5, 0}, {6, 3}, {7, 2}, {8, 9}}),
       "remove REFERENCES", "", {"downgoing?  1", "cutoff:  3", "sidepoints:  2", "fixed:  9"}},
      {rowOf({{1, 9}, {5, 500}, {8, 1}, {9, 2}, {15, 0.8f}}),
       "CO2 PRODUCTION", "", {"mode  2", "flow:  500", "RQ: 0.8", "instantaneous"}},
      // Salinity is the step's word 17; word 18 is the absolute-units switch.
      {rowOf({{1, 32}, {7, 2}, {8, 3}, {11, 1}, {17, 35}, {18, 1}}),
       "VO2 in water", "", {"mode:  1", "units:  3", "mass unit:  2", "salinity:  35"}},
      {rowOf({{1, 25}}), " * END SCRIPT *", "", {}},
      {rowOf({{1, 99}, {2, 4}}), kDeletedStepText, "", {}},
  };
  for (const auto& c : cases) {
    EXPECT_TRUE(c.row.listed) << c.label;
    EXPECT_EQ(c.row.label, c.label);
    EXPECT_EQ(c.row.mainValue, c.main) << c.label;
    EXPECT_EQ(c.row.texts, c.texts) << c.label;
  }
  const ScriptRow t = rowOf({{1, 11}, {4, 5}, {8, 2}, {9, -1}, {10, 0.5f}});
  EXPECT_TRUE(t.transformValues);
  EXPECT_EQ(t.a, 2.0f);
  EXPECT_EQ(t.exponent, 0.5f);
  for (int code : {0, 21, 31, 46}) EXPECT_FALSE(rowOf({{1, float(code)}}).listed) << code;
}

class ScriptView : public scripttest::ScriptTest {
 protected:
  void SetUp() override {
    ScriptTest::SetUp();
    const struct {
      int step;
      std::initializer_list<std::pair<int, float>> words;
    } steps[] = {{1, {{1, 1}, {2, 2}}},
                 {2, {{1, 3}, {4, 2}}},
                 {3, {{1, 11}, {4, 10}, {8, 1}, {9, 2}, {10, 3}}},
                 {5, {{1, 6}, {4, 6}, {5, 1}}},
                 {6, {{1, 40}, {4, 1}, {5, 1}, {6, 4}, {7, 2}}},
                 {8, {{1, 21}}},
                 {9, {{1, 25}}},
                 {12, {{1, 99}}}};
    for (const auto& s : steps)
      for (auto [w, v] : s.words) ScriptSequenceArray[s.step][w] = v;
  }
};

TEST_F(ScriptView, ListsTheStepsAndChangesATransform) {
  const std::string shot = "shot 200 " + dir + "/view.png";
  drive({shot.c_str(), "click 3", "type 183 2.5", "type 223 -1", "type 263 0.5", "click 2", "click 246"},
        [] { VIEWSCRIPT(); });
  EXPECT_EQ(ScriptCOUNT, 0) << "listing the steps moves no step counter";
  EXPECT_EQ(ScriptSequenceArray[3][8], 2.5f);
  EXPECT_EQ(ScriptSequenceArray[3][9], -1.0f);
  EXPECT_EQ(ScriptSequenceArray[3][10], 0.5f);
  EXPECT_TRUE(rt::fileExists(dir + "/view.png"));
}

TEST_F(ScriptView, ABadValueChangesNothingAndCancelLeavesTheStep) {
  drive({"click 3", "type 183 abc", "click 2", "click 1", "click 1", "click 1", "type 141 0", "click 2", "click 1",
         "click 1", "click 246"},
        [] { VIEWSCRIPT(); });
  EXPECT_EQ(ScriptSequenceArray[3][8], 1.0f);
  EXPECT_EQ(ScriptSequenceArray[1][2], 2.0f);
}

// One bad field refused: the good values typed in the other two are kept for the next try.
TEST_F(ScriptView, ARefusedFieldKeepsTheGoodValuesTypedBesideIt) {
  drive({"click 3", "type 183 abc", "type 223 -1", "type 263 0.5", "click 2", "click 1", "type 183 2.5", "click 2",
         "click 246"},
        [] { VIEWSCRIPT(); });
  EXPECT_EQ(ScriptSequenceArray[3][8], 2.5f);
  EXPECT_EQ(ScriptSequenceArray[3][9], -1.0f);
  EXPECT_EQ(ScriptSequenceArray[3][10], 0.5f);
}

TEST_F(ScriptView, ADeletedStepStaysCountedAndSaved) {
  drive({"click 5", "click 3", "click 2", "click 246"}, [] { VIEWSCRIPT(); });
  EXPECT_EQ(ScriptSequenceArray[5][1], 99.0f);
  EXPECT_EQ(ScriptSequenceArray[5][4], 6.0f);
  const auto bytes = encodeScript(currentScript());
  EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 564, bytes.begin() + 568), (std::vector<uint8_t>{0x42, 0xC6, 0, 0}));
  // The close box of the step editor applies a pending deletion too.
  drive({"click 6", "click 3", "dialog 4 500", "click 246"}, [] { VIEWSCRIPT(); });
  EXPECT_EQ(ScriptSequenceArray[6][1], 99.0f);
}

TEST_F(ScriptView, AutomaticRunTogglesAndPrintWritesAPdf) {
  autoscript = 1;
  const std::string pdf = "print " + dir + "/script.pdf";
  drive({"click 247", "click 248", "page ok", pdf.c_str(), "click 248", "page cancel", "click 246"},
        [] { VIEWSCRIPT(); });
  EXPECT_EQ(autoscript, 0);
  const auto bytes = scripttest::readBytes(dir + "/script.pdf");
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 4), "%PDF");
}

}  // namespace
