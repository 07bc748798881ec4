// The sun-cycle calculator and the world map driven by scripted input.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "calculators/commands.h"
#include "calculators/sun_cycle.h"
#include "calculators/world_map.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "runtime/windows.h"
#include "support/qvtest.h"
#include "calculator_fixture.h"

using namespace qv;

namespace {

class SunCycleWindow : public calctest::CalculatorWindowTest {
 protected:
  // Window 8's results as the last button click found them.
  std::map<int, std::string> last;
  void SetUp() override {
    CalculatorWindowTest::SetUp();
    rt::setSoundObserver([this](const std::string& name) {
      heard.push_back(name);
      if (name != "click.mp3" || !rt::windowExists(8)) return;
      for (int id : {1, 2, 5, 6, 7, 8, 11, 111, 112, 113})
        if (rt::controlExistsIn(8, id)) last[id] = rt::editTextIn(8, id);
      for (int id : {101, 102, 103, 104}) last[-id] = std::to_string(rt::buttonStateIn(8, id));
    });
  }
};

}  // namespace

TEST_F(SunCycleWindow, CalculatesTypedPositionAndDay) {
  qvtest::script({"type 1 51.5", "type 2 0", "type 112 172", "click 240", "click 241"});
  Sunrise();
  EXPECT_EQ(last[5], "Approximate local sunrise time:   3 : 42");
  EXPECT_EQ(last[6], "Approximate local sunset time:   20 : 21");
  EXPECT_EQ(last[7], " 16 hours, 38 minutes of daylight");
  EXPECT_EQ(last[8], "Solar noon ~  12 : 01");
  EXPECT_FLOAT_EQ(latitude, 51.5f);
  EXPECT_FALSE(rt::windowExists(8));
  // Daylight saving recomputes at once; South and East sign the position.
  qvtest::script({"type 1 70", "click 102", "type 2 10", "click 104", "type 112 172", "click 240", "click 244",
                  "click 241"});
  Sunrise();
  EXPECT_EQ(last[6], "24-hour darkness (Antarctic winter) ");
  EXPECT_EQ(last[7], "");
  EXPECT_FLOAT_EQ(latitude, -70.0f);
  EXPECT_FLOAT_EQ(longitude, -10.0f);
}

TEST_F(SunCycleWindow, RefusesPositionsOutOfRange) {
  latitude = 40.0f, longitude = 105.0f;
  for (const char* bad : {"type 1 95", "type 1 -3", "type 1 abc", "type 2 181"}) {
    heard.clear();
    qvtest::script({bad, "type 112 172", "click 240", "click 241"});
    Sunrise();
    EXPECT_EQ(bzots(), 1) << bad;
    EXPECT_FLOAT_EQ(latitude, 40.0f) << bad;
    EXPECT_EQ(last[5], "") << bad;
  }
}

TEST_F(SunCycleWindow, AnnualPlotAndExport) {
  const std::string path = qvtest::tempDir("suncycle") + "/sun.csv";
  qvtest::script({"type 1 51.5", "type 2 0", "click 245", "click 1", ("save " + path).c_str(), "dialog 4 777",
                  "click 241"});
  Sunrise();
  std::ifstream in(path);
  std::string line;
  int n = 0;
  std::string line174;
  while (std::getline(in, line))
    if (++n == 174) line174 = line;
  EXPECT_EQ(n, 367);
  EXPECT_EQ(line174.rfind("172,June,21,3.71", 0), 0u) << line174;
  EXPECT_FALSE(rt::windowExists(777));
  // A cancelled save writes nothing.
  const std::string other = qvtest::tempDir("suncycle") + "/none.csv";
  qvtest::script({"click 245", "click 1", "save cancel", "dialog 4 777", "click 241"});
  Sunrise();
  EXPECT_FALSE(std::ifstream(other).good());
}

TEST_F(SunCycleWindow, MapPicksThePositionOnlyOnDone) {
  latitude = 40.0f, longitude = 105.0f;
  qvtest::script({"click 230", "mouse down 810 570 778", "mouse up 810 570 778", "click 20", "click 241"});
  Sunrise();
  EXPECT_EQ(last[1], "45");
  EXPECT_EQ(last[2], "90");
  EXPECT_EQ(last[-102], "2");  // South
  EXPECT_EQ(last[-104], "2");  // East
  EXPECT_FLOAT_EQ(latitude, 40.0f);  // kept until Calculate
  // Done with no click and a cancelled zoom keep the fields as they were.
  qvtest::script({"click 230", "click 142", "click 21", "click 20", "click 241"});
  Sunrise();
  EXPECT_EQ(last[1], "40");
  EXPECT_EQ(last[-101], "2");
  // A zoomed pick: the area at (450, 210), then the map's centre.
  qvtest::script({"click 230", "click 142", "mouse down 450 210 778", "mouse up 450 210 778",
                  "mouse down 540 390 778", "mouse up 540 390 778", "click 20", "click 241"});
  Sunrise();
  EXPECT_EQ(last[1], "21");
  EXPECT_EQ(last[2], "6");
  EXPECT_EQ(last[-104], "2");
}

TEST_F(SunCycleWindow, DateFromTheFileKeepsItsCentury) {
  TheFileInUse = 0;
  FileSHORTS[0][kInUseWord] = 1;
  nCases[0] = 10;
  nChannels[0] = 1;
  StartDate[0] = "03/01/1998";
  qvtest::script({"click 231", "click 232", "click 241"});
  Sunrise();
  EXPECT_EQ(last[113], "1998");
  EXPECT_EQ(last[111], "1");
  EXPECT_EQ(last[112], "60");
}
