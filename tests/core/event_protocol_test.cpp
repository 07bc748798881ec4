#include <gtest/gtest.h>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

class EventProtocol : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    action = eventID = 0;
    installModalHandlers();
  }
};

}  // namespace

TEST_F(EventProtocol, ButtonsCloseBoxesAndExplanationWindows) {
  BuildWINDOW(12, "Tool", 100, 100, 400, 300, 6);
  rt::FBButton(3, 1, "Go", {10, 10, 80, 30}, 1);
  qvtest::script({"click 3", "dialog 4 12"});
  rt::FBHandleEvents();
  EXPECT_EQ(action, 1);
  EXPECT_EQ(eventID, 3);
  rt::FBHandleEvents();
  EXPECT_EQ(action, 4);
  EXPECT_EQ(eventID, 12);

  BuildWINDOW(55, "Explanation", 100, 100, 300, 200, 6);
  qvtest::script({"dialog 3 55"});
  rt::FBHandleEvents();
  EXPECT_EQ(action, 55);
  EXPECT_EQ(eventID, 0);
  EXPECT_FALSE(rt::windowExists(55));
}

TEST_F(EventProtocol, ScriptedInputThatRunsOutEndsTheLoopAtOnce) {
  BuildWINDOW(12, "Tool", 100, 100, 400, 300, 6);
  int status = qvtest::exitStatusOf([] { waitForAction(); });
  EXPECT_EQ(status, 3);
  EXPECT_NE(rt::lastFatalMessage().find("ran out"), std::string::npos);
}

TEST_F(EventProtocol, ClickOnDisabledOrMissingControlIsRefused) {
  BuildWINDOW(12, "Tool", 100, 100, 400, 300, 6);
  rt::FBButton(3, 0, "Off", {10, 10, 80, 30}, 1);
  qvtest::script({"click 3"});
  EXPECT_EQ(qvtest::exitStatusOf([] { rt::FBHandleEvents(); }), 3);
  qvtest::script({"click 9"});
  EXPECT_EQ(qvtest::exitStatusOf([] { rt::FBHandleEvents(); }), 3);
}

TEST_F(EventProtocol, CheckReturnKeys) {
  BuildWINDOW(12, "Tool", 100, 100, 400, 300, 6);
  buildef(1, 3, "", 20, 20, 200, 36, 1, 0);
  qvtest::script({"key 97", "key 98", "key 13"});
  rt::FBHandleEvents();
  rt::FBHandleEvents();
  EXPECT_EQ(action, 0);
  rt::FBHandleEvents();
  EXPECT_EQ(action, 16);
  EXPECT_EQ(rt::editText(3), "ab");

  struct Case {
    int key;
    int action;
    const char* text;
  } cases[] = {
      {3, 16, "ab"},     // Enter
      {9, 7, "ab"},      // Tab
      {32, -990, "ab "}, // a blank is inserted and reported
      {30, 0, "ab"},     // up and down arrows are dropped
      {31, 0, "ab"},
  };
  for (const auto& c : cases) {
    rt::setEditText(3, "ab");
    action = 0;
    std::string rec = "key " + std::to_string(c.key);
    qvtest::script({rec.c_str()});
    rt::FBHandleEvents();
    EXPECT_EQ(action, c.action) << c.key;
    EXPECT_EQ(rt::editText(3), c.text) << c.key;
  }
  // Left and right reach the field: the cursor moves, so the next letter goes between.
  rt::setEditText(3, "ab");
  rt::selectEditField(3, 2, 2);
  qvtest::script({"key 28", "key 120"});
  rt::FBHandleEvents();
  rt::FBHandleEvents();
  EXPECT_EQ(rt::editText(3), "axb");
}

TEST_F(EventProtocol, KeysWithoutAFieldReachTheDialogHandler) {
  BuildWINDOW(12, "Tool", 100, 100, 400, 300, 6);
  qvtest::script({"key 66"});
  rt::FBHandleEvents();
  EXPECT_EQ(action, 16);
  EXPECT_EQ(eventID, 66);
}

TEST_F(EventProtocol, QuitInAModalWindowWaitsForTheMainLoop) {
  gQuitPending = false;
  BuildWINDOW(12, "Tool", 100, 100, 400, 300, 6);
  rt::menuCreate(1, "File");
  rt::menuSetItems(1, 1, "a;b;c;d;e;Save;g;h;i;j;k;l;m;n;o;p;q;r;s;t;Quit");
  qvtest::script({"menu 1 21", "menu 1 6"});
  rt::FBHandleEvents();
  EXPECT_TRUE(gQuitPending);
  EXPECT_TRUE(rt::windowExists(12));
  rt::FBHandleEvents();
  EXPECT_EQ(action, 1);  // Save reaches the tool as a click on button -99
  EXPECT_EQ(eventID, -99);
  gQuitPending = false;
  rt::menuDelete(1);
}

TEST_F(EventProtocol, RefreshPumpAndFlushLeaveScriptedRecordsAlone) {
  BuildWINDOW(12, "Tool", 100, 100, 400, 300, 6);
  rt::FBButton(3, 1, "Go", {10, 10, 80, 30}, 1);
  qvtest::script({"click 3"});
  buildProgressBAR(10, 200, 290, 212, 1000, 12);  // its first appearance runs the refresh pump
  rt::refreshPump();
  rt::FlushEvents();
  EXPECT_EQ(rt::script::pendingCount(), 1u);
  rt::FBHandleEvents();
  EXPECT_EQ(action, 1);
  EXPECT_EQ(eventID, 3);
}

TEST_F(EventProtocol, SetMenuButtonBlockOnlyCommandsNeedABlock) {
  TheFileInUse = 0;
  FileSHORTS[0][2] = 0;
  MenuIDENTIFIER = MenuItem = 0;
  SetMenuButton(565);
  EXPECT_EQ(MenuIDENTIFIER, 0);
  FileSHORTS[0][2] = 2;
  SetMenuButton(565);
  EXPECT_EQ(MenuIDENTIFIER, 3);
  EXPECT_EQ(MenuItem, 1);
  EXPECT_EQ(menuidx, 3);
  EXPECT_EQ(menuitemx, 1);
  SetMenuButton(559);
  EXPECT_EQ(menuidx, 76);
  EXPECT_EQ(menuitemx, 1);
  FileSHORTS[0][2] = 0;
  TheFileInUse = -1;
}
