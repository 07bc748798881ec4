// Documents handed over by the desktop (file arguments, or a second start of the program).
#include "app/chooser.h"
#include "app/dispatcher.h"
#include "core/event_state.h"
#include "core/filetable.h"
#include "app/main_loop.h"
#include "datafiles/datafiles.h"
#include "datafiles/open_road.h"
#include "hand_bytes.h"
#include "open_road_fixture.h"
#include "runtime/events.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using opentest::OpenRoad;
using opentest::pictureOfTable;

namespace {

class FinderRoad : public OpenRoad {
 protected:
  void SetUp() override {
    OpenRoad::SetUp();
    rt::setHandler(rt::Vector::Documents, MyFinderInfo);
  }
  // The desktop hands the documents over; the next pump delivers them.
  void handOver(const std::vector<std::string>& paths) {
    rt::Event e;
    e.kind = rt::EventKind::Documents;
    e.paths = paths;
    rt::postEvent(e);
    rt::refreshPump();
  }
  int openCount() const { return openFileCount(); }
};

}  // namespace

TEST_F(FinderRoad, TheProgramsOwnFilesOpenAndOtherDocumentsAreRefusedByName) {
  const std::string binary = writeRecording("run.KXdata", 200);
  const std::string text = writeText("run.txt", "5, 1, 1\r\"d\",\"t\"\r\"c\"\r0, 1, 0, 0, 0,\"O2\"\r0, 0, 0, 0, 0\r0\r1,\r2,\r3,\r4,\r5,\r");
  const std::string letter = writeText("letter.txt", "Dear colleague,\r");
  const std::string tooLongForText = writeText("count.txt", "132769, 1, 1\r");
  // Each skipped one is named in a warning (one click each), the others open.
  qvtest::script({"click 1", "click 1", "click 1"});
  handOver({binary, letter, text, tooLongForText, dir + "/gone.KXdata"});
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(openCount(), 2);
  EXPECT_EQ(FileName[0], "run.KXdata");
  EXPECT_EQ(FileName[1], "run.txt");
  EXPECT_EQ(nCases[1], 5);
  EXPECT_EQ(TheFileInUse, 1);
  EXPECT_TRUE(rt::windowExists(1001));
  EXPECT_EQ(FileHasBeenClicked, 0);
  EXPECT_EQ(FileIconWasClicked, 0);
  EXPECT_EQ(TypeOfFile, 0);
}

TEST_F(FinderRoad, ADamagedSableDocumentIsRefusedAndChangesNothing) {
  qvtest::HandBytes sable;
  sable.f32le(1003.0f).text("rest");
  openFiles(1);
  const opentest::TablePicture before = pictureOfTable();
  qvtest::script({"dialog 3 1166"});  // the refusal window closed
  handOver({writeBytes("run.RIVozar", sable.b)});
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(pictureOfTable() == before);
}

TEST_F(FinderRoad, WithNineteenOpenThreeDocumentsTheFirstFitsAfterTheWarning) {
  openFiles(19);
  const std::string shot = "shot 998 " + dir + "/too-many.png";
  qvtest::script({shot.c_str(), "click 28", "click 26"});  // OK, then the chooser's Cancel
  handOver({writeRecording("a.KXdata", 31), writeRecording("b.KXdata", 32), writeRecording("c.KXdata", 33)});
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(openCount(), 20);
  EXPECT_EQ(FileName[19], "a.KXdata");
}

TEST_F(FinderRoad, TheTwentyFirstIsRefused) {
  openFiles(20);
  const opentest::TablePicture before = pictureOfTable();
  const std::string shot = "shot 998 " + dir + "/too-many.png";
  qvtest::script({shot.c_str(), "key 13", "click 26"});
  handOver({writeRecording("extra.KXdata", 31)});
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(pictureOfTable() == before);
}

TEST_F(FinderRoad, ClosingFilesInTheChooserMakesRoomForMoreDocuments) {
  openFiles(20);
  // The warning's OK, then all checked in the chooser but two.
  qvtest::script({"key 13", "click 28", "click 1", "click 2", "click 27"});
  handOver({writeRecording("a.KXdata", 31), writeRecording("b.KXdata", 32)});
  EXPECT_EQ(openCount(), 4);
  EXPECT_EQ(FileName[TheFileInUse], "b.KXdata");
}

TEST_F(FinderRoad, ADocumentArrivingWhileAToolRunsWaitsForTheMainLoop) {
  openFiles(1);
  rt::setHandler(rt::Vector::Menu, noMENU);  // a tool window's loop
  handOver({writeRecording("later.KXdata", 44)});
  EXPECT_EQ(openCount(), 1);
  EXPECT_EQ(FileHasBeenClicked, 1);
  const std::string shot = "shot 1000 " + dir + "/plot.png";
  qvtest::script({shot.c_str()});
  MainLoopPass();
  EXPECT_EQ(openCount(), 2);
  EXPECT_EQ(FileName[1], "later.KXdata");
  EXPECT_EQ(FileHasBeenClicked, 0);
}

TEST_F(FinderRoad, FlushingEventsKeepsDocuments) {
  rt::Event e;
  e.kind = rt::EventKind::Documents;
  e.paths = {writeRecording("kept.KXdata", 45)};
  rt::postEvent(e);
  rt::FlushEvents();
  rt::refreshPump();
  EXPECT_EQ(openCount(), 1);
}
