// Start-up: the defaults, then splash, chooser and first load until a file of at least two
// cases is open.
#include <gtest/gtest.h>

#include "app/chooser.h"
#include "core/splash.h"
#include "datafiles/binary_format.h"
#include "datafiles/datafiles.h"
#include "menus_fixture.h"
#include "plot/plot_state.h"
#include "respirometry/commands.h"
#include "runtime/app.h"
#include "runtime/clock.h"
#include "runtime/files.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "core/script_state.h"
#include "core/sounds.h"

using namespace qv;
using Calls = std::vector<std::string>;

namespace {

class Startup : public menutest::MenusTest {
 protected:
  std::string dir;

  void SetUp() override {
    MenusTest::SetUp();
    dir = qvtest::tempDir("startup");
  }
  void TearDown() override {
    CloseSplashScreen();
    MenusTest::TearDown();
  }

  // A recording of `cases` cases of one channel with `markers` markers, in the program's
  // own binary format; its path.
  std::string recording(const std::string& name, int32_t cases, int markers = 0) {
    DataFile f;
    f.nCases = cases;
    f.nChannels = 1;
    f.channels[1] = allocateSamples(cases);
    for (int32_t k = 0; k <= cases; ++k) f.channels[1][k] = float(10 + k % 7);
    f.meta.info[1] = 1;
    f.meta.labels[1] = "O2";
    for (int m = 1; m <= markers; ++m) f.meta.markers.push_back({1 + m % cases, 65});
    const std::vector<int16_t> channels{1};
    const BinarySaveResult bytes = saveFPBinary(viewOf(f), 0, cases, channels, "05/14/2024", "09:00:00");
    EXPECT_TRUE(bytes.ok());
    const std::string path = dir + "/" + name;
    EXPECT_TRUE(rt::writeFileAtomic(path, bytes.bytes));
    return path;
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
  click = 1;  // the calculator's Done is heard while its window is up
  rt::setSoundObserver([&](const std::string&) {
    if (!reached && rt::windowExists(8)) reached = rt::TickCount();
  });
  qvtest::script({"menu 8 19", "click 20", "click 5"});
  EXPECT_EQ(qvtest::exitStatusOf([] { StartupSequence(); }), 0);
  rt::setSoundObserver(nullptr);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_GE(reached, start + 600);
}

TEST_F(Startup, AFirstFileOfOneCaseSendsTheUserBackToTheChooser) {
  const std::string one = recording("one.KXdata", 1), longer = recording("longer.KXdata", 600);
  const std::string openOne = "open " + one, openLonger = "open " + longer;
  qvtest::script({"click 1", openOne.c_str(), "click 1", openLonger.c_str()});
  StartupSequence();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(TheFileInUse, 0);
  EXPECT_EQ(nCases[0], 600);
  EXPECT_EQ(FileName[0], "longer.KXdata");
  EXPECT_FALSE(rt::windowExists(kSplashWindow));
  EXPECT_TRUE(rt::menuEnabled(3));
  EXPECT_EQ(rt::menuItemState(6, 1), 1);
}

TEST_F(Startup, ADocumentHandedOverDuringTheSplashSkipsTheChooser) {
  rt::setHandler(rt::Vector::Documents, MyFinderInfo);
  rt::Event e;
  e.kind = rt::EventKind::Documents;
  e.paths = {recording("recording.KXdata", 300)};
  rt::postEvent(e);
  StartupSequence();
  EXPECT_EQ(nCases[0], 300);
  EXPECT_EQ(TheFileInUse, 0);
  EXPECT_TRUE(rt::windowExists(1000));
}

TEST_F(Startup, ADocumentHandedOverWhileTheChooserIsUpIsOpened) {
  rt::setHandler(rt::Vector::Documents, MyFinderInfo);
  // The desktop hands the document over while the user looks at a calculator from the chooser.
  const std::string path = recording("handed.KXdata", 300);
  bool handed = false;
  click = 1;  // the calculator's Done is heard while its window is up
  rt::setSoundObserver([&](const std::string&) {
    if (handed || !rt::windowExists(8)) return;
    handed = true;
    rt::Event e;
    e.kind = rt::EventKind::Documents;
    e.paths = {path};
    rt::postEvent(e);
  });
  qvtest::script({"menu 8 19", "click 20"});
  StartupSequence();
  rt::setSoundObserver(nullptr);
  EXPECT_TRUE(handed);
  EXPECT_EQ(FileName[0], "handed.KXdata");
  EXPECT_EQ(nCases[0], 300);
  EXPECT_TRUE(rt::windowExists(1000));
  EXPECT_FALSE(rt::windowExists(kChooserWindow));
  EXPECT_EQ(FileHasBeenClicked, 0);
}

TEST_F(Startup, AFileWithManyMarkersStartsWithMarkersHidden) {
  const std::string open = "open " + recording("markers.KXdata", 3000, 501);
  qvtest::script({"click 1", open.c_str()});
  StartupSequence();
  EXPECT_EQ(FileSHORTS[0][5], 501);
  EXPECT_EQ(prefsArray[10], 0);
}
