// The comments window: its size from the comment's lines, its bottom panel, and what Done,
// Save Changes, the close box and Quit do with the edited text and the change mark.
#include <filesystem>

#include "core/splash.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "datafiles/comments_layout.h"
#include "datafiles/comments_window.h"
#include "datafiles/datafiles.h"
#include "open_road_fixture.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using opentest::OpenRoad;

TEST(CommentsLayout, LinesSizeAndPlaceTheWindow) {
  EXPECT_EQ(commentLineCount(""), 0u);
  EXPECT_EQ(commentLineCount("a"), 0u);
  EXPECT_EQ(commentLineCount("a\rb"), 1u);
  const int B = 391;
  struct Case {
    uint32_t lines;
    int height, top;
  };
  const Case cases[] = {{0, 300, B + 35}, {14, 300, B + 35}, {15, 304, B - 75}, {28, 512, 100}, {45, 780, 100}};
  for (const Case& c : cases) {
    const CommentsPlace p = commentsWindowPlace(c.lines, B, 900);
    EXPECT_EQ(p.height, c.height) << c.lines;
    EXPECT_EQ(p.top, c.top) << c.lines;
  }
  EXPECT_EQ(commentsWindowPlace(28, B, 600).height, 480);
  EXPECT_EQ(commentsWindowPlace(4000000000u, B, 900).height, 780) << "no overflow on a huge count";
}

TEST(CommentsLayout, PanelButtonsFollowTheWindowSize) {
  const std::vector<PanelButton> buttons = commentsPanelButtons(700, 400);
  const std::pair<int, std::pair<int, int>> spans[] = {
      {2, {605, 680}}, {3, {480, 595}}, {4, {360, 470}}, {6, {293, 350}}, {5, {254, 285}}};
  for (const auto& [id, span] : spans) {
    auto it = std::find_if(buttons.begin(), buttons.end(), [&](const PanelButton& b) { return b.id == id; });
    ASSERT_NE(it, buttons.end()) << id;
    EXPECT_EQ(it->rect, (rt::Rect{span.first, 365, span.second, 385})) << id;
  }
}

namespace {

class CommentsWindow : public OpenRoad {
 protected:
  void SetUp() override {
    OpenRoad::SetUp();
    ASSERT_EQ(openThroughMenu(writeRecording("run.KXdata", 200, 2)), 0);
    f = TheFileInUse;
    CommentContainer[f] = "first\rsecond";
    FileSHORTS[f][kChangeMarkWord] = 0;
  }
  int f = 0;
};

}  // namespace

TEST_F(CommentsWindow, LineCountIsZeroWhileTheFirstDocumentLoads) {
  EXPECT_EQ(HowManyLinesInComments(), 1u);
  FirstDoubleclickLoad = 1;
  EXPECT_EQ(HowManyLinesInComments(), 0u);
  FirstDoubleclickLoad = 0;
}

TEST_F(CommentsWindow, DoneKeepsTheTextAndMarksTheFileOnlyWhenItDiffers) {
  qvtest::script({"click 2"});
  FixCOMMENTS(0);
  EXPECT_EQ(CommentContainer[f], "first\rsecond");
  EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 0);
  EXPECT_FALSE(rt::windowExists(515));
  qvtest::script({"type 1 edited", "click 2"});
  FixCOMMENTS(0);
  EXPECT_EQ(CommentContainer[f], "edited");
  EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 1);
}

TEST_F(CommentsWindow, TheCloseBoxDiscardsAndQuitKeeps) {
  qvtest::script({"type 1 discarded", "dialog 4 515"});
  FixCOMMENTS(0);
  EXPECT_EQ(CommentContainer[f], "first\rsecond");
  EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 0);
  qvtest::script({"type 1 kept", "quit"});
  FixCOMMENTS(0);
  EXPECT_EQ(CommentContainer[f], "kept");
  EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 1);
  EXPECT_TRUE(gQuitPending);
  gQuitPending = false;
}

TEST_F(CommentsWindow, SaveChangesWritesTheCommentAndClearsTheMark) {
  const std::string path = CFURLarrayMain[f];
  qvtest::script({"type 1 saved comment", "click 4", "click 3", "dialog 4 444", "click 2"});
  FixCOMMENTS(0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 0);
  const auto bytes = rt::readWholeFile(path);
  ASSERT_TRUE(bytes);
  const std::string text(bytes->begin(), bytes->end());
  EXPECT_NE(text.find("saved comment"), std::string::npos);
  EXPECT_FALSE(rt::windowExists(444));
}

TEST_F(CommentsWindow, ShowADataOpensTheInformationOverTheWindowUntilItEnds) {
  qvtest::script({"click 3", "click 2"});
  FixCOMMENTS(0);
  EXPECT_FALSE(rt::windowExists(444));
  ClearWINDOW41();
  EXPECT_FALSE(rt::windowExists(41));
}
