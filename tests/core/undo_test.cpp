#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "core/backup_cache.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "core/undo.h"
#include "core_files.h"
#include "runtime/scripted.h"
#include "runtime/sound.h"
#include "runtime/utf8.h"
#include "support/qvtest.h"

using namespace qv;

namespace {

class Undo : public ::testing::Test {
 protected:
  void SetUp() override {
    qvtest::resetRuntime();
    coretest::makeFile(0, 3, 50);
    coretest::makeFile(1, 3, 50);
    TheFileInUse = 0;
    prefsArray[44] = 0;
    prefsArray[7] = 0;
  }
  void TearDown() override { rt::setSoundObserver(nullptr); }

  static std::vector<float> channel(int slot, int c) {
    return std::vector<float>(channelData(slot, c), channelData(slot, c) + nCases[slot] + 1);
  }
  static bool sameBytes(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
  }
  // Undo refused: its warning takes the scripted click and the data stay as they are.
  static void expectRefused(int slot, int c) {
    const auto before = channel(slot, c);
    qvtest::script({"click 1"});
    EXPECT_FALSE(UNDO());
    EXPECT_EQ(rt::script::pendingCount(), 0u);
    if (c <= nChannels[slot]) {
      EXPECT_TRUE(sameBytes(channel(slot, c), before));
    }
  }
};

}  // namespace

TEST_F(Undo, RestoresTheChannelByteForByteAndLowersTheChangeMark) {
  PutDatum(0, 2, 0, -0.0f);
  PutDatum(0, 2, 7, std::bit_cast<float>(0x7FC01234u));  // a NaN with a payload
  PutDatum(0, 2, 9, std::nextafter(0.0f, 1.0f));
  const auto original = channel(0, 2);
  ASSERT_TRUE(MAKEBACKUP(2));
  LastChan = 2;
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 1);
  for (int32_t k = 0; k <= 50; ++k) PutDatum(0, 2, k, 1.5f);
  ASSERT_TRUE(UNDO());
  EXPECT_TRUE(sameBytes(channel(0, 2), original));
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  // The copy stays: a second Undo restores it again, the mark stays at 0.
  PutDatum(0, 2, 3, 99.0f);
  ASSERT_TRUE(UNDO());
  EXPECT_TRUE(sameBytes(channel(0, 2), original));
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  EXPECT_EQ(LastChan, 2);
}

TEST_F(Undo, RefusedAfterSwitchingFilesAndAllowedBackInTheFile) {
  ASSERT_TRUE(MAKEBACKUP(1));
  PutDatum(0, 1, 5, -1.0f);
  TheFileInUse = 1;
  expectRefused(1, 1);
  EXPECT_EQ(GetDatum(1, 1, 5), 1005.0f);
  TheFileInUse = 0;
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(GetDatum(0, 1, 5), 1005.0f);
}

TEST_F(Undo, RefusedAfterTheRowServedAsScratch) {
  ASSERT_TRUE(MAKEBACKUP(2));
  float* scratch = BackupCacheRow(kUndoRow);
  ASSERT_NE(scratch, nullptr);
  scratch[1] = 123.0f;
  EXPECT_FALSE(UndoAvailable());
  expectRefused(0, 2);
}

TEST_F(Undo, RefusedAfterItsChannelWasDeletedOrTheFileClosedOrResized) {
  ASSERT_TRUE(MAKEBACKUP(3));
  ASSERT_TRUE(DeleteChannel(0, 1));
  expectRefused(0, 2);

  coretest::makeFile(0, 3, 50);
  ASSERT_TRUE(MAKEBACKUP(3));
  nCases[0] = 40;  // cropped by a tool that did not say so
  expectRefused(0, 3);

  coretest::makeFile(0, 3, 50);
  ASSERT_TRUE(MAKEBACKUP(3));
  FreeFileSlot(0);
  coretest::makeFile(0, 3, 50);  // another file in the same slot
  expectRefused(0, 3);
}

TEST_F(Undo, RestoresOnlyItsOwnChannelLabel) {
  KeepLoadedChannelForUndo(0);
  EXPECT_EQ(FileSHORTS[0][kChangeMarkWord], 0);
  SetChannelLabel(0, 3, "Tb °C, typed after loading");
  ASSERT_TRUE(MAKEBACKUP(1));
  SetChannelLabel(0, 1, "VO2 ml/min");  // the edit relabels its channel
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(rt::trimRight(RetrieveLabel(1)), "chan 1");
  EXPECT_EQ(rt::trimRight(RetrieveLabel(3)), "Tb °C, typed after loading");
  EXPECT_EQ(rt::trimRight(RetrieveLabel(2)), "chan 2");

  // A tool that relabels before it backs up hands over the label the channel had.
  SetChannelLabel(0, 2, "VCO2 ml/min");
  ASSERT_TRUE(MAKEBACKUP(2, rt::fitChars("CO2 %", 30)));
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(rt::trimRight(RetrieveLabel(2)), "CO2 %");
}

TEST_F(Undo, LoadedFileLeavesChannelOneAsTheCopy) {
  const auto original = channel(0, 1);
  KeepLoadedChannelForUndo(0);
  EXPECT_EQ(UndoCopy()[51], 0.0f);
  PutDatum(0, 1, 10, 0.0f);
  ASSERT_TRUE(UNDO());
  EXPECT_TRUE(sameBytes(channel(0, 1), original));
}

TEST_F(Undo, LogsAndSoundsOnlyWhenAskedTo) {
  std::vector<std::string> sounds;
  rt::setSoundObserver([&](const std::string& s) { sounds.push_back(s); });
  ASSERT_TRUE(MAKEBACKUP(2));
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(CommentContainer[0], "");
  EXPECT_TRUE(sounds.empty());
  prefsArray[44] = 1;
  prefsArray[7] = 25;
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(CommentContainer[0], "\r   \u2206  Channel 2, chan 2:  UNDO last change");
  EXPECT_EQ(sounds, std::vector<std::string>{"droplet.mp3"});
}
