// The unsaved-changes question on the roads that lose a file, run from event files through
// the main loop: Quit and a plot window's close box; Save, Do Not Save and Cancel do what
// they say. Also Save and Save As from the File menu.
#include <gtest/gtest.h>

#include "plot/close_roads.h"

#include <fstream>

#include "app/dispatcher.h"
#include "app/main_loop.h"
#include "app/menu_bar.h"
#include "core/menu_state.h"
#include "core/menus_fixture.h"
#include "datafiles/binary_format.h"
#include "datafiles/datafile.h"
#include "datafiles/datafiles.h"
#include "core/unsaved_changes.h"
#include "runtime/files.h"
#include "runtime/scripted.h"

using namespace qv;

namespace {

constexpr const char* kIdle = "dialog 29 0";

class SaveQuestions : public menutest::MenusTest {
 protected:
  std::string dir;

  void SetUp() override {
    MenusTest::SetUp();
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    ResetMainLoop();
    prefsArray[16] = 1;
    onDisk(0, 2, 100, "zero.KXdata");
    onDisk(1, 3, 100, "one.KXdata");
    FIxWINDOWSmenu();
    rt::setHandler(rt::Vector::Dialog, DoDIALOG);
    rt::setHandler(rt::Vector::Menu, HANDLEMENU);
    for (int16_t m = 1; m <= 6; ++m) FBMenu(m, 0, 1);
    // File 0 has a change that is not on the disk yet.
    PutDatum(0, 1, 5, 42.0f);
    FileSHORTS[0][10] = 1;
    rt::bringWindowForward(1000);
    qvtest::script({kIdle});
    MainLoopPass();
  }
  void TearDown() override {
    for (int s = 0; s < kSlots; ++s) CFURLarrayMain[s] = CFURLarrayOutput[s] = "";
    MenusTest::TearDown();
  }

  void onDisk(int slot, int channels, int32_t cases, const std::string& name) {
    openFile(slot, channels, cases);
    FileName[slot] = name;
    CFURLarrayMain[slot] = dir + "/" + name;
    FileMeta meta;
    std::vector<int16_t> all;
    for (int16_t c = 1; c <= channels; ++c) all.push_back(c);
    const BinarySaveResult b = saveFPBinary(viewOfSlot(slot, meta), 0, cases, all, "", "");
    ASSERT_TRUE(rt::writeFileAtomic(CFURLarrayMain[slot], b.bytes));
  }

  // Runs the main loop on an event file until its records are used up; the exit status, or
  // -1 when the program goes on.
  int runEventFile(const std::string& name, const std::vector<std::string>& lines) {
    const std::string path = dir + "/" + name + ".events";
    {
      std::ofstream out(path);
      for (const std::string& l : lines) out << l << "\n";
    }
    std::string error;
    EXPECT_EQ(rt::script::loadFile(path, error), 0) << error;
    return qvtest::exitStatusOf([] {
      while (rt::script::pendingCount() > 0) MainLoopPass();
    });
  }

  std::vector<uint8_t> bytesOf(const std::string& name) const {
    auto b = rt::readWholeFile(dir + "/" + name);
    return b ? *b : std::vector<uint8_t>{};
  }
  std::optional<DataFile> readBack(const std::string& name) const {
    BinaryLoadResult r = decodeBinaryFile(bytesOf(name));
    if (!r.ok()) return std::nullopt;
    return std::move(r.file);
  }
};

}  // namespace

TEST_F(SaveQuestions, QuitWithSaveWritesTheFileThenEnds) {
  const std::string saved = dir + "/zero saved.KXdata";
  EXPECT_EQ(runEventFile("save", {"quit", "click 1", "click 234", "save " + saved}), 0);
  const auto back = readBack("zero saved.KXdata");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->nCases, 100);
  EXPECT_EQ(back->channels[1][5], 42.0f);
}

