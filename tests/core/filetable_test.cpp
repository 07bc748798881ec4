#include <gtest/gtest.h>

#include <string>

#include "core/filetable.h"
#include "plot/label_strip.h"
#include "core/prefs.h"
#include "core/kit.h"
#include "core_files.h"
#include "plot/plot_state.h"
#include "runtime/utf8.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;

TEST(FileTable, LabelsKeepThirtyCharacterCellsCountedInCharacters) {
  coretest::makeFile(0, 3, 5);
  TheFileInUse = 0;
  SetChannelLabel(0, 2, "Temp °C");
  SetChannelLabel(0, 3, "CO₂ in ‰ of the air, a label longer than its cell");
  EXPECT_EQ(RetrieveLabel(2), rt::fitChars("Temp °C", 30));
  EXPECT_EQ(rt::charCount(RetrieveLabel(2)), 30u);
  EXPECT_EQ(RetrieveLabel(1), rt::fitChars("chan 1", 30));
  EXPECT_EQ(RetrieveLabel(3), rt::leftChars("CO₂ in ‰ of the air, a label longer than its cell", 30));
  // The string keeps eight cells of 30 characters, whatever the bytes.
  EXPECT_EQ(rt::charCount(LabelStrings[0][1]), 240u);
  EXPECT_GT(LabelStrings[0][1].size(), 240u);
  EXPECT_EQ(rt::midChars(LabelStrings[0][1], 30, 30), RetrieveLabel(2));
  EXPECT_EQ(RetrieveLabel(0), "");
  EXPECT_EQ(RetrieveLabel(41), "");
}

TEST(FileTable, ChannelAddedToThirtyNineBecomesFortyAndAFortyFirstIsRefused) {
  coretest::makeFile(4, 39, 100);
  TheFileInUse = 4;
  ASSERT_TRUE(MakeOneNewChannel());
  EXPECT_EQ(nChannels[4], 40);
  ASSERT_NE(channelData(4, 40), nullptr);
  for (int32_t k = 0; k <= 100; ++k) PutDatum(4, 40, k, float(k));
  SetChannelLabel(4, 40, "VCO₂ ml/min at 25 °C");
  EXPECT_EQ(rt::midChars(LabelStrings[4][5], 210, 30), rt::fitChars("VCO₂ ml/min at 25 °C", 30));
  EXPECT_EQ(rt::midChars(LabelStrings[4][5], 180, 30), rt::fitChars("chan 39", 30));
  EXPECT_FALSE(MakeOneNewChannel());
  EXPECT_EQ(nChannels[4], 40);
  EXPECT_EQ(GetDatum(4, 40, 100), 100.0f);
  FreeFileSlot(4);
}

TEST(FileTable, NewChannelRefusedWhenItsArrayCannotBeHad) {
  coretest::makeFile(5, 2, 10);
  TheFileInUse = 5;
  nCases[5] = kMaxCases + 1;  // no array of that size is ever made
  EXPECT_FALSE(MakeOneNewChannel());
  EXPECT_EQ(nChannels[5], 2);
  EXPECT_EQ(gPointersToFileData[5][3], nullptr);
  FreeFileSlot(5);
}

TEST(FileTable, ChannelLogLineStartsByMode) {
  coretest::makeFile(0, 3, 5);
  TheFileInUse = 0;
  SetChannelLabel(0, 3, "O₂ %   ");
  struct Case {
    int mode, channel;
    const char* text;
  } cases[] = {
      {0, 3, "\r   \u2206  Channel 3, O₂ %:  "},
      {1, 3, "\r   <+ >   Channel 3, O₂ %:  "},
      {2, 3, "\r   <del >   Channel 3, O₂ %:  "},
      {7, 3, "\r   \u2206  Channel 3, O₂ %:  "},
  };
  for (const auto& c : cases) {
    GetChanLABEL(int16_t(c.mode), int16_t(c.channel));
    EXPECT_EQ(EditRecord, c.text) << c.mode;
  }
  SetChannelLabel(0, 2, "");
  GetChanLABEL(0, 2);
  EXPECT_EQ(EditRecord, "\r   \u2206  Channel 2, :  ");
}

