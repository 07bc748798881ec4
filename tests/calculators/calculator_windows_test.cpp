// The calculator windows driven by scripted input: Simple Math, Unit Interconversions and the
// ventilation calculator, and the roads that open them.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/chooser.h"
#include "app/dispatcher.h"
#include "core/help.h"
#include "app/main_loop.h"
#include "app/startup.h"
#include "calculators/commands.h"
#include "core/unit_constants.h"
#include "calculators/ventilation.h"
#include "respirometry/water_vapour.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/prefs_file.h"
#include "core/sounds.h"
#include "respirometry/gas_settings.h"
#include "runtime/numtext.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "core/stats_state.h"
#include "support/qvtest.h"
#include "calculator_fixture.h"

using namespace qv;

namespace {

using CalculatorWindows = calctest::CalculatorWindowTest;
using calctest::Fields;

}  // namespace

TEST_F(CalculatorWindows, SimpleMathReversePolishKeys) {
  const struct {
    const char* key;
    float x;
  } cases[] = {{"key 95", 9}, {"key 43", 15}, {"key 42", 36}, {"key 47", 4}, {"key 94", 1728}};
  for (const auto& c : cases) {
    qvtest::script({"type 111 12", "key 13", "type 112 3", c.key, "click 41"});
    SIMPLECALC();
    EXPECT_FLOAT_EQ(LastCalculatorResult, c.x) << c.key;
    EXPECT_FALSE(rt::windowExists(8));
  }
  // The result takes the focus for the next operand: 12 - 3, then * 2.
  qvtest::script({"type 111 12", "key 13", "type 112 3", "key 95", "key 13", "type 112 2", "key 42", "click 41"});
  SIMPLECALC();
  EXPECT_FLOAT_EQ(LastCalculatorResult, 18);
  // An operator key in X does nothing and is not typed; "/" by a Y of 0 blinks and keeps X.
  heard.clear();
  qvtest::script({"type 111 12", "key 43", "key 13", "type 112 0", "key 47", "click 41"});
  SIMPLECALC();
  EXPECT_FLOAT_EQ(LastCalculatorResult, 12);
  EXPECT_TRUE(heardSound("bzot.mp3"));
}

TEST_F(CalculatorWindows, SimpleMathButtons) {
  const struct {
    std::initializer_list<const char*> records;
    int field;
    double expected;
  } cases[] = {
      {{"type 111 -8", "type 112 3", "click 12"}, 111, -512},
      {{"type 111 -8", "type 112 0.5", "click 12"}, 111, -8},
      {{"type 111 2", "type 112 5", "click 33"}, 112, 62.83185},
      {{"type 111 1000", "click 9"}, 111, 3.0},
      {{"type 111 2", "click 35"}, 112, 33.5103},
      {{"type 111 30", "click 51"}, 112, 0.5},
      {{"type 111 0", "click 5"}, 111, 0},
      {{"type 111 0", "click 7"}, 111, 0},
      {{"click 6"}, 112, 3.1415926},
  };
  for (const auto& c : cases) {
    seen.clear();
    std::vector<std::string> lines(c.records.begin(), c.records.end());
    lines.push_back("click 41");
    for (const std::string& l : lines) ASSERT_TRUE(rt::script::pushLine(l));
    SIMPLECALC();
    ASSERT_FALSE(seen.empty());
    EXPECT_NEAR(number(seen.back()[c.field]), c.expected, 1e-4) << *(c.records.end() - 1);
  }
  // The errors blinked and left X as it was.
  heard.clear();
  qvtest::script({"type 111 0", "click 5", "click 7", "click 41"});
  SIMPLECALC();
  EXPECT_EQ(std::count(heard.begin(), heard.end(), "bzot.mp3"), 2);
  EXPECT_EQ(seen.back()[111], "0");
  EXPECT_EQ(LastCalculatorResult, 0.0f);
}

TEST_F(CalculatorWindows, SimpleMathOpensAtTheLastResultAndOffersTheMean) {
  qvtest::script({"click 41"});
  SIMPLECALC();
  EXPECT_EQ(seen.back()[111], "1");
  EXPECT_EQ(seen.back()[112], "0");
  EXPECT_EQ(seen.back()[-29], "0") << "no mean to take";
  qvtest::script({"type 111 12.5", "click 41"});
  SIMPLECALC();
  qvtest::script({"click 41"});
  SIMPLECALC();
  EXPECT_EQ(seen.back()[111], "12.5");
  // Text that is no number does not replace the result handed on.
  qvtest::script({"type 111 twelve", "click 41"});
  SIMPLECALC();
  EXPECT_FLOAT_EQ(LastCalculatorResult, 12.5f);
  meanValue = 7.25;
  qvtest::script({"click 29", "click 41"});
  SIMPLECALC();
  EXPECT_FLOAT_EQ(LastCalculatorResult, 7.25f);
}