TEST_F(SaveQuestions, QuitWithDoNotSaveEndsWithoutWriting) {
  const auto before = bytesOf("zero.KXdata");
  EXPECT_EQ(runEventFile("dontsave", {"quit", "click 2"}), 0);
  EXPECT_EQ(bytesOf("zero.KXdata"), before);
}

TEST_F(SaveQuestions, QuitWithCancelGoesOnWithNothingWritten) {
  const auto before = bytesOf("zero.KXdata");
  EXPECT_EQ(runEventFile("cancel", {"quit", "click 3", kIdle}), -1);
  EXPECT_EQ(bytesOf("zero.KXdata"), before);
  EXPECT_EQ(FileSHORTS[0][10], 1);
  EXPECT_TRUE(rt::windowExists(1000));
}

// A save of part of the file leaves changes no file holds: Quit asks again.
TEST_F(SaveQuestions, QuitAsksAgainAfterASaveOfPartOfTheFile) {
  const std::string part = dir + "/part.KXdata";
  EXPECT_EQ(runEventFile("partial", {"quit", "click 1", "click 2", "click 233", "click 7", "save " + part, "click 2"}),
            0);
  const auto back = readBack("part.KXdata");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->nChannels, 1);
}

TEST_F(SaveQuestions, ClosingAChangedFileWithSaveWritesItWhereItCameFrom) {
  EXPECT_EQ(runEventFile("close", {"dialog 4 1000", "click 1", kIdle}), -1);
  EXPECT_FALSE(rt::windowExists(1000));
  EXPECT_EQ(nCases[0], 0);
  const auto back = readBack("zero.KXdata");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->channels[1][5], 42.0f);
}

TEST_F(SaveQuestions, ClosingWithDoNotSaveOrCancel) {
  const auto before = bytesOf("zero.KXdata");
  EXPECT_EQ(runEventFile("keep", {"dialog 4 1000", "click 3", kIdle}), -1);
  EXPECT_TRUE(rt::windowExists(1000));
  EXPECT_EQ(FileSHORTS[0][10], 1);
  EXPECT_EQ(runEventFile("drop", {"dialog 4 1000", "click 2", kIdle}), -1);
  EXPECT_FALSE(rt::windowExists(1000));
  EXPECT_EQ(bytesOf("zero.KXdata"), before);
}

// The question for roads that close several files at once.
TEST_F(SaveQuestions, CloseQuestionAsksAndSaves) {
  TheFileInUse = 1;
  qvtest::script({"click 3"});
  EXPECT_FALSE(plot::mayCloseSlot(0));
  qvtest::script({"click 2"});
  EXPECT_TRUE(plot::mayCloseSlot(0));
  EXPECT_EQ(FileSHORTS[0][10], 1);
  qvtest::script({"click 1"});
  EXPECT_TRUE(plot::mayCloseSlot(0));
  EXPECT_EQ(FileSHORTS[0][10], 0);
  EXPECT_EQ(TheFileInUse, 1) << "the file in use is put back";
  EXPECT_EQ(readBack("zero.KXdata")->channels[1][5], 42.0f);
  EXPECT_TRUE(plot::mayCloseSlot(0)) << "nothing left to ask";
  EXPECT_EQ(rt::script::pendingCount(), 0u);
}

TEST_F(SaveQuestions, FileMenuSaveAndSaveAs) {
  ActiveChannel = 2;
  EXPECT_EQ(DoMENU(1, 6), 0);
  EXPECT_EQ(FileSHORTS[0][10], 0);
  EXPECT_EQ(readBack("zero.KXdata")->channels[1][5], 42.0f);
  EXPECT_EQ(ActiveChannel, 2);

  SaveAsBigENDIAN = 1;
  qvtest::script({"click 233", "click 7"});
  rt::script::pushLine("save " + dir + "/as.KXdata");
  EXPECT_EQ(DoMENU(1, 7), 0);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(FileName[0], "as.KXdata");
  EXPECT_EQ(ActiveChannel, 2);
  EXPECT_EQ(SaveAsBigENDIAN, 0);
  EXPECT_FALSE(rt::windowExists(5));
}
