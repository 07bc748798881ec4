#include <gtest/gtest.h>

#include <QImage>

#include <string>
#include <vector>

#include "core/event_state.h"
#include "core/filetable.h"
#include "core/kit.h"
#include "core/prefs.h"
#include "datafiles/text_size_warning.h"
#include "core/unsaved_changes.h"
#include "runtime/events.h"
#include "runtime/sound.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

class UnsavedChanges : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    FileSHORTS[2][10] = 1;
    prefsArray[16] = 1;
    prefsArray[7] = 1;
    sounds.clear();
    rt::setSoundObserver([this](const std::string& s) {
      if (s != "click.mp3") sounds.push_back(s);  // every button clicks
    });
  }
  void TearDown() override {
    rt::setSoundObserver(nullptr);
    FileSHORTS[2][10] = 0;
  }
  std::vector<std::string> sounds;
};

void menuHandlerOfTheCaller() {}

}  // namespace

TEST_F(UnsavedChanges, NothingToAskWithoutAChangeOrWithTheWarningOff) {
  FileSHORTS[2][10] = 0;
  EXPECT_EQ(CHECKDUMP(2), CheckDumpAnswer::DontSave);
  FileSHORTS[2][10] = 2;  // only a mark of exactly 1 asks
  EXPECT_EQ(CHECKDUMP(2), CheckDumpAnswer::DontSave);
  FileSHORTS[2][10] = 1;
  prefsArray[16] = 0;
  EXPECT_EQ(CHECKDUMP(2), CheckDumpAnswer::DontSave);
  EXPECT_EQ(CHECKDUMP(-1), CheckDumpAnswer::DontSave);
  EXPECT_TRUE(sounds.empty());
  EXPECT_FALSE(rt::windowExists(67));
}

TEST_F(UnsavedChanges, TheButtonsAndReturnAnswer) {
  struct Case {
    const char* record;
    CheckDumpAnswer answer;
  } cases[] = {
      {"click 1", CheckDumpAnswer::Save},
      {"key 13", CheckDumpAnswer::Save},
      {"click 2", CheckDumpAnswer::DontSave},
      {"click 3", CheckDumpAnswer::Cancel},
  };
  for (const auto& c : cases) {
    qvtest::script({c.record});
    EXPECT_EQ(CHECKDUMP(2), c.answer) << c.record;
    EXPECT_FALSE(rt::windowExists(67));
    EXPECT_EQ(FileSHORTS[2][10], 1) << "the question changes nothing";
  }
}

TEST_F(UnsavedChanges, TheCloseBoxDoesNotEndTheQuestion) {
  rt::setHandler(rt::Vector::Menu, menuHandlerOfTheCaller);
  qvtest::script({"dialog 4 67", "dialog 3 67", "key 27", "click 2"});
  EXPECT_EQ(CHECKDUMP(2), CheckDumpAnswer::DontSave);
  EXPECT_EQ(sounds, (std::vector<std::string>{"bzot.mp3", "Rip.mp3"}));
  EXPECT_EQ(rt::handler(rt::Vector::Menu), &menuHandlerOfTheCaller);

  qvtest::script({"dialog 4 67"});
  EXPECT_EQ(qvtest::exitStatusOf([] { CHECKDUMP(2); }), 3);  // still waiting for an answer
}

TEST_F(UnsavedChanges, TheWarningSoundFollowsTheSoundSetting) {
  prefsArray[7] = 26;
  qvtest::script({"click 3"});
  CHECKDUMP(2);
  prefsArray[7] = 0;
  qvtest::script({"click 2"});
  CHECKDUMP(2);
  EXPECT_EQ(sounds, (std::vector<std::string>{"ahem.mp3", "bzot.mp3"}));  // no Rip with sounds off
}

// The question is measured in the font it is drawn in: the window holds its whole line.
TEST_F(UnsavedChanges, TheQuestionFitsItsWindow) {
  const std::string shot = qvtest::tempDir("unsaved") + "/question.png";
  qvtest::script({("shot 67 " + shot).c_str(), "click 3"});
  EXPECT_EQ(CHECKDUMP(2), CheckDumpAnswer::Cancel);
  QImage img(QString::fromStdString(shot));
  ASSERT_FALSE(img.isNull());
  BuildWINDOW(20, "measure", 10, 40, 400, 200, 6);
  SetTextStyle(KestrixFont, 15, 0);
  EXPECT_LE(65 + rt::stringWidth("Do you want to save it before continuing?"), img.width() - 10);
}

TEST(TextSizeWarning, EndsOnItsButtonReturnOrCloseBox) {
  qvtest::resetRuntime();
  for (const char* record : {"click 1", "key 13", "dialog 4 20"}) {
    qvtest::script({"dialog 3 20", record});
    KestRixTextSizeWarning();
    EXPECT_FALSE(rt::windowExists(20)) << record;
    EXPECT_EQ(rt::script::pendingCount(), 0u) << record;
  }
}