TEST_F(CalculatorWindows, ConversionsGiveTheirResultsAndStoreThemWhole) {
  const struct {
    const char *category, *popup;
    const char* x;
    double expected;
  } cases[] = {
      {"click 121", "popup 63 1", "1", 0.23889},      {"click 121", "popup 63 10", "212", 100},
      {"click 121", "popup 63 13", "1", 2.414},       {"click 122", "popup 64 19", "100", 40.468564},
      {"click 123", "popup 65 20", "5500", 1161.1},   {"click 124", "popup 66 4", "100", 7.35559},
      {"click 124", "popup 66 22", "1", 42.772},      {"click 124", "popup 66 23", "50", 1.1690},
  };
  for (const auto& c : cases) {
    const std::string x = std::string("type 111 ") + c.x;
    qvtest::script({c.category, c.popup, x.c_str(), "click 119", "click 117", "click 120"});
    UnitCONVERSIONS();
    EXPECT_NEAR(meanValue, c.expected, c.expected * 2e-5) << c.popup;
  }
  // 7.35559 torr of 100 mm water: Simple Math takes the stored result whole.
  qvtest::script({"click 124", "popup 66 4", "type 111 100", "click 119", "click 117", "click 120"});
  UnitCONVERSIONS();
  EXPECT_EQ(seen.back()[113], "mm H₂O");
  EXPECT_EQ(seen.back()[114], "torr");
  EXPECT_EQ(seen.back()[112], "7.356");
  qvtest::script({"click 29", "click 41"});
  SIMPLECALC();
  EXPECT_EQ(seen.back()[111], "7.35559");
}

TEST_F(CalculatorWindows, ConversionsStoreAndSwapOnlyANumber) {
  meanValue = 5;
  heard.clear();
  qvtest::script({"click 123", "popup 65 19", "type 111 0", "click 119", "click 117", "click 118", "click 120"});
  UnitCONVERSIONS();
  EXPECT_EQ(seen[3][112], "nil");
  EXPECT_EQ(seen.back()[111], "0") << "nil is not swapped";
  EXPECT_EQ(meanValue, 5);
  EXPECT_TRUE(heardSound("bzot.mp3"));

  qvtest::script({"click 124", "popup 66 22", "type 111 3", "click 119", "click 117", "click 120"});
  UnitCONVERSIONS();
  EXPECT_EQ(seen.back()[112], " > 100% !!");
  EXPECT_EQ(meanValue, 5);

  // Swap: the result goes into X, field 112 says so and is no number to store.
  qvtest::script({"click 121", "popup 63 1", "type 111 4.186", "click 119", "click 118", "click 117", "click 120"});
  UnitCONVERSIONS();
  EXPECT_EQ(seen.back()[111], "1");
  EXPECT_EQ(seen.back()[112], "(swapped) ");
  EXPECT_EQ(meanValue, 5);
}

TEST_F(CalculatorWindows, TheRelativeHumidityTemperatureIsReadFromItsField) {
  TemperatureForKPA = 20;
  qvtest::script({"click 124", "popup 66 23", "click 121", "click 124", "popup 66 23", "type 111 100", "type 200 30",
                  "click 119", "click 117", "click 120"});
  UnitCONVERSIONS();
  EXPECT_EQ(seen[2][200], "20");
  EXPECT_EQ(seen[3].count(200), 0u);
  EXPECT_FLOAT_EQ(TemperatureForKPA, 30);
  EXPECT_NEAR(meanValue, GetSaturationWaterVaporContent(30) * units::kTorrPa / 1000, 1e-5);
  // A temperature that is no number keeps the one in force.
  qvtest::script({"click 124", "popup 66 22", "type 200 warm", "click 119", "click 120"});
  UnitCONVERSIONS();
  EXPECT_FLOAT_EQ(TemperatureForKPA, 30);
  EXPECT_EQ(seen.back()[112], "**");
}

TEST_F(CalculatorWindows, VentilationWorkedExampleAndKeptValues) {
  RHtemperature = 37.5f;
  const std::initializer_list<const char*> worked = {
      "type 111 1",   "type 112 20.95", "type 113 37", "type 114 25",  "type 115 760",  "type 116 0",
      "type 117 50",  "type 227 20",    "type 118 0.5", "type 119 1",  "type 210 1.0",  "type 211 1",
      "type 212 0.8", "type 213 2",     "click 2",     "click 3"};
  qvtest::script(worked);
  VENTILATION();
  const Fields shown = seen.back();
  EXPECT_EQ(shown.at(214), "5.203");
  EXPECT_NEAR(number(shown.at(215)), 624.31, 0.01);
  EXPECT_NEAR(number(shown.at(216)), 0.76457, 1e-5);
  EXPECT_FLOAT_EQ(RHtemperature, 37.5f);
  EXPECT_NEAR(RHFactor, 0.0172719, 1e-7);
  EXPECT_FLOAT_EQ(vTa, 25);
  EXPECT_FLOAT_EQ(sampDef, 0.8f);
  EXPECT_FLOAT_EQ(FiO2, 20.95f);
  EXPECT_FALSE(rt::windowExists(8));

  // The values come back at the next opening; calibration volts of 0 leave no result.
  qvtest::script({"type 210 0", "click 2", "click 3"});
  VENTILATION();
  EXPECT_EQ(seen[0].at(114), "25");
  for (int id : {214, 215, 216}) EXPECT_EQ(seen.back().at(id), "**") << id;
  EXPECT_NE(seen.back().at(217), " ");
  EXPECT_EQ(calDef, 0.0f);

  // A letter in a field computes nothing and keeps every value.
  qvtest::script({"type 210 1", "type 114 x", "click 2", "click 3"});
  VENTILATION();
  EXPECT_EQ(calDef, 0.0f);
  EXPECT_FLOAT_EQ(vTa, 25);
  EXPECT_NE(seen.back().at(217).find("not a number"), std::string::npos);
}

