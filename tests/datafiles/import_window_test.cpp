// File > Import > Text driven as the user drives it: window 14 set up, the file committed
// through the open road, the file-data editor after it; a cancel or a refusal changes nothing.
#include <string>

#include "app/dispatcher.h"
#include "core/filetable.h"
#include "open_road_fixture.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace opentest {
namespace {

// A label line, then twelve rows: a time, CO2, O2 and a one-letter flag.
std::string gasText() {
  std::string t = "Elapsed time (sec),\"CO2, ppm\",O2 %,f\n";
  for (int k = 0; k < 12; ++k)
    t += std::to_string(100 + k) + "," + std::to_string(400 + k) + ".5,20.9" + std::to_string(k % 10) + ",a\n";
  return t;
}

TEST_F(OpenRoad, ImportedTextBecomesANewFileAfterTheFileDataEditor) {
  const std::string path = writeText("gas.csv", gasText());
  qvtest::script({("open " + path).c_str(), "click 2", "type 215 0.5", "click 19", "key 13"});
  DoMENU(74, 2);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  const int f = TheFileInUse;
  ASSERT_TRUE(slotIsOpen(f));
  EXPECT_FALSE(rt::windowExists(14));
  EXPECT_EQ(nChannels[f], 3);  // the flag column starts unselected
  EXPECT_EQ(nCases[f], 11);
  EXPECT_FLOAT_EQ(FileInfoFLOATS[f][1], 0.5f);
  EXPECT_EQ(FileName[f], "gas.csv");
  EXPECT_EQ(RetrieveLabelOf(f, 2).substr(0, 9), "CO2, ppm ");
  EXPECT_EQ(RetrieveLabelOf(f, 3).substr(0, 5), "O2 % ");
  EXPECT_EQ(GetDatum(f, 1, 0), 100.0f);
  EXPECT_EQ(GetDatum(f, 2, 0), 400.5f);
  EXPECT_EQ(GetDatum(f, 2, 11), 411.5f);
  EXPECT_EQ(GetDatum(f, 3, 11), 20.91f);
}

TEST_F(OpenRoad, ACancelledOrRefusedImportChangesNothing) {
  openThroughMenu(writeRecording("run.KXdata", 200, 2));
  const TablePicture before = pictureOfTable();
  const std::string path = writeText("gas.csv", gasText());
  for (const char* interval : {"0", "-1", "abc"}) {
    qvtest::script({("open " + path).c_str(), (std::string("type 215 ") + interval).c_str(), "click 19",
                    "click 1",  // the warning's OK: the window stays
                    "click 20"});
    DoMENU(74, 2);
    EXPECT_EQ(rt::script::pendingCount(), 0u) << interval;
    EXPECT_FALSE(rt::windowExists(14));
    EXPECT_TRUE(pictureOfTable() == before) << interval;
  }
  // One data line from the line chosen on: refused after the window.
  qvtest::script({("open " + writeText("short.csv", "a,b\n10,20\n")).c_str(), "click 2", "click 19", "click 1"});
  DoMENU(74, 2);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_TRUE(pictureOfTable() == before);
}

TEST_F(OpenRoad, TheImportWindowsButtonsFollowItsBottomEdge) {
  const std::string path = writeText("gas.csv", gasText());
  // The user drags the window taller, and narrower than it may be, while a warning is up.
  bool resized = false;
  rt::setSoundObserver([&resized](const std::string&) {
    if (resized || !rt::windowExists(14)) return;
    const rt::Rect r = rt::windowContentRect(14);
    rt::setWindowContentRect(14, {r.left, r.top, r.left + 500, r.top + 720});
    resized = true;
  });
  qvtest::script({("open " + path).c_str(), "click 95", "click 19", "click 1"});  // nothing selected
  EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(74, 2); }), 3);
  ASSERT_TRUE(resized);
  ASSERT_TRUE(rt::windowExists(14));
  const rt::Rect w = rt::windowContentRect(14);
  EXPECT_EQ(w.width(), 660);
  EXPECT_EQ(w.height(), 720);
  rt::setOutputWindow(14);
  for (int id : {19, 20, 198}) EXPECT_EQ(rt::controlRect(id).bottom, 720 - 30) << id;
  EXPECT_EQ(rt::controlRect(95).bottom, 538);
}

TEST_F(OpenRoad, FortyFiveColumnsOfferFortyBoxesEachWithItsText) {
  std::string t;
  for (int k = 0; k < 12; ++k) {
    for (int c = 1; c <= 45; ++c) t += std::to_string(100 * c + k) + (c < 45 ? "," : "\n");
  }
  qvtest::script({("open " + writeText("wide.csv", t)).c_str()});
  EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(74, 2); }), 3);
  rt::setOutputWindow(14);
  EXPECT_EQ(rt::controlRect(60).width(), 40);
  EXPECT_EQ(rt::controlRect(61).width(), 0);
  EXPECT_EQ(rt::editTextIn(14, 317), "1709");
  EXPECT_EQ(rt::editTextIn(14, 340), "4009");
}

}  // namespace
}  // namespace opentest
