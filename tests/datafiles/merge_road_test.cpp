// A second file merged into the file in use through its windows, and "Adjust Time Scale...",
// driven as the user drives them.
#include <algorithm>
#include <new>

#include "app/chooser.h"
#include "app/dispatcher.h"
#include "app/menu_bar.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/undo.h"
#include "datafiles/datafiles.h"
#include "datafiles/merge_road.h"
#include "open_road_fixture.h"
#include "plot/plot_state.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using opentest::OpenRoad;
using opentest::pictureOfTable;

namespace {

SampleArray noMemory(int32_t) { return nullptr; }
SampleArray throwingAllocation(int32_t) { throw std::bad_alloc(); }

// Append or Stack > own files, answered with `lines` (the open panel's answer first).
int mergeThroughMenu(const std::vector<std::string>& lines) {
  for (const auto& l : lines) EXPECT_TRUE(rt::script::pushLine(l)) << l;
  return qvtest::exitStatusOf([] { DoMENU(kAppendMenu, 1); });
}

}  // namespace

class MergeRoad : public OpenRoad {
 protected:
  void TearDown() override {
    setMergeAllocator(nullptr);
    OpenRoad::TearDown();
  }
};

TEST_F(MergeRoad, WindowEighteenOffersOnlyWhatFits) {
  struct Case {
    const char* what;
    int32_t casesA;
    int channelsA;
    int32_t casesB;
    bool appendOffered, stackOffered;
  };
  const Case cases[] = {
      {"6,100,000 in all", kMaxCases - 2, 1, 2, true, true},
      {"over 6,100,000 in all", kMaxCases - 2, 1, 3, false, true},
      {"40 channels in use", 30, 40, 30, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    prefsArray[7] = 26;  // the refusal's sound tells it is shown
    prefsArray[62] = 0;  // equal channel counts still show the append window
    openThroughMenu(writeRecording("a.KXdata", c.casesA, c.channelsA));
    const std::string second = "open " + writeRecording("b.KXdata", c.casesB, 1);
    const opentest::TablePicture before = pictureOfTable();
    for (int button : {1, 2}) {
      const bool offered = button == 1 ? c.appendOffered : c.stackOffered;
      sounds.clear();
      const int status = mergeThroughMenu({second, "click " + std::to_string(button), "click 352"});
      if (!offered) {
        EXPECT_EQ(status, 3) << "window 18 has no button " << button;
        EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "droplet.mp3"), 1);
        qvtest::resetRuntime();
        break;
      }
      EXPECT_EQ(status, -1);
      EXPECT_EQ(rt::script::pendingCount(), 0u);
      EXPECT_TRUE(pictureOfTable() == before);
      EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "droplet.mp3"), c.appendOffered && c.stackOffered ? 0 : 1);
    }
    TearDown();
  }
}

