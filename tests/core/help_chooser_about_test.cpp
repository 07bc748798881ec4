// Help pages by subject, the menu handlers that keep help and the calculators reachable, the
// file-type chooser, and the About and More Info windows.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "app/about.h"
#include "app/chooser.h"
#include "core/help.h"
#include "app/menu_bar.h"
#include "menus_fixture.h"
#include "runtime/app.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"

using namespace qv;
using Calls = std::vector<std::string>;

namespace {

class HelpAndChooser : public menutest::MenusTest {};

}  // namespace

TEST_F(HelpAndChooser, EverySubjectWithAPageHasOurOwnPage) {
  int subjects = 0;
  std::set<std::string> pages;
  for (int s = 0; s <= 300; ++s) {
    const std::string p = HelpPagePath(s);
    if (p.empty()) continue;
    ++subjects;
    pages.insert(p);
    EXPECT_TRUE(std::filesystem::exists(rt::resourcePath("help", p))) << s << " " << p;
  }
  EXPECT_EQ(subjects, 119);
  EXPECT_EQ(pages.size(), 118u);
  EXPECT_EQ(HelpPagePath(238), HelpPagePath(255));
}

TEST_F(HelpAndChooser, SubjectsWithoutAPageOpenNothing) {
  for (int16_t s : {0, 135, 288}) {
    HelpSubject = s;
    OpenHelpBook();
    EXPECT_FALSE(rt::windowExists(kHelpWindow)) << s;
  }
  HelpSubject = 279;
  OpenHelpBook();
  ASSERT_TRUE(rt::windowExists(kHelpWindow));
  rt::setOutputWindow(kHelpWindow);
  EXPECT_NE(rt::textViewPlain(1).find("Types of file"), std::string::npos);
  // Its close box closes it wherever it is clicked.
  installModalHandlers();
  qvtest::script({"dialog 4 1300"});
  rt::FBHandleEvents();
  EXPECT_FALSE(rt::windowExists(kHelpWindow));
  EXPECT_EQ(action, 0);
}

TEST_F(HelpAndChooser, WebAddressesOfThisBuild) {
  EXPECT_EQ(LaunchAddress(4), "");
  if (MakerMailAddress().empty()) EXPECT_EQ(LSLaunchURL(3), 0);
  else EXPECT_EQ(LaunchAddress(3).rfind("?subject=Kestrix%20Quorvelant%20question"), LaunchAddress(3).size() - 40);
}

TEST_F(HelpAndChooser, HelpMenuHandlersOfToolWindows) {
  rt::setHandler(rt::Vector::Menu, KILLSCRIPT_for_Help);
  HelpSubject = 204;
  qvtest::script({"menu 7 12"});
  FBMenu(7, 0, 1);
  FBMenu(7, 12, 1, "x");  // the pick needs an item to choose
  rt::FBHandleEvents();
  EXPECT_TRUE(rt::windowExists(kHelpWindow));
  EXPECT_EQ(MenuIDENTIFIER, 0);
  rt::closeWindow(kHelpWindow);

  rt::setHandler(rt::Vector::Menu, ShowSpecificHelpWindow);
  qvtest::script({"menu 8 19", "click 20", "menu 3 8"});
  FBMenu(3, 0, 1);
  rt::FBHandleEvents();
  EXPECT_EQ(rt::script::pendingCount(), 1u);  // Day of the Year came and went
  EXPECT_EQ(rt::handler(rt::Vector::Menu), &ShowSpecificHelpWindow);
  EXPECT_EQ(MENU_or_ToolBar_PICKED, 0);
  rt::FBHandleEvents();
  EXPECT_EQ(MENU_or_ToolBar_PICKED, 1);
  EXPECT_EQ(menuidx, 3);
  EXPECT_EQ(menuitemx, 8);
}

TEST_F(HelpAndChooser, ChooserButtonsGiveTheTypeOfFile) {
  struct Case {
    const char* click;
    int16_t type;
  } cases[] = {{"click 1", 5}, {"click 4", 4}, {"click 6", 7}, {"click 3", 3}, {"click 5", 9}, {"key 13", 5}};
  for (const auto& c : cases) {
    TypeOfFile = 0;
    qvtest::script({c.click});
    SelectFileTYPE(0, 120, 400, 0, 0);
    EXPECT_EQ(TypeOfFile, c.type) << c.click;
    EXPECT_FALSE(rt::windowExists(kChooserWindow));
    EXPECT_TRUE(rt::menuEnabled(1));
  }
}

