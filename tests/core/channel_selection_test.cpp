#include <gtest/gtest.h>

#include <string>

#include "core/channel_selection.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "plot/plot_state.h"
#include "runtime/menus.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

class ChannelSelection : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    TheFileInUse = 0;
    useChannels(6);
    FileSHORTS[0][2] = 0;
    FileSHORTS[0][7] = 0;
    ChannelSelectControlFlag = 1;
    BottomOfPlotArea = 500;
    std::fill(std::begin(OverlayArray[0]), std::end(OverlayArray[0]), int16_t(0));
  }
  void TearDown() override {
    ChannelSelectControlFlag = 1;
    TheFileInUse = -1;
    nChannels[0] = 0;
  }
  static void useChannels(int n) {
    nChannels[0] = int16_t(n);
    for (int c = 1; c <= n; ++c) SetChannelLabel(0, c, "label " + std::to_string(c));
  }
  static int16_t flag(int row, int c) { return overlayFlag(0, row, c); }
  // Ticks channels 1, 3 and 5 and, left over from a file of more channels, 8 in both rows.
  static void tickPattern() {
    for (int row : {1, 2})
      for (int c : {1, 3, 5, 8}) overlayFlag(0, row, c) = 1;
  }
};

}  // namespace

TEST_F(ChannelSelection, EachKindPreparesItsRowAndTheBoxesShowIt) {
  struct Case {
    int16_t kind, mode;
    int row;
    const char* start;  // flags of channels 1..6 after the dialog opened
  } cases[] = {
      {kSelectKeepFlags, kModeDisplay, 1, "101010"},
      {kSelectNone, kModeDelete, 1, "000000"},
      {kSelectRearrange, kModeDisplay, 1, "111111"},
      {kSelectPrint, kModePrint, 1, "111111"},
      {kSelectMultiView, kModeDisplay, 1, "111111"},
      {kSelectSave, kModeSave, 2, "111111"},
  };
  ChannelSelectControlFlag = 99;  // the caller's window stays, so its boxes can be read
  for (const auto& c : cases) {
    std::fill(std::begin(OverlayArray[0]), std::end(OverlayArray[0]), int16_t(0));
    tickPattern();
    BuildWINDOW(6, "Channels", 80, 75, 400, 450, 262);
    qvtest::script({"key 13"});
    ChannelSelectionDialog(0, c.kind, 1, c.mode, 0);
    std::string flags, marks;
    for (int ch = 1; ch <= 6; ++ch) {
      flags += char('0' + flag(c.row, ch));
      marks += rt::buttonStateIn(6, ch) == 2 ? '1' : '0';
    }
    EXPECT_EQ(flags, c.start) << "kind " << c.kind;
    EXPECT_EQ(marks, c.start) << "kind " << c.kind;
    EXPECT_EQ(flag(c.row, 8), 0) << "flags above the channel count are cleared";
    EXPECT_EQ(flag(c.row == 1 ? 2 : 1, 3), 1) << "the other row is left alone";
  }
}

TEST_F(ChannelSelection, ClicksFlipFlagsAllNoneAndBlockOnly) {
  ChannelSelectControlFlag = 99;
  FileSHORTS[0][2] = 2;  // the file has a block
  tickPattern();
  BuildWINDOW(6, "Channels", 80, 75, 400, 450, 262);
  qvtest::script({"click 1", "click 2", "click 2", "click 125", "click 233"});
  EXPECT_EQ(ChannelSelectionDialog(0, kSelectSave, 1, kModeSave, 0), kSelectionDone);
  EXPECT_EQ(flag(2, 1), 0);
  EXPECT_EQ(flag(2, 2), 1);
  EXPECT_EQ(rt::buttonStateIn(6, 1), 1);
  EXPECT_EQ(rt::buttonStateIn(6, 2), 2);
  EXPECT_EQ(printblock, 1);
  EXPECT_EQ(DefaultSave, 0);

  qvtest::script({"click 237", "click 238", "click 233"});
  ChannelSelectionDialog(0, kSelectSave, 1, kModeSave, 0);
  for (int c = 1; c <= 40; ++c) EXPECT_EQ(flag(2, c), 0) << c;
  EXPECT_EQ(printblock, 0) << "cleared on entry";
}

TEST_F(ChannelSelection, SavingOffersTheStandardFormatAndTheCompactedNote) {
  ChannelSelectControlFlag = 99;
  BuildWINDOW(6, "Select Channels to Save", 80, 75, 400, 450, 262);
  qvtest::script({"click 234"});
  EXPECT_EQ(ChannelSelectionDialog(0, kSelectSave, 1, kModeSave, 0), kSelectionDone);
  EXPECT_EQ(DefaultSave, 1);
  EXPECT_EQ(DefaultSaveAs, 1);
  EXPECT_FALSE(rt::controlExistsIn(6, 125)) << "no Block Only without a block";
  EXPECT_NE(rt::editTextIn(6, 130).find("Kestrix binary format"), std::string::npos);

  BuildWINDOW(6, "Select Channels to Save", 80, 75, 400, 450, 262);
  qvtest::script({"click 233"});
  ChannelSelectionDialog(0, kSelectSave, 1, kModeSave, 1);
  EXPECT_EQ(DefaultSave, 0);
  EXPECT_FALSE(rt::controlExistsIn(6, 234));
  EXPECT_EQ(rt::editTextIn(6, 130), "Parsed (compacted) files are always saved as ASCII text-format spreadsheets.");
}