TEST_F(MergeRoad, ASixthChannelOfThirtyFivePlusEightIsRefusedAndStaysUnchecked) {
  prefsArray[7] = 26;
  const int f = openThroughMenu(writeRecording("a.KXdata", 20, 35));
  const std::string second =
      "open " + writeRecording("b.KXdata", 20, 8, [](int c, int32_t k) { return float(1000 * c + k); });
  std::vector<int> stateWhenRefused;
  rt::setSoundObserver([&](const std::string& s) {
    if (s == "bzot.mp3") stateWhenRefused.push_back(rt::buttonStateIn(17, 6));
  });
  const std::string shot = "shot 212 " + dir + "/too-many.png";
  EXPECT_EQ(mergeThroughMenu({second, "click 2", "click 1", "click 2", "click 3", "click 4", "click 5", "click 6", shot,
                              "key 13", "click 7", "dialog 4 212", "click 351"}),
            -1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(stateWhenRefused, (std::vector<int>{1, 1})) << "the box is unchecked again before the warning";
  EXPECT_FALSE(rt::windowExists(212));
  ASSERT_EQ(nChannels[f], 40);
  for (int k = 1; k <= 5; ++k) EXPECT_EQ(GetDatum(f, int16_t(35 + k), 7), float(1000 * k + 7)) << k;
}

TEST_F(MergeRoad, EveryCancelAndFailedAllocationLeavesTheFileAsItWas) {
  openThroughMenu(writeRecording("a.KXdata", 60, 3, {}, 4));
  CommentContainer[0] = "notes of the first file\r";
  FileInfoFLOATS[0][7] = 5;  // a device code, which a load in progress clears
  BeginBlock[0] = 10, EndBlock[0] = 20;
  const std::string second = "open " + writeRecording("b.KXdata", 40, 2, {}, 2, 2.0f);
  const std::string zero = "open " + writeRecording("zero.KXdata", 40, 2, {}, 0, 0.0f);
  struct Case {
    const char* what;
    std::vector<std::string> answers;
    SampleArray (*allocate)(int32_t) = nullptr;
  };
  const Case cases[] = {
      {"window 18 Cancel", {second, "click 3"}},
      {"window 18 close box", {second, "dialog 4 18"}},
      {"append window Cancel", {second, "click 1", "click 349", "click 42", "click 352"}},
      {"append window close box", {second, "click 1", "dialog 4 17"}},
      {"stack window Cancel", {second, "click 2", "click 444", "click 352"}},
      {"window 99 Cancel Load", {zero, "click 2"}},
      {"no memory for the joint file", {second, "click 1", "click 351", "click 4", "click 6", "dialog 3 1166"}, noMemory},
      {"an allocation that throws", {second, "click 2", "click 444", "click 351", "click 6", "dialog 3 1166"},
       throwingAllocation},
  };
  const opentest::TablePicture before = pictureOfTable();
  const std::string comment = CommentContainer[0];
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setMergeAllocator(c.allocate);
    EXPECT_EQ(mergeThroughMenu(c.answers), -1);
    setMergeAllocator(nullptr);
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_TRUE(pictureOfTable() == before);
    EXPECT_EQ(FileInfoFLOATS[0][7], 5);
    EXPECT_EQ(CommentContainer[0], comment);
    EXPECT_EQ(BeginBlock[0], 10);
    EXPECT_EQ(EndBlock[0], 20);
    EXPECT_EQ(TypeOfFile, 0);
    EXPECT_EQ(MergeThisFile, 0);
    for (int w : {15, 17, 18, 99, 200, 212, 1166}) EXPECT_FALSE(rt::windowExists(w)) << w;
  }
}