TEST_F(HelpAndChooser, ChooserWhenMergingAndWhenNotAsked) {
  OpenAsk = 0;
  SelectFileTYPE(0, 120, 400, 1, 0);
  EXPECT_EQ(TypeOfFile, 5);
  EXPECT_FALSE(rt::windowExists(kChooserWindow));
  OpenAsk = 1;
  MergeThisFile = 1;
  qvtest::script({"click 6"});  // not offered when merging
  EXPECT_EQ(qvtest::exitStatusOf([] { SelectFileTYPE(0, 120, 400, 0, 0); }), 3);
  MergeThisFile = 0;
}

TEST_F(HelpAndChooser, ChooserKeepsCalculatorsHelpAndPreferencesReachable) {
  qvtest::script({"menu 8 19", "click 20", "click 7", "menu 2 37"});
  SelectFileTYPE(1, 150, 358, 0, 1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(HelpSubject, 279);
  EXPECT_TRUE(rt::windowExists(kHelpWindow));
  EXPECT_EQ(prefsArray[64], 3);
  prefsArray[64] = 0;
  qvtest::script({"menu 6 4", "open cancel", "click 1"});
  SelectFileTYPE(1, 150, 358, 0, 1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(calls.empty());
}

TEST_F(HelpAndChooser, PreferencesLeaveNoRequestBehindForTheNextChooser) {
  // Outside start-up the chooser ends as Cancel does and opens the preferences itself.
  qvtest::script({"menu 2 37", "click 333"});
  SelectFileTYPE(0, 120, 400, 0, 0);
  EXPECT_EQ(rt::script::pendingCount(), 0u) << "the preferences window took the Done";
  EXPECT_EQ(prefsArray[64], 0);
  EXPECT_EQ(TypeOfFile, 9);
  // A tool window ignores the pick (the last-file window, say); the chooser of its "Load New
  // File" still waits for the user's choice.
  installModalHandlers();
  qvtest::script({"menu 2 37"});
  rt::FBHandleEvents();
  ASSERT_EQ(prefsArray[64], 3);
  qvtest::script({"click 1"});
  SelectFileTYPE(0, 120, 400, 0, 0);
  EXPECT_EQ(TypeOfFile, 5);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(HelpAndChooser, QuitFromTheChooser) {
  // At start-up the menu's Quit is the Quit button; nothing is open yet.
  qvtest::script({"quit"});
  EXPECT_EQ(qvtest::exitStatusOf([] { SelectFileTYPE(1, 150, 358, 0, 1); }), 0);
  qvtest::script({"click 5"});
  EXPECT_EQ(qvtest::exitStatusOf([] { SelectFileTYPE(1, 150, 358, 0, 1); }), 0);
  // Elsewhere it cancels the choice and leaves the Quit to the main loop's questions.
  qvtest::script({"quit"});
  EXPECT_EQ(qvtest::exitStatusOf([] { SelectFileTYPE(0, 120, 400, 0, 0); }), -1);
  EXPECT_EQ(TypeOfFile, 9);
  EXPECT_TRUE(gQuitPending);
  gQuitPending = false;
}

TEST_F(HelpAndChooser, AboutAndMoreInfo) {
  qvtest::script({"click 20", "click 1", "click 21", "click 22"});
  AboutQuorvelant();
  EXPECT_FALSE(rt::windowExists(kAboutWindow));
  EXPECT_FALSE(rt::windowExists(kMoreInfoWindow));
  EXPECT_EQ(HelpSubject, 270);
  EXPECT_TRUE(rt::windowExists(kHelpWindow));  // the page on the start-up images
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(HelpAndChooser, AboutEndsWhenAnotherWindowComesToTheFront) {
  rt::openWindow(40, "other", {10, 40, 200, 200}, rt::kDocumentWindowClass, rt::kAttrCloseBox);
  for (int i = 0; i < 5; ++i) qvtest::script({"dialog 29 0"});
  // Another window comes to the front while the About window waits (the test's clock does it).
  uint32_t t = 0;
  rt::setClock([&t] {
    if (rt::windowExists(kAboutWindow) && ++t == 3) rt::bringWindowForward(40);
    return t;
  });
  AboutQuorvelant();
  rt::setClock(nullptr);
  rt::script::clear();
  EXPECT_FALSE(rt::windowExists(kAboutWindow));
}
