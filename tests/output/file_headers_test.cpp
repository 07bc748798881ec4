#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/filetable.h"
#include "output/file_headers.h"
#include "output/result_text.h"

using namespace qv;

namespace {

std::string fixture(const std::string& name) {
  std::ifstream in(std::string(QV_FIXTURES) + "/" + name, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

FileHeaderInfo threeChannels() {
  FileHeaderInfo f;
  f.name = "run1.KXdata";
  f.startDate = "03/01/2024";
  f.startTime = "10:00:00";
  f.labels = {"", "O2 (%)", "CO2 (%)", "Temp (C)"};
  f.interval = 2;
  f.flow = 500;
  f.temperature = 21.5;
  f.pressure = 760;
  f.volume = 1200;
  f.mass = 35.2;
  f.comment = "Mouse 4, fasted\rsecond line";
  return f;
}

}  // namespace

TEST(FileHeaders, TextFileHeaderOfThreeChannels) {
  EXPECT_EQ(textFileHeader(threeChannels()), fixture("text_header_3ch.txt"));
}

TEST(FileHeaders, TheHeaderReadsTheSlot) {
  const int slot = 7;
  FileName[slot] = "run1.KXdata";
  StartDate[slot] = "03/01/2024";
  StartTime[slot] = "10:00:00";
  nChannels[slot] = 3;
  for (auto& s : LabelStrings[slot]) s.clear();
  SetChannelLabel(slot, 1, "O2 (%)");
  SetChannelLabel(slot, 2, "CO2 (%)");
  SetChannelLabel(slot, 3, "Temp (C)");
  const float info[10] = {0, 2, 500, 21.5f, 760, 1200, 35.2f, 0, 600, 0};
  for (int w = 0; w < 10; ++w) FileInfoFLOATS[slot][w] = info[w];
  CommentContainer[slot] = "Mouse 4, fasted\rsecond line";
  EXPECT_EQ(textFileHeader(fileHeaderInfo(slot)), fixture("text_header_3ch.txt"));

  // No comment still gets its line; the interval is in seconds however long the file.
  CommentContainer[slot].clear();
  FileInfoFLOATS[slot][1] = 900;
  const std::string s = textFileHeader(fileHeaderInfo(slot));
  EXPECT_NE(s.find("\nCOMMENTS:  \n"), std::string::npos);
  EXPECT_NE(s.find("\nInterval 900 sec     Flow rate"), std::string::npos);
  nChannels[slot] = 0;
}

TEST(FileHeaders, PrintedSpoolHeader) {
  FileHeaderInfo f = threeChannels();
  f.labels.push_back("Activity");
  f.labels.push_back("Flow");  // five channels: 1/2, 3/4 and 5
  const std::vector<PrintedLine> lines = printedSpoolHeader(f);
  const std::string rule = repeated(kEmDash, 55);
  auto pad = [](std::string s) { return s + std::string(42 - s.size(), ' '); };
  const std::string expected =
      "    \u2022\u2022\u2022  FILE `run1.KXdata '; saved 03/01/2024 at 10:00:00  \u2022\u2022\u2022\n" +
      rule + "\n" +
      "Mouse 4, fasted\n"
      "second line\n" +
      rule + "\n" +
      // The second of a pair starts at column 43.
      pad("     CHANNEL 1:  O2 (%)") + "     CHANNEL 2:  CO2 (%)\n" +
      pad("     CHANNEL 3:  Temp (C)") + "     CHANNEL 4:  Activity\n" +
      "     CHANNEL 5:  Flow\n"
      "\n"
      "     interval 2 sec     Flow rate 500 ml/min       Mass 35.2 g\n"
      "      B.P. 760 torr           Ta 21.5 \u00b0C      Effective volume 1200 ml\n"
      "   " + rule + "\n";
  EXPECT_EQ(printedText(lines), expected);
  EXPECT_TRUE(lines[0][0].bold);
  EXPECT_TRUE(lines[1][0].bold);
  EXPECT_TRUE(lines[5][1].bold);   // a label
  EXPECT_FALSE(lines[5][0].bold);  // its caption
  EXPECT_EQ(lines[5][2].column, 43);
}

TEST(FileHeaders, SpoolLinesPrintWhole) {
  const std::vector<PrintedLine> body =
      spoolDocument({}, "  BASIC STATS, CHANNEL 1:  O2, dry\n     Mean =  20.5     N = 300\n");
  ASSERT_EQ(body.size(), 2u);
  EXPECT_EQ(body[0][0].text, "      BASIC STATS, CHANNEL 1:  O2, dry");
  EXPECT_EQ(body[1][0].text, "         Mean =  20.5     N = 300");
}