TEST_F(MergeRoad, PreferenceSixtyTwoAppendsEqualChannelCountsWithoutAsking) {
  prefsArray[62] = 1;
  const int f = openThroughMenu(writeRecording("a.KXdata", 3, 2));
  SetChannelLabel(f, 1, "old first");
  CommentContainer[f] = "old notes\r";
  MergeFileCommentHandling = 0;
  const std::string second = "open " + writeRecording("b.KXdata", 2, 2, [](int c, int32_t k) { return float(10 * c + k); });
  // Window 18's append button, and nothing more: no label window, no interval window.
  EXPECT_EQ(mergeThroughMenu({second, "click 1"}), -1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  ASSERT_EQ(nCases[f], 5);
  EXPECT_EQ(GetDatum(f, 2, 4), 21.0f);
  EXPECT_EQ(RetrieveLabelOf(f, 1).substr(0, 9), "channel 1") << "the second file's label";
  EXPECT_EQ(MergeFileCommentHandling, 2);
  EXPECT_EQ(CommentContainer[f].rfind("old notes\r", 0), 0u);
  EXPECT_NE(CommentContainer[f].find("made for b.KXdata"), std::string::npos) << "both comments";
  EXPECT_EQ(FileName[f], "a.KXdata") << "the file keeps its name";
}

TEST_F(MergeRoad, WindowTwoHundredOnlyWhenTheIntervalsDifferAndProceedAppliesTheSelection) {
  const int f = openThroughMenu(writeRecording("a.KXdata", 10, 1));
  // Equal intervals: the stack ends on "Merge File", with no window 200 to answer.
  EXPECT_EQ(mergeThroughMenu({"open " + writeRecording("same.KXdata", 10, 1), "click 2", "click 1", "click 351"}), -1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(nChannels[f], 2);
  struct Case {
    const char* what;
    std::vector<std::string> answers;
    float interval;
    int32_t cases;
  };
  const Case cases[] = {
      {"Proceed alone", {"click 6"}, 1.0f, 10},
      {"Return", {"key 13"}, 1.0f, 10},
      {"close box", {"click 3", "click 2", "dialog 4 200"}, 1.0f, 10},
      {"new interval", {"click 3", "click 6"}, 2.0f, 10},
      {"adjusted", {"click 4", "click 6"}, 1.0f, 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    openThroughMenu(writeRecording("a.KXdata", 10, 1));
    std::vector<std::string> lines{"open " + writeRecording("slow.KXdata", 10, 1, {}, 0, 2.0f), "click 2", "click 1",
                                   "click 351"};
    lines.insert(lines.end(), c.answers.begin(), c.answers.end());
    EXPECT_EQ(mergeThroughMenu(lines), -1);
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_FALSE(rt::windowExists(200));
    EXPECT_EQ(FileInfoFLOATS[f][1], c.interval);
    EXPECT_EQ(nCases[f], c.cases);
    EXPECT_EQ(nChannels[f], 2);
    TearDown();
  }
}

TEST_F(MergeRoad, TimeScaleAdjustmentLogsMarksAndGivesUpUndoAndBlock) {
  for (int16_t log : {1, 0}) {
    SCOPED_TRACE(log);
    SetUp();
    prefsArray[44] = log;
    const int f = openThroughMenu(writeRecording("a.KXdata", 30, 2));
    CommentContainer[f] = "notes\r";
    BeginBlock[f] = 5, EndBlock[f] = 25;
    ASSERT_TRUE(UndoAvailable());
    ASSERT_EQ(FileSHORTS[f][kChangeMarkWord], 0);
    qvtest::script({"type 21 0.5", "click 2"});
    DoMENU(kAppendMenu, 5);
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_EQ(nCases[f], 60);
    EXPECT_EQ(FileInfoFLOATS[f][1], 0.5f);
    EXPECT_EQ(CommentContainer[f], log ? "notes\r\r   *** Time scale adjustment ***\r            old sample interval 1 sec;  "
                                         "new sample interval 0.5 sec\r"
                                       : "notes\r");
    EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 1);
    EXPECT_FALSE(UndoAvailable());
    EXPECT_FALSE(UndoRefusalText().empty());
    EXPECT_EQ(BeginBlock[f], 0);
    EXPECT_EQ(EndBlock[f], 0);
    TearDown();
  }
}

TEST_F(MergeRoad, TimeScaleWindowRefusesWithoutChangingAnything) {
  const int f = openThroughMenu(writeRecording("a.KXdata", 6100, 2, {}, 3));
  const opentest::TablePicture before = pictureOfTable();
  const std::string shot = "shot 21 " + dir + "/too-many-cases.png";
  struct Case {
    const char* what;
    std::vector<std::string> answers;
  };
  const Case cases[] = {
      {"Cancel", {"type 21 0.5", "click 1"}},
      {"close box", {"type 21 0.5", "dialog 4 20"}},
      {"Return in the field", {"type 21 0.5", "key 13"}},
      {"no interval, then Cancel", {"type 21 0", "click 2", "type 21 -1", "click 2", "click 1"}},
      {"too many cases until its close box", {"type 21 0.0009", "click 2", shot, "key 13", "dialog 4 21", "click 1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    for (const auto& l : c.answers) ASSERT_TRUE(rt::script::pushLine(l));
    EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(kAppendMenu, 5); }), -1);
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    EXPECT_TRUE(pictureOfTable() == before);
    EXPECT_EQ(FileSHORTS[f][kChangeMarkWord], 0);
    EXPECT_FALSE(rt::windowExists(20));
    EXPECT_FALSE(rt::windowExists(21));
  }
}