TEST_F(CalculatorWindows, VentilationOpensWithBodyTemperatureAndPressure) {
  BodyTemperature = 0;
  vBP = 0;
  FileInfoFLOATS[0][4] = 0;
  qvtest::script({"click 3"});
  VENTILATION();
  EXPECT_EQ(seen.back().at(113), "37");
  EXPECT_EQ(seen.back().at(115), "760");
  EXPECT_EQ(BodyTemperature, 37.0f);
  EXPECT_EQ(vBP, 760.0f);
  EXPECT_EQ(TheFileInUse, 0);
  EXPECT_EQ(openFileCount(), 0);
  // A queued command picked while the window was up is dropped with it.
  EXPECT_EQ(MenuIDENTIFIER, 0);
}

TEST_F(CalculatorWindows, EachCalculatorOpensFromItsMenuItemKeyAndTheChooser) {
  const struct {
    uint16_t item;
    int key;
    const char* done;
    int16_t subject;
  } roads[] = {{1, 'c', "click 41", 204},  {16, 'V', "click 3", 236}, {21, 'u', "click 120", 237},
               {5, 'F', "click 13", 205},  {6, 'a', "click 4", 206},  {8, 'O', "click 20", 248},
               {9, 'w', "click 14", 248},  {15, 'R', "click 2", 235}};
  for (const auto& r : roads) {
    heard.clear();
    seen.clear();
    qvtest::script({r.done});
    EXPECT_TRUE(RunCalculator(r.item));
    ASSERT_EQ(seen.size(), 1u) << r.item;
    EXPECT_EQ(HelpSubject, r.subject);

    TheFileInUse = 0;
    eventID = int16_t(r.key);
    qvtest::script({r.done});
    MainLoopKeys();
    ASSERT_EQ(seen.size(), 2u) << r.item;

    TheFileInUse = -1;
    const std::string menu = "menu 8 " + std::to_string(r.item);
    qvtest::script({menu.c_str(), r.done, "click 5"});
    SelectFileTYPE(0, 120, 400, 0, 0);
    EXPECT_EQ(seen.size(), 3u) << r.item;
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_EQ(openFileCount(), 0);
    EXPECT_FALSE(rt::windowExists(8));
  }
}

TEST_F(CalculatorWindows, QuitChosenInACalculatorEndsIt) {
  qvtest::script({"type 111 3", "quit"});
  SIMPLECALC();
  EXPECT_TRUE(gQuitPending);
  EXPECT_FALSE(rt::windowExists(8));
  EXPECT_FLOAT_EQ(LastCalculatorResult, 3);
  gQuitPending = false;
}

TEST_F(CalculatorWindows, AMathErrorBlinksSixTimesOnTheRuntimesClock) {
  uint32_t t = rt::TickCount();
  qvtest::script({"type 111 2", "click 5", "click 41"});
  SIMPLECALC();
  const uint32_t plain = rt::TickCount() - t;
  t = rt::TickCount();
  qvtest::script({"type 111 0", "click 5", "click 41"});
  SIMPLECALC();
  EXPECT_GE(rt::TickCount() - t, plain + 12 * 9) << "twelve steps of 150 ms";
}

TEST_F(CalculatorWindows, OtherWindowsAndTheScalingWindow) {
  // Store X Value shows the scaling window and comes back; its own activation does not end
  // Simple Math, another window's does.
  qvtest::script({"type 111 4", "click 30", "click 233", "dialog 3 8", "dialog 3 1000"});
  SIMPLECALC();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(6));
  EXPECT_FLOAT_EQ(LastCalculatorResult, 4);
  // The ventilation calculator stays up when another window is clicked.
  qvtest::script({"dialog 3 1000", "dialog 4 12", "click 3"});
  VENTILATION();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(8));
}

// A number that is not one, in a conversion that asks for the temperature: the problem is told
// beside the temperature field, whose caption stays.
TEST_F(CalculatorWindows, AConversionsProblemLeavesTheTemperatureAndItsCaption) {
  qvtest::script({"click 124", "popup 66 22", "type 111 abc", "click 119", "click 120"});
  UnitCONVERSIONS();
  ASSERT_FALSE(seen.empty());
  const Fields& last = seen.back();
  ASSERT_TRUE(last.count(200)) << "the temperature field";
  ASSERT_TRUE(last.count(115));
  EXPECT_NE(last.at(115).find("Temperature"), std::string::npos) << last.at(115);
  ASSERT_TRUE(last.count(116));
  EXPECT_NE(last.at(116).find("not a number"), std::string::npos) << last.at(116);
}
