// The preferences window: every page control against its setting, the states shown, the
// sounds, the markers default on leaving, help by page, and Store, Export and Import.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "core/help.h"
#include "app/menu_bar.h"
#include "app/prefs_window.h"
#include "core/commands.h"
#include "core/kit.h"
#include "core/prefs_record.h"
#include "menus_fixture.h"
#include "runtime/files.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"

using namespace qv;

namespace {

class PrefsDialog : public menutest::MenusTest {
 protected:
  std::vector<std::string> heard;
  void SetUp() override {
    MenusTest::SetUp();
    MAINMENU();
    rt::setSoundObserver([this](const std::string& s) {
      if (s != "click.mp3") heard.push_back(s);
    });
  }
  void TearDown() override {
    rt::setSoundObserver(nullptr);
    MenusTest::TearDown();
  }
  // Opens the window, shows `page`, then the lines, then Done.
  void run(int page, std::vector<std::string> lines) {
    const std::string tab = "popup 500 " + std::to_string(page);
    ASSERT_TRUE(rt::script::pushLine(tab));
    for (const auto& l : lines) ASSERT_TRUE(rt::script::pushLine(l)) << l;
    ASSERT_TRUE(rt::script::pushLine("click 333"));
    SETPREFERENCES();
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_FALSE(rt::windowExists(kPrefsWindow));
  }
  // The page built in a bare window 6, with the states of the settings in force.
  void showPage(int page) {
    rt::openWindow(kPrefsWindow, "User Preferences", {10, 90, 640, 460}, rt::kDocumentWindowClass, 0);
    DRAWPREFERENCEBUTTONS(int16_t(page));
    SetThePreferenceButtons();
  }
  int shown(int id) { return rt::buttonStateIn(kPrefsWindow, id); }
};

struct Row {
  int page, id;
  int16_t* setting;
  int16_t before, after;
};

TEST_F(PrefsDialog, EveryPageControlSetsItsSetting) {
  int16_t* p = prefsArray;
  const Row rows[] = {
      {1, 666, &p[72], 1, 0},  {1, 30, &p[21], 0, 1},   {1, 40, &p[34], 0, 1},    {1, 41, &p[34], 1, 0},
      {1, 161, &p[7], 25, 0},  {1, 162, &p[7], 0, 25},  {1, 164, &p[29], 1, 0},   {1, 166, &p[73], 0, 1},
      {1, 165, &TimeGridLimit, 0, 1}, {1, 26, &p[33], 2, 0}, {1, 42, &p[33], 0, 2}, {1, 23, &p[33], 0, 1},
      {1, 29, &ToolBarBackground, 14, 1}, {1, 38, &ToolBarBackground, 1, 20}, {1, 31, &ToolBarBackground, 20, 14},
      {1, 43, &p[30], 1, 0},   {1, 27, &p[10], 1, 0},   {1, 28, &p[10], 0, 1},
      {2, 300, &p[74], 0, 1},  {2, 301, &p[74], 1, 0},  {2, 102, &WindowTitleFont, 1, 0},
      {2, 103, &WindowTitleFont, 0, 2}, {2, 104, &WindowTitleFont, 0, 1},
      {3, 144, &p[65], 0, 1},  {3, 21, &p[16], 1, 0},   {3, 12, &OpenAsk, 1, 0},  {3, 13, &OpenAsk, 0, 1},
      {3, 401, &UseExcelFormat, 1, 0}, {3, 402, &UseExcelFormat, 0, 1}, {3, 32, &p[46], 1, 0}, {3, 44, &p[62], 1, 0},
      {4, 15, &p[3], 1, 0},    {4, 16, &p[3], 0, 1},    {4, 7, &DsLx, 1, 0},      {4, 8, &DsLx, 0, 1},
      {4, 14, &AutoSS, 0, 1},  {4, 9, &p[4], 0, 1},     {4, 20, &DoSMOOTH, 1, 0}, {4, 10, &p[5], 0, 1},
      {4, 5, &SEP, 0, 1},      {4, 11, &p[6], 0, 1},    {4, 19, &GetFlowRateFromChannel, 0, 1},
      {4, 18, &MultiHist, 0, 1}, {4, 22, &DumpHist, 1, 0}, {4, 6, &p[37], 0, 1},
  };
  for (const Row& r : rows) {
    *r.setting = r.before;
    std::vector<std::string> lines{"click " + std::to_string(r.id)};
    if (r.id == 300) lines.push_back("dialog 4 212");  // the Quartz warning, closed by its box
    if (r.id == 402) lines.push_back("click 1");       // the spreadsheet warning's Close
    run(r.page, lines);
    EXPECT_EQ(*r.setting, r.after) << "control " << r.id;
  }
}

TEST_F(PrefsDialog, CoupledSwitchesAndFonts) {
  prefsArray[49] = 0;
  run(1, {"click 25"});
  EXPECT_EQ(prefsArray[45], 12);
  run(1, {"click 25"});
  EXPECT_EQ(prefsArray[45], 10);
  // Embossed off takes aqua with it; aqua on brings embossed back.
  prefsArray[31] = prefsArray[32] = 1;
  run(2, {"click 111"});
  EXPECT_EQ(prefsArray[31], 0);
  EXPECT_EQ(prefsArray[32], 0);
  run(2, {"click 24"});
  EXPECT_EQ(prefsArray[31], 1);
  EXPECT_EQ(prefsArray[32], 1);
  struct Font {
    int id;
    int16_t standard;
    const char* name;
  } fonts[] = {{106, 5, "Bookman Old Style"}, {107, 1, "Century"}, {105, 0, "Lucida Grande"}};
  for (const Font& f : fonts) {
    run(2, {"click " + std::to_string(f.id)});
    EXPECT_EQ(StandardFont, f.standard) << f.id;
    EXPECT_EQ(KestrixFont, rt::fontNumber(f.name)) << f.id;
  }
}

TEST_F(PrefsDialog, EveryGroupShowsItsValue) {
  StandardFont = 3;
  WindowTitleFont = 2;
  prefsArray[74] = 0;
  showPage(2);
  EXPECT_EQ(shown(106), 2);
  EXPECT_EQ(shown(105), 1);
  EXPECT_EQ(shown(103), 2);
  EXPECT_EQ(shown(301), 2);
  EXPECT_EQ(shown(300), 1);
  ToolBarBackground = 7;  // no colour of the tool bar: plain
  prefsArray[33] = 1;
  prefsArray[10] = 0;
  showPage(1);
  EXPECT_EQ(ToolBarBackground, 1);
  EXPECT_EQ(shown(29), 2);
  EXPECT_EQ(shown(23), 2);
  EXPECT_EQ(shown(26), 1);
  EXPECT_EQ(shown(27), 2);
  // A file of 40 channels dims "Send Results to New Channel"; 39 leave it.
  openFile(0, 40, 10);
  showPage(4);
  EXPECT_EQ(shown(11), 0);
  openFile(0, 39, 10);
  showPage(4);
  EXPECT_NE(shown(11), 0);
}

TEST_F(PrefsDialog, SoundLevels) {
  prefsArray[7] = 25;
  run(1, {"click 163"});
  EXPECT_EQ(prefsArray[7], 50);
  auto skid = std::find(heard.begin(), heard.end(), "skid.mp3");
  ASSERT_NE(skid, heard.end());
  EXPECT_NE(std::find(skid, heard.end(), "scream.mp3"), heard.end());
  run(1, {"click 163"});
  EXPECT_EQ(prefsArray[7], 25);
  // The installed level 60 is none of the three: none shows set.
  prefsArray[7] = 60;
  showPage(1);
  for (int id : {161, 162, 163}) EXPECT_EQ(shown(id), 1) << id;
  rt::closeWindow(kPrefsWindow);
  run(1, {"click 163"});
  EXPECT_EQ(prefsArray[7], 25);
  prefsArray[7] = 0;
  heard.clear();
  run(1, {"click 162"});
  EXPECT_EQ(prefsArray[7], 25);
  EXPECT_NE(std::find(heard.begin(), heard.end(), "wsst.mp3"), heard.end());
}

TEST_F(PrefsDialog, MarkersDefaultOnLeaving) {
  openFile(0, 2, 100);
  // The plot shows the button only for a file with markers.
  FileSHORTS[0][5] = 1;
  MarkersArray[0][1][1] = 10;
  MarkersArray[0][1][2] = 'A';
  rt::setOutputWindow(1000);
  rt::FBButton(332, 1, "Show Markers", {10, 10, 110, 30}, 1);
  prefsArray[10] = 0;
  run(1, {"click 27", "click 28"});
  EXPECT_EQ(rt::menuItemState(kMarkersMenu, 1), 2);
  rt::setOutputWindow(1000);
  EXPECT_EQ(rt::controlTitle(332), "Hide Markers");
  run(1, {"click 27"});
  EXPECT_EQ(rt::menuItemState(kMarkersMenu, 1), 1);
  rt::setOutputWindow(1000);
  EXPECT_EQ(rt::controlTitle(332), "Show Markers");
}

TEST_F(PrefsDialog, HelpFollowsThePage) {
  const int expected[5] = {0, 261, 263, 262, 264};
  for (int page = 1; page <= 4; ++page) {
    run(page, {"click 334"});
    EXPECT_EQ(HelpSubject, expected[page]) << page;
  }
}

TEST_F(PrefsDialog, StoreExportAndImport) {
  const std::string user = userPreferencesPath();
  run(1, {});
  EXPECT_FALSE(rt::fileExists(user)) << "Done wrote the preferences";
  run(1, {"click 332"});
  auto stored = rt::readWholeFile(user, 1000);
  ASSERT_TRUE(stored);
  EXPECT_EQ(*stored, EncodePreferences());
  EXPECT_EQ(stored->size(), 412u);

  const std::string exported = qvtest::tempDir("prefs-export") + "/mine.QVpr";
  prefsArray[4] = 1;
  prefsArray[11] = 0;
  SEP = 1;
  run(1, {"click 340", "save " + exported});
  prefsArray[4] = 0;
  prefsArray[11] = 1;
  SEP = 0;
  FBMenu(kGridsMenu, 1, 2);
  run(3, {"click 341", "open " + exported});
  EXPECT_EQ(prefsArray[4], 1);
  EXPECT_EQ(SEP, 1);
  EXPECT_EQ(prefsArray[11], 0);
  EXPECT_EQ(rt::menuItemState(kGridsMenu, 1), 1) << "grid lines stay checked after the import";
}

TEST_F(PrefsDialog, ImportLeavesTheViewOfAnOpenFile) {
  openFile(0, 2, 100);
  FileSHORTS[0][kViewModeWord] = 0;
  auto record = EncodePreferences();
  record[82] = 0x00, record[83] = 0x02;
  const std::string path = qvtest::tempDir("prefs-view") + "/view.QVpr";
  ASSERT_TRUE(rt::writeFileAtomic(path, record, nullptr));
  run(1, {"click 341", "open " + path});
  EXPECT_EQ(FileSHORTS[0][kViewModeWord], 0);
  // With no file open, the view word is for the first file to come.
  FreeFileSlot(0);
  rt::closeWindow(1000);
  TheFileInUse = 0;
  run(1, {"click 341", "open " + path});
  EXPECT_EQ(FileSHORTS[0][kViewModeWord], 2);
  EXPECT_FALSE(rt::windowExists(1000));
}

TEST_F(PrefsDialog, QuitEndsItAsDone) {
  ASSERT_TRUE(rt::script::pushLine("quit"));
  SETPREFERENCES();
  EXPECT_TRUE(gQuitPending);
  EXPECT_FALSE(rt::windowExists(kPrefsWindow));
}

}  // namespace
