// Quit asks about every changed file, each in front in its turn, and ends the program only when
// every one was saved or let go.
#include <gtest/gtest.h>

#include "app/dispatcher.h"
#include "menus_fixture.h"
#include "runtime/scripted.h"

using namespace qv;

namespace {

class Quit : public menutest::MenusTest {
 protected:
  void SetUp() override {
    MenusTest::SetUp();
    prefsArray[16] = 1;
    openFile(0, 2, 100);
    openFile(1, 2, 100);
    openFile(3, 2, 100);
    FileSHORTS[0][10] = 1;
    FileSHORTS[3][10] = 1;
    TheFileInUse = 1;
  }
};

}  // namespace

TEST_F(Quit, TwoChangedFilesAreAskedAboutInTurn) {
  // "Do Not Save" twice: the program ends once both questions are answered.
  qvtest::script({"click 2", "click 2"});
  EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(1, 21); }), 0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(Quit, AnswerTheFirstOnlyAndTheSecondQuestionWaits) {
  qvtest::script({"click 2"});
  EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(0, 11); }), 3);  // scripted input ran out at question two
}

TEST_F(Quit, CancelStopsTheQuitWithTheAskedFileInFront) {
  qvtest::script({"click 2", "click 3"});
  EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(1, 21); }), -1);
  EXPECT_EQ(TheFileInUse, 3);
  EXPECT_EQ(rt::frontWindow(), 1003);
}

TEST_F(Quit, ASaveThatDidNotGoThroughKeepsTheProgramRunning) {
  // "Save...", then the save panel cancelled: the second file is not asked about.
  qvtest::script({"click 1", "click 233", "click 7", "save cancel"});
  EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(1, 21); }), -1);
  EXPECT_EQ(TheFileInUse, 0);
  EXPECT_EQ(FileSHORTS[0][10], 1);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(Quit, NothingChangedQuitsAtOnce) {
  FileSHORTS[0][10] = FileSHORTS[3][10] = 0;
  EXPECT_EQ(qvtest::exitStatusOf([] { DoMENU(1, 21); }), 0);
}
