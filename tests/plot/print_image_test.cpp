// Print File Image run on scripted answers, and the windows around it: whatever way the tool
// ends, the plot keeps its tool bar, its mouse and its paging; window 1166 while printing;
// the notes list following its window's size.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "core/channel_selection.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/text_format.h"
#include "output/commands.h"
#include "output/image_print.h"
#include "plot/notes_table.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using namespace plottest;

namespace {

constexpr int kPlot = 1000, kToolBar = 1999, kAlert = 1166, kNotes = 6000;

// A file of the example's length (10,800 cases, two channels) in a plot `width` wide, with
// its tool bar.
void examplePlot(int width) {
  resetPlotState();
  openPlot(makeFile(10800, {[](int32_t k) { return float(20 + std::sin(k * 0.01)); },
                            [](int32_t k) { return float(k % 50); }}),
           0);
  setPlotSize(0, width, 429);
  DrawPlot(0, 0, 0, 1);
  ToolBar();
}

std::string line(const std::string& record, const std::string& path) { return record + " " + path; }

void expectCleanedUp(const char* how) {
  EXPECT_TRUE(rt::windowVisible(kToolBar)) << how;
  EXPECT_EQ(ToolbarIsHidden, 0) << how;
  EXPECT_EQ(printblock, 0) << how;
  EXPECT_EQ(ChannelSelectControlFlag, 0) << how;
  EXPECT_FALSE(rt::windowExists(kAlert)) << how;
}

}  // namespace

TEST(PrintImage, EveryCancelLeavesTheToolBarAndADragSelectsABlock) {
  const char* const cancels[][5] = {
      {"click 9", "click 233", "click 23", "page cancel", nullptr},
      {"click 9", "click 233", "click 23", "page ok", "print cancel"},
      {"dialog 4 200", nullptr, nullptr, nullptr, nullptr},
  };
  for (const auto& answers : cancels) {
    examplePlot(1000);
    ASSERT_TRUE(rt::windowVisible(kToolBar));
    for (const char* a : answers)
      if (a) qvtest::script({a});
    SCREENIMAGE(0);
    expectCleanedUp(answers[3] ? answers[3] : answers[0]);
    runMouse({"mouse down 300 100 1000", "mouse drag 450 100 1000", "mouse up 600 100 1000"});
    EXPECT_EQ(FileSHORTS[0][2], 2) << answers[0];
    EXPECT_LT(BeginBlock[0], EndBlock[0]) << answers[0];
  }
}

TEST(PrintImage, PrintingKeepsThePlotsWidthPagesAndViewWord) {
  examplePlot(1287);
  ASSERT_EQ(ScreenWidth, 1287);
  const std::string pdf = qvtest::tempDir("print-image") + "/image.pdf";
  const std::string print = line("print", pdf);
  qvtest::script({"click 9", "click 233", "click 23", "page ok", print.c_str()});
  SCREENIMAGE(0);
  ASSERT_TRUE(std::filesystem::exists(pdf));
  EXPECT_GT(std::filesystem::file_size(pdf), 0u);
  // The page is drawn 832 wide; the plot pages at its own width again: 10,800 / 1,287 -> 9.
  EXPECT_EQ(ScreenWidth, 1287);
  EXPECT_EQ(FileSHORTS[0][13], 9);
  EXPECT_EQ(FileSHORTS[0][7], 0);
  EXPECT_EQ(gPrintedFromWidth, 0);
  expectCleanedUp("printed");
}

TEST(PrintImage, AlertCountsTheStripsDrawn) {
  examplePlot(1000);
  showPrintingAlert(4);
  ASSERT_TRUE(rt::windowExists(kAlert));
  rt::setOutputWindow(kAlert);
  ASSERT_TRUE(rt::controlExists(777));
  EXPECT_EQ(rt::controlValue(777), 0);
  showPrintingProgress(2);
  EXPECT_GT(rt::controlValueIn(kAlert, 777), 0);
  showPrintingProgress(4);
  rt::setOutputWindow(kAlert);
  const rt::Rect bar = rt::controlRect(777);
  EXPECT_EQ(rt::controlValue(777), bar.width());
  // Everything inside the window's 355 x 170.
  EXPECT_LE(bar.right, 355);
  EXPECT_LE(bar.bottom, 170);
  std::filesystem::create_directories("plot-shots");
  EXPECT_TRUE(rt::saveWindowImage(kAlert, "plot-shots/printing-alert.png"));
  rt::closeWindow(kAlert);
}

TEST(NotesWindow, TheListAndTheBandFollowTheWindowsSize) {
  examplePlot(1000);
  fileRemarks[0] = {{"5", "09:12:05", "start"}, {"5500", "10:43:40", "lights off"}};
  NumberOfNotes[0] = 2;
  TempContainer = "note # 1\nstart\n";
  rt::openWindow(kNotes, "notes", {50, 100, 590, 314}, rt::kDocumentWindowClass,
                 rt::kAttrCloseBox | rt::kAttrResizable);
  struct Size {
    int width, height;
  } sizes[] = {{540, 214}, {900, 600}, {360, 200}, {1400, 850}};
  for (const Size& s : sizes) {
    const rt::Rect at = rt::windowContentRect(kNotes);
    rt::setWindowContentRect(kNotes, {at.left, at.top, at.left + s.width, at.top + s.height});
    FitNotesWindow();
    rt::setOutputWindow(kNotes);
    const rt::Rect list = rt::controlRect(1), done = rt::controlRect(2), save = rt::controlRect(11);
    // The list fills the window down to the band; the buttons sit in the band at the right.
    EXPECT_EQ(list.width(), s.width) << s.width;
    EXPECT_EQ(list.bottom, s.height - 56) << s.height;
    EXPECT_EQ(done.right, s.width - 20) << s.width;
    EXPECT_EQ(done.bottom, s.height - 12) << s.height;
    EXPECT_GT(done.top, list.bottom) << s.height;
    EXPECT_LT(save.right, done.left) << s.width;
    EXPECT_GE(save.left, 0) << s.width;
  }
  std::filesystem::create_directories("plot-shots");
  EXPECT_TRUE(rt::saveWindowImage(kNotes, "plot-shots/notes-wide.png"));
  rt::closeWindow(kNotes);
}
