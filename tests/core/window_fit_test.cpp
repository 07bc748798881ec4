// Windows fit the 1440 x 900 screen, and warning windows fit their lines.
#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>

#include "core/kit.h"
#include "core/notices.h"
#include "core/screen_place.h"
#include "core/warning.h"
#include "core/warning_layout.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

const rt::Rect kScreen{0, 0, 1440, 900};

// Seven pixels a character: enough to check the arithmetic of wrapping.
int sevenEach(std::string_view s) { return 7 * int(s.size()); }

// Where the screenshots a person looks at go (QV_SHOTS), else the test's own folder.
std::string shotPath(const std::string& name) {
  const char* dir = std::getenv("QV_SHOTS");
  return (dir && *dir ? std::string(dir) : qvtest::tempDir("window_fit")) + "/" + name;
}

}  // namespace

TEST(WindowFit, PlacementMovesAWindowOntoTheScreenKeepingItsSize) {
  struct Case {
    rt::Rect want, placed;
  } cases[] = {
      {{100, 100, 500, 400}, {100, 100, 500, 400}},      // already on the screen
      {{1, 915, 327, 989}, {1, 826, 327, 900}},          // below the bottom: moved up
      {{1300, 50, 1700, 150}, {1040, 50, 1440, 150}},    // past the right edge: moved left
      {{-30, 0, 170, 100}, {0, kTitleBarHeight, 200, 100 + kTitleBarHeight}},  // title bar kept on
      {{50, 60, 550, 1060}, {50, kTitleBarHeight, 550, 1000 + kTitleBarHeight}},  // taller: top stays on
  };
  for (const auto& c : cases) {
    EXPECT_EQ(placeOnScreen(c.want, kScreen), c.placed) << c.want.left << "," << c.want.top;
    EXPECT_EQ(placeOnScreen(c.want, kScreen).width(), c.want.width());
  }
  EXPECT_TRUE(fitsOnScreen(placeOnScreen({1, 915, 327, 989}, kScreen), kScreen));

  qvtest::resetRuntime();
  BuildWINDOW(90, "Data Filter In Use:", 1, 915, 318, 989, 261);
  EXPECT_TRUE(fitsOnScreen(rt::windowContentRect(90), rt::screenRect()));
}

TEST(WindowFit, LinesWrapBetweenWordsAndInsideAWordTooLong) {
  struct Case {
    const char* line;
    int room;
    std::vector<std::string> pieces;
  } cases[] = {
      {"short line", 100, {"short line"}},
      {"one two three four", 70, {"one two", "three four"}},
      {"abcdefghijkl", 35, {"abcde", "fghij", "kl"}},
      {"x \xC3\xB7\xC3\xB7\xC3\xB7", 14, {"x", "\xC3\xB7", "\xC3\xB7", "\xC3\xB7"}},  // never inside a character
      {"", 10, {""}},
  };
  for (const auto& c : cases) EXPECT_EQ(wrapLine(c.line, c.room, sevenEach), c.pieces) << c.line;
}

TEST(WindowFit, AWarningGrowsToItsLongestLineAndWrapsPastTheScreen) {
  const std::string longLine(60, 'a');  // 420 pixels
  WarningLayout l = layoutWarning(600, 1400, 90, {"short", longLine}, 1, sevenEach);
  EXPECT_EQ(l.width, 600) << "the asked width when everything fits";
  l = layoutWarning(300, 1400, 90, {"short", longLine}, 1, sevenEach);
  EXPECT_EQ(l.width, kWarningTextX + 420 + kWarningRightMargin);
  EXPECT_EQ(l.lines.size(), 2u);
  EXPECT_EQ(l.height, 118 + 2 * kWarningLineStep);
  const std::string huge = "word " + std::string(300, 'b');
  l = layoutWarning(300, 1400, 90, {huge}, 2, sevenEach);
  EXPECT_EQ(l.width, 1400);
  EXPECT_GT(l.lines.size(), 1u);
  for (const auto& line : l.lines) EXPECT_LE(kWarningTextX + sevenEach(line), l.width - kWarningRightMargin);
  EXPECT_EQ(l.height, 118 + kWarningLineStep * int(l.lines.size()));
  // Three buttons need their room even under short lines.
  EXPECT_GE(layoutWarning(100, 1400, 10, {"x"}, 3, sevenEach).width, 3 * kWarningButtonWidth + 4 * kWarningButtonGap);
}

// The longest notice a command of this build can show, measured in the font it is drawn in:
// every line fits between the icon and the striped border.
TEST(WindowFit, TheWidestNotAvailableNoticeShowsItsWholeLine) {
  qvtest::resetRuntime();
  const std::string command = "Opening Sable ExpeData files";
  const std::string shot = shotPath("not_available.png");
  qvtest::script({("shot 990 " + shot).c_str(), "click 1"});
  NotAvailable(command);
  QImage img(QString::fromStdString(shot));
  ASSERT_FALSE(img.isNull());

  BuildWINDOW(20, "measure", 10, 40, 400, 200, 6);
  SetTextStyle(KestrixFont, 14, 0);
  const std::string line = "\u201C" + command + "\u201D is not available in this build of Quorvelant.";
  EXPECT_LE(kWarningTextX + rt::stringWidth(line), img.width() - kWarningRightMargin) << "the line is cut";
  EXPECT_LE(img.width(), 1440);
}

TEST(WindowFit, AWarningLineWiderThanTheScreenIsWrappedNotCut) {
  qvtest::resetRuntime();
  const std::string shot = shotPath("long_warning.png");
  qvtest::script({("shot 1166 " + shot).c_str(), "click 1"});
  WarningSpec s;
  s.sound = "";
  std::string longLine;
  for (int i = 0; i < 40; ++i) longLine += "channel label " + std::to_string(i) + " ";
  s.lines = {longLine};
  EXPECT_EQ(ShowWarning(s), 1);
  QImage img(QString::fromStdString(shot));
  ASSERT_FALSE(img.isNull());
  EXPECT_LE(img.width(), 1440);

  BuildWINDOW(20, "measure", 10, 40, 400, 200, 6);
  SetTextStyle(KestrixFont, 14, 0);
  const MeasureText measure = [](std::string_view t) { return rt::stringWidth(t); };
  const WarningLayout l = layoutWarning(s.width, 1400, 0, s.lines, 1, measure);
  EXPECT_EQ(img.width(), l.width);
  EXPECT_EQ(img.height(), l.height) << "one row of text for each wrapped piece";
  EXPECT_GT(l.lines.size(), 1u);
  for (const auto& piece : l.lines) EXPECT_LE(kWarningTextX + measure(piece), l.width - kWarningRightMargin);
}
