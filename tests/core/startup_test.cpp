// Start-up: the defaults, then splash, chooser and first load until a file of at least two
// cases is open.
#include <gtest/gtest.h>

#include "core/chooser.h"
#include "core/splash.h"
#include "datafiles/datafiles.h"
#include "menus_fixture.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "runtime/app.h"
#include "runtime/clock.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"
#include "scripts/script_state.h"

using namespace qv;
using Calls = std::vector<std::string>;

namespace {

class Startup : public menutest::MenusTest {
 protected:
  // What the open road does when the chooser's choice reaches it: the next file in `loads`.
  std::vector<int32_t> loads;
  int loaded = 0;

  void SetUp() override {
    MenusTest::SetUp();
    setNotBuiltRecorder([this](const std::string& call) {
      calls.push_back(call);
      if ((call == "LOADFILE(0)" || call == "MyFinderInfo()") && loaded < int(loads.size())) {
        coretest::makeFile(0, 2, loads[size_t(loaded++)]);
        TheFileInUse = 0;
      }
    });
  }
  void TearDown() override {
    CloseSplashScreen();
    MenusTest::TearDown();
  }
};

}  // namespace

TEST_F(Startup, Defaults) {
  realBP = 700;
  ScaleMode = 0;
  prefsArray[25] = 0;
  GiveDefaults();
  EXPECT_EQ(prefsArray[7], 60);
  EXPECT_EQ(prefsArray[8], 14);
  EXPECT_EQ(prefsArray[25], 1);
  EXPECT_EQ(prefsArray[33], 0);
  EXPECT_EQ(prefsArray[67], rt::systemVersionNumber());
  EXPECT_EQ(prefsArray[68], 1);
  EXPECT_EQ(realBP, 760.0f);
  EXPECT_EQ(FiO2, 20.95f);
  EXPECT_EQ(ScaleMode, 2);
  EXPECT_EQ(DefaultScaleMode, 2);
  EXPECT_EQ(TheFileInUse, -1);
  EXPECT_EQ(ActiveChannel, 1);
  EXPECT_EQ(RunScript, 0);
  // Before a file is open: File 4-15 off, the analysis menus' titles off, only Load Script.
  EXPECT_EQ(rt::menuItemState(1, 13), 0);
  EXPECT_EQ(rt::menuItemState(1, 18), 1);
  EXPECT_FALSE(rt::menuEnabled(3));
  EXPECT_EQ(rt::menuItemState(6, 4), 1);
  EXPECT_EQ(rt::menuItemState(6, 1), 0);
}

TEST_F(Startup, WithNoFileTheChooserComesUpAfterTheSplashWithoutWaiting) {
  // The animation runs its ten seconds on the scripted clock: the calculator is reached after
  // them, at once.
  const uint32_t start = rt::TickCount();
  uint32_t reached = 0;
  setNotBuiltRecorder([&](const std::string& call) {
    calls.push_back(call);
    if (call == "SIMPLECALC()") reached = rt::TickCount();
  });
  qvtest::script({"menu 8 1", "click 5"});
  EXPECT_EQ(qvtest::exitStatusOf([] { StartupSequence(); }), 0);
  EXPECT_EQ(calls, Calls{"SIMPLECALC()"});
  EXPECT_GE(reached, start + 600);
}

TEST_F(Startup, AFirstFileOfOneCaseSendsTheUserBackToTheChooser) {
  loads = {1, 600};
  qvtest::script({"click 1", "click 1"});
  StartupSequence();
  EXPECT_EQ(calls, (Calls{"LOADFILE(0)", "LOADFILE(0)"}));
  EXPECT_EQ(TheFileInUse, 0);
  EXPECT_EQ(nCases[0], 600);
  EXPECT_FALSE(rt::windowExists(kSplashWindow));
  EXPECT_TRUE(rt::menuEnabled(3));
  EXPECT_EQ(rt::menuItemState(6, 1), 1);
}

TEST_F(Startup, ADocumentHandedOverDuringTheSplashSkipsTheChooser) {
  loads = {300};
  rt::setHandler(rt::Vector::Documents, MyFinderInfo);
  rt::Event e;
  e.kind = rt::EventKind::Documents;
  e.paths = {"/tmp/recording.KXdata"};
  rt::postEvent(e);
  StartupSequence();
  EXPECT_EQ(calls, Calls{"MyFinderInfo()"});
  EXPECT_EQ(nCases[0], 300);
}

TEST_F(Startup, AFileWithManyMarkersStartsWithMarkersHidden) {
  loads = {300};
  setNotBuiltRecorder([this](const std::string& call) {
    if (call == "LOADFILE(0)") {
      coretest::makeFile(0, 2, 300);
      FileSHORTS[0][5] = 501;
      TheFileInUse = 0;
    }
  });
  qvtest::script({"click 1"});
  StartupSequence();
  EXPECT_EQ(prefsArray[10], 0);
  FileSHORTS[0][5] = 0;
}