TEST(FileTable, DeletingAChannelClosesUpArraysLabelsAndValues) {
  coretest::makeFile(6, 4, 20);
  fileVariableArray[6][3][2] = 3.5f;
  fileVariableArray[6][4][2] = 4.5f;
  const float* third = channelData(6, 3);
  ASSERT_TRUE(DeleteChannel(6, 2));
  EXPECT_EQ(nChannels[6], 3);
  EXPECT_EQ(channelData(6, 2), third);
  EXPECT_EQ(GetDatum(6, 3, 7), 4007.0f);
  EXPECT_EQ(rt::trimRight(RetrieveLabelOf(6, 2)), "chan 3");
  EXPECT_EQ(rt::trimRight(RetrieveLabelOf(6, 3)), "chan 4");
  EXPECT_EQ(rt::trimRight(RetrieveLabelOf(6, 4)), "");
  EXPECT_EQ(fileVariableArray[6][2][2], 3.5f);
  EXPECT_EQ(fileVariableArray[6][3][2], 4.5f);
  EXPECT_EQ(gPointersToFileData[6][4], nullptr);
  EXPECT_FALSE(DeleteChannel(6, 4));
  ASSERT_TRUE(DeleteChannel(6, 3));
  ASSERT_TRUE(DeleteChannel(6, 1));
  EXPECT_FALSE(DeleteChannel(6, 1));  // a file keeps one channel
  EXPECT_EQ(nChannels[6], 1);
  FreeFileSlot(6);
  EXPECT_EQ(nCases[6], 0);
  EXPECT_EQ(FileSHORTS[6][kInUseWord], 0);
  EXPECT_EQ(gPointersToFileData[6][1], nullptr);
}

TEST(LabelStrip, ShowsTheButtonUnderThePointerAndHidesWhenItLeaves) {
  qvtest::resetRuntime();
  coretest::makeFile(0, 3, 5);
  TheFileInUse = 0;
  SetChannelLabel(0, 3, "Flow ml/min");
  BuildWINDOW(4, "Results", 100, 100, 500, 400, 6);
  MakeButtonChannelLabelWindow(4);
  ASSERT_TRUE(rt::windowExists(kLabelStripWindow));
  EXPECT_FALSE(rt::windowVisible(kLabelStripWindow));
  EXPECT_EQ(rt::outputWindow(), 4);
  const rt::Rect strip = rt::windowContentRect(kLabelStripWindow), tool = rt::windowContentRect(4);
  EXPECT_EQ(strip.left, tool.left + 2);
  EXPECT_EQ(strip.top, tool.bottom + 4);
  EXPECT_EQ(strip.width(), 322);

  const std::string shown = "Channel 3:   " + rt::fitChars("Flow ml/min", 30) + std::string(43, ' ');
  prefsArray[79] = 3;
  ShowButtonChannelLabel(4);
  EXPECT_EQ(rt::editTextIn(kLabelStripWindow, 1), shown);
  EXPECT_TRUE(rt::windowVisible(kLabelStripWindow));
  EXPECT_EQ(rt::outputWindow(), 4);
  for (int other : {41, 0}) {
    prefsArray[79] = int16_t(other);
    ShowButtonChannelLabel(4);
    EXPECT_EQ(rt::editTextIn(kLabelStripWindow, 1), shown);
    EXPECT_TRUE(rt::windowVisible(kLabelStripWindow));
  }
  prefsArray[79] = -99;
  ShowButtonChannelLabel(4);
  EXPECT_FALSE(rt::windowVisible(kLabelStripWindow));
  EXPECT_EQ(rt::outputWindow(), 4);
  prefsArray[79] = 0;
}

namespace {
std::string gPrinted;
void capture(std::string_view text) { gPrinted += text; }
}  // namespace

TEST(LabelStrip, PrintChannelLabelWritesTheActiveLabelAndALineEnd) {
  coretest::makeFile(0, 3, 5);
  TheFileInUse = 0;
  ActiveChannel = 2;
  gPrinted.clear();
  setTextOutputRoute(capture);
  PrintChannelLabel();
  setTextOutputRoute(nullptr);
  EXPECT_EQ(gPrinted, rt::fitChars("chan 2", 30) + "\n");
  ActiveChannel = 1;
}