TEST_F(ChannelSelection, DeleteModeCloseBoxCancelsAndDoneOrReturnConfirm) {
  ChannelSelectControlFlag = -99;
  tickPattern();
  struct Case {
    const char* end;
    int16_t result;
  } cases[] = {{"dialog 4 10", kSelectionClosed}, {"click 233", kSelectionDone}, {"key 13", kSelectionDone}};
  for (const auto& c : cases) {
    qvtest::script({"click 4", c.end});
    EXPECT_EQ(SELECTCHANNELS("Channels to Delete (No 'Undo' Possible) ", 0, kSelectNone, 0, kModeDelete), c.result)
        << c.end;
    EXPECT_FALSE(rt::windowExists(10));
    EXPECT_EQ(flag(1, 1), 0) << "every box starts unticked";
    EXPECT_EQ(flag(1, 4), 1) << "the ticks made stand";
  }
}

TEST_F(ChannelSelection, OverlayModeKeepsTheActiveChannelOut) {
  ChannelSelectControlFlag = -99;
  tickPattern();
  overlayFlag(0, 1, 2) = 1;  // the active channel, ticked by an earlier use
  qvtest::script({});
  EXPECT_EQ(qvtest::exitStatusOf([] { SELECTCHANNELS("Overlay Channel Selection", 2, kSelectNone, 0, kModeOverlay); }),
            3);
  EXPECT_EQ(rt::buttonStateIn(10, 2), 0) << "dimmed";
  EXPECT_EQ(flag(1, 2), 0);
  EXPECT_EQ(rt::buttonStateIn(10, 3), 2) << "the earlier overlay ticks are kept and shown";

  qvtest::resetRuntime();
  qvtest::script({"click 2"});
  EXPECT_EQ(qvtest::exitStatusOf([] { SELECTCHANNELS("Overlay Channel Selection", 2, kSelectNone, 0, kModeOverlay); }),
            3);

  qvtest::resetRuntime();
  qvtest::script({"click 237", "click 133"});
  EXPECT_EQ(SELECTCHANNELS("Overlay Channel Selection", 2, kSelectNone, 0, kModeOverlay), kSelectionDone);
  EXPECT_EQ(CustomOverlay, 1);
  for (int c = 1; c <= 6; ++c) EXPECT_EQ(flag(1, c), c == 2 ? 0 : 1) << c;

  qvtest::script({"click 4", "click 139"});
  EXPECT_EQ(SELECTCHANNELS("Overlay Channel Selection", 2, kSelectNone, 0, kModeOverlay), kSelectionCleared);
  EXPECT_EQ(flag(1, 4), 0) << "Clear leaves the flags as the clicks left them";
  EXPECT_FALSE(rt::windowExists(10));
}

TEST_F(ChannelSelection, TheScalingWindowFollowsForDisplayAndPrinting) {
  rt::menuCreate(51, "Scaling");
  rt::menuSetItems(51, 1, "a;b;c;d", 0);
  FileSHORTS[0][7] = 1;  // multi-channel view
  qvtest::script({"click 233", "click 3", "click 4", "click 23"});
  EXPECT_EQ(SELECTCHANNELS("Print", 0, kSelectPrint, 1, kModePrint), 3);
  EXPECT_EQ(DrawAllScaleMode, 0) << "Use Current Channel Settings only moves the mark";
  EXPECT_EQ(rt::menuItemState(51, 2), 2);
  EXPECT_EQ(rt::menuItemState(51, 4), 1);
  EXPECT_FALSE(rt::windowExists(10));

  qvtest::script({"key 13", "click 4", "dialog 4 10"});
  EXPECT_EQ(SELECTCHANNELS("Select Channels To Display", 0, kSelectMultiView, 1, kModeDisplay), 4);
  EXPECT_EQ(DrawAllScaleMode, 2);
  EXPECT_EQ(rt::menuItemState(51, 4), 2);
  rt::menuDelete(51);
}

TEST_F(ChannelSelection, OneChannelAsksNothing) {
  useChannels(1);
  ChannelSelectControlFlag = -99;
  EXPECT_EQ(SELECTCHANNELS("Channels to Delete (No 'Undo' Possible) ", 0, kSelectNone, 0, kModeDelete),
            kSelectionDone);
  EXPECT_EQ(flag(1, 1), 0);
}

TEST_F(ChannelSelection, WindowGrowsWithTheChannelCount) {
  EXPECT_EQ(channelSelectionExtraHeight(16), 0);
  EXPECT_EQ(channelSelectionExtraHeight(17), 40);
  EXPECT_EQ(channelSelectionExtraHeight(40), 454);
  struct Case {
    int channels;
    int16_t flag;
    rt::Rect at;
  } cases[] = {
      {6, 1, {0, 70, 416, 403}},
      {40, 1, {0, 70, 416, 857}},
      {6, -99, {6, 515, 423, 855}},
      {40, -99, {6, 45, 423, 839}},  // the top held at 45, the bottom moved down as far
  };
  for (const auto& c : cases) {
    qvtest::resetRuntime();
    useChannels(c.channels);
    ChannelSelectControlFlag = c.flag;
    BottomOfPlotArea = c.flag == -99 && c.channels == 40 ? 100 : 500;
    EXPECT_EQ(qvtest::exitStatusOf([] { SELECTCHANNELS("Channels", 0, kSelectNone, 0, kModeDelete); }), 3);
    const rt::Rect r = rt::windowContentRect(10);  // the desktop may nudge a window off the screen's edge
    EXPECT_EQ(r.top, c.at.top) << c.channels << " channels, flag " << c.flag;
    EXPECT_EQ(r.bottom, c.at.bottom) << c.channels << " channels, flag " << c.flag;
    EXPECT_EQ(r.width(), c.at.width()) << c.channels << " channels, flag " << c.flag;
    EXPECT_TRUE(rt::controlExistsIn(10, c.channels));
  }
}
