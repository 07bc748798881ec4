// The limit of 20 open files: the close chooser before a load, and from the File menu.
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "app/menu_bar.h"
#include "core/prefs.h"
#include "datafiles/datafiles.h"
#include "datafiles/open_road.h"
#include "open_road_fixture.h"
#include "plot/plot.h"
#include "runtime/menus.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using opentest::OpenRoad;
using opentest::pictureOfTable;

namespace {

class CloseChooser : public OpenRoad {
 protected:
  void SetUp() override {
    OpenRoad::SetUp();
    openFiles(20);
    next = "open " + writeRecording("twenty-first.KXdata", 77);
  }
  std::string next;

  int openCount() const { return openFileCount(); }
};

}  // namespace

TEST_F(CloseChooser, WithTwentyFilesOpenCancelAbandonsTheLoad) {
  ASSERT_EQ(openCount(), 20);
  const opentest::TablePicture before = pictureOfTable();
  // No open panel follows: a panel would find no answer and stop the test.
  for (const char* cancel : {"click 26", "dialog 4 200"}) {
    const std::string shot = "shot 200 " + dir + "/chooser.png";
    qvtest::script({shot.c_str(), cancel});
    EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(1, 1); }), -1) << cancel;
    EXPECT_TRUE(pictureOfTable() == before) << cancel;
    EXPECT_FALSE(rt::windowExists(200));
  }
}

TEST_F(CloseChooser, TheCloseButtonWaitsForACheckedBox) {
  qvtest::script({"click 27"});
  EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(1, 1); }), 3) << "a dimmed button cannot be clicked";
}

TEST_F(CloseChooser, ClosingAFileLetsTheLoadContinueIntoItsSlot) {
  const opentest::TablePicture before = pictureOfTable();
  qvtest::script({"click 5", "click 27", next.c_str()});  // the box of slot 4
  DoMENU(1, 1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(TheFileInUse, 4);
  EXPECT_EQ(FileName[4], "twenty-first.KXdata");
  EXPECT_EQ(nCases[4], 77);
  EXPECT_EQ(NumberOfOpenFiles, 20);
  const opentest::TablePicture after = pictureOfTable();
  for (int s = 0; s < kMaxOpenFiles; ++s) {
    if (s == 4) continue;
    EXPECT_TRUE(after.slots[size_t(s)] == before.slots[size_t(s)]) << s;
  }
}

TEST_F(CloseChooser, AFileClosedStaysClosedWhenTheLoadIsThenCancelled) {
  qvtest::script({"click 3", "click 27", "open cancel"});  // the box of slot 2
  DoMENU(1, 1);
  EXPECT_FALSE(slotIsOpen(2));
  EXPECT_EQ(openCount(), 19);
  EXPECT_EQ(TheFileInUse, 19) << "the file in use is still the one before";
}

TEST_F(CloseChooser, AllFilesClosedTheFileInUseGoesOnlyOnceTheNewOneIsIn) {
  qvtest::script({"click 28", "click 27", "open cancel"});
  DoMENU(1, 1);
  EXPECT_EQ(openCount(), 1) << "the last file is never dropped for a load that did not come";
  EXPECT_TRUE(slotIsOpen(19));
  EXPECT_EQ(TheFileInUse, 19);

  openFiles(20);
  qvtest::script({"click 28", "click 27", next.c_str()});
  DoMENU(1, 1);
  EXPECT_EQ(openCount(), 1);
  EXPECT_EQ(FileName[TheFileInUse], "twenty-first.KXdata");
}

TEST_F(CloseChooser, AChangedFileIsOfferedForSavingFirst) {
  prefsArray[16] = 1;
  FileSHORTS[3][kChangeMarkWord] = 1;
  const opentest::TablePicture before = pictureOfTable();
  // The question's Cancel keeps the file: nothing closed, so no load.
  qvtest::script({"click 4", "click 27", "click 3"});
  DoMENU(1, 1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(pictureOfTable() == before);
  // "Do Not Save" lets it go.
  qvtest::script({"click 4", "click 27", "click 2", next.c_str()});
  DoMENU(1, 1);
  EXPECT_EQ(FileName[3], "twenty-first.KXdata");
}

TEST_F(CloseChooser, FromTheFileMenuTheBoxesFollowTheOpenSlots) {
  for (int s = 0; s < kMaxOpenFiles; ++s)
    if (s != 0 && s != 2 && s != 5) CloseThisPlotWindow(int16_t(s));
  ASSERT_EQ(openCount(), 3);
  TheFileInUse = 5;
  // Boxes 1, 3 and 6, in slot order; box 2 would not exist.
  qvtest::script({"click 1", "click 6", "click 27"});
  DoMENU(1, 11);
  EXPECT_EQ(openCount(), 1);
  EXPECT_TRUE(slotIsOpen(2));
  EXPECT_EQ(TheFileInUse, 2) << "the file left takes the place of the one in use";
  EXPECT_EQ(rt::menuItemCount(kWindowMenu), 1);
  EXPECT_EQ(rt::menuItemState(kFileMenu, 11), 0);
}

TEST_F(CloseChooser, FromTheFileMenuAllFilesEndWithTheLastFileQuestion) {
  for (int s = 3; s < kMaxOpenFiles; ++s) CloseThisPlotWindow(int16_t(s));
  ASSERT_EQ(openCount(), 3);
  TheFileInUse = 1;
  // All, close; the last file asks whether to quit, load another or keep it: keep it.
  qvtest::script({"click 28", "click 27", "click 3"});
  DoMENU(1, 11);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(openCount(), 1);
  EXPECT_TRUE(slotIsOpen(1)) << "the file in use is the one kept";
  EXPECT_EQ(TheFileInUse, 1);
}
