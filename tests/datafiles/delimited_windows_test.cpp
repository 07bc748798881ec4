// The compaction tools, the block export, the marker export and the conditional csv save,
// driven by scripted input on a file in slot 0.
#include <cmath>
#include <string>
#include <vector>

#include "datafiles/compaction.h"
#include "core/fit_state.h"
#include "save_fixture.h"

using namespace qv;
using savetest::sampleOf;

namespace {

class DelimitedWindows : public savetest::SaveTest {
 protected:
  void SetUp() override {
    SaveTest::SetUp();
    prefsArray[80] = 0;
    eightcharacters = timecounter = showinterpolationstatus = 0;
    UseExcelFormat = 0;
    TimeUnits = 0;
    ShowDot = 0;
    prefsArray[47] = 0;
  }
  void TearDown() override {
    for (auto& row : ParseArray[0]) std::vector<float>().swap(row);
    CompactedChannel[0] = 0;
    parse = 0;
    prefsArray[26] = prefsArray[27] = 0;
    SaveTest::TearDown();
  }

  // Slot 0 holds `cases` cases whose samples are their case numbers, at `interval` seconds.
  void openCaseNumbers(int channels, int32_t cases, float interval) {
    openFile(0, channels, cases, "run.KXdata", false);
    for (int c = 1; c <= channels; ++c)
      for (int32_t k = 0; k <= cases; ++k) PutDatum(0, c, k, float(k));
    FileInfoFLOATS[0][1] = interval;
  }

  std::vector<std::string> linesOf(const std::string& path) {
    const std::vector<uint8_t> b = bytesOf(path);
    std::vector<std::string> out;
    std::string line;
    for (uint8_t c : b) {
      if (c == '\n') out.push_back(line), line.clear();
      else line += char(c);
    }
    if (!line.empty()) out.push_back(line);
    return out;
  }
};

TEST_F(DelimitedWindows, SampleAveragingDrawsAndSavesTheGroupMeans) {
  openCaseNumbers(2, 1005, 2.0f);
  const std::string path = dir + "/run compact.txt";
  records({"click 16", "click 17",          // + 1, -1: back to 10
           "click 20",                      // Do Compaction
           "click 21", "click 233", "save " + path,  // Save Compacted Data, every channel
           "click 23"});
  PARSEbySAMPLES();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(4));
  EXPECT_EQ(CompactedChannel[0], 10);
  ASSERT_EQ(ParseArray[0][2].size(), 101u);
  EXPECT_FLOAT_EQ(ParseArray[0][2][0], 5.5f);
  EXPECT_FLOAT_EQ(ParseArray[0][42][0], 2.8722813f);
  EXPECT_FLOAT_EQ(ParseArray[0][2][100], 1003.0f);
  EXPECT_FLOAT_EQ(ParseArray[0][42][100], 1.4142136f);

  const std::vector<std::string> l = linesOf(path);
  ASSERT_EQ(l.size(), 1u + 101u);
  EXPECT_EQ(l[0].substr(0, 12), "Time (sec) \t");
  EXPECT_EQ(l[1], " 10\t 5.5\t 2.87228\t 5.5\t 2.87228");
  EXPECT_EQ(l[101].substr(0, 11), " 2010\t 1003");  // (100 + 1/2) x 10 x 2 s
}

TEST_F(DelimitedWindows, AFactorWhoseGroupsDoNotFitIsRefusedNamingOneThatFits) {
  openCaseNumbers(1, 6100000, 1.0f);
  // 10 + 5 = 15: 406,666 groups. The refusal names 16; then 16 is taken.
  records({"click 16", "click 16", "click 16", "click 16", "click 16", "click 20", "click 1"});
  EXPECT_EQ(qvtest::exitStatusOf([] { PARSEbySAMPLES(); }), 3);
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "bub3.mp3"), 1);
  EXPECT_EQ(CompactedChannel[0], 0);
  EXPECT_TRUE(ParseArray[0][1].empty());
  EXPECT_EQ(rt::editTextIn(4, 101), " 15");

  records({"click 16", "click 16", "click 16", "click 16", "click 16", "click 16", "click 20", "click 23"});
  PARSEbySAMPLES();
  EXPECT_EQ(CompactedChannel[0], 16);
  EXPECT_EQ(ParseArray[0][1].size(), 381250u);
}

TEST_F(DelimitedWindows, TimeAveragingFindsTheBlockSizeAndRefusesBadIntervals) {
  openCaseNumbers(1, 3000, 10.0f);
  records({"popup 138 3",                 // Minutes
           "type 103 5", "key 13"});      // 5 minutes: 30 samples, 100 intervals
  EXPECT_EQ(qvtest::exitStatusOf([] { PARSEbyTIME(); }), 3);
  EXPECT_EQ(rt::editTextIn(4, 102), " 30");
  EXPECT_EQ(rt::editTextIn(4, 101), " 5");
  EXPECT_EQ(rt::editTextIn(4, 104), " 100");

  sounds.clear();
  records({"popup 138 3", "type 103 120", "key 13", "key 13",   // too long, the warning's OK
           "type 103 0.1", "key 13", "key 13",                   // too short
           "type 103 5", "key 13", "click 20", "click 23"});     // 30 samples averaged
  PARSEbyTIME();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(std::count(sounds.begin(), sounds.end(), "bzot.mp3"), 2);
  EXPECT_EQ(CompactedChannel[0], 30);
  EXPECT_EQ(TimeUnits, 1);
  ASSERT_EQ(ParseArray[0][1].size(), 100u);
  EXPECT_FLOAT_EQ(ParseArray[0][1][0], 15.5f);
}

TEST_F(DelimitedWindows, TheBlockExportWritesTheBlockAndTheFileKeepsItsName) {
  openFile(0, 3, 300, "run.KXdata");
  setBlock(0, 100, 200);
  const std::string path = dir + "/run; cases 100 - 200.csv";
  records({"save " + path, "click 237", "click 233"});
  ExportBlockData();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  const std::vector<std::string> l = linesOf(path);
  ASSERT_EQ(l.size(), 1u + 101u);
  EXPECT_EQ(l[0], "day of year,Elapsed time (sec),Time (hours) ,chan 1,chan 2,chan 3");
  EXPECT_EQ(l[1].substr(l[1].find(",")), ", 50, 9.21389, 1100, 2100, 3100");
  EXPECT_EQ(l[101].substr(l[101].rfind(",")), ", 3200");
  EXPECT_EQ(FileName[0], "run.KXdata");
  EXPECT_EQ(CFURLarrayMain[0], dir + "/run.KXdata");
  EXPECT_EQ(FileSHORTS[0][10], 1);

  // A cancelled panel writes nothing.
  records({"save cancel", "click 233"});
  ExportBlockData();
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_EQ(filesInFolder().size(), 2u);
}

TEST_F(DelimitedWindows, TheMarkerListIsWrittenWhereTheUserSays) {
  openFile(0, 2, 300, "run.KXdata");  // markers at cases 1, 150 and 300
  FileInfoFLOATS[0][8] = 23.0f * 60.0f + 59.0f;  // starts 23:59, so the last marker is past midnight
  const std::string path = dir + "/Markers from run.KXdata.csv";
  records({"save " + path});
  PrintMarkersToFile();
  const std::vector<std::string> l = linesOf(path);
  ASSERT_EQ(l.size(), 4u);
  EXPECT_EQ(l[0], "Case,Elapsed time (min),Real time (h),Marker,event type");
  EXPECT_EQ(l[2].substr(0, 12), " 150, 1.25, ");
  EXPECT_EQ(l[3], " 300, 2.5, 0.025,C,");

  UseExcelFormat = 1;
  records({"save " + dir + "/Markers from run.KXdata.xls"});
  PrintMarkersToFile();
  EXPECT_EQ(linesOf(dir + "/Markers from run.KXdata.xls")[1].substr(0, 3), " 1\t");
  records({"save cancel"});
  PrintMarkersToFile();
  EXPECT_EQ(filesInFolder().size(), 3u);
}

TEST_F(DelimitedWindows, TheConditionIsAskedForCsvOnlyAndNeedsATest) {
  openFile(0, 3, 300, "run.KXdata");
  // A condition set from an earlier csv save: the own text format saves every row unasked.
  prefsArray[26] = 2, prefsArray[27] = 126;
  records({"click 233", "click 2", "click 7", "save " + dir + "/run.txt"});
  EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Saved);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  EXPECT_FALSE(rt::windowExists(6));

  // csv with the box ticked and no test chosen yet: the window stays until one is.
  prefsArray[26] = prefsArray[27] = 0;
  const std::string path = dir + "/run data.csv";
  records({"click 233", "click 4", "click 10", "click 7",
           "click 30", "click 1",                          // no test: told, the window stays
           "click 2", "click 126", "type 100 2100", "click 30",  // channel 2 <= 2100
           "save " + path});
  EXPECT_EQ(SAVEDATAFILE(1, 0, 0), SaveResult::Partial);
  EXPECT_EQ(rt::script::pendingCount(), 0u);
  const std::vector<std::string> l = linesOf(path);
  ASSERT_EQ(l.size(), 1u + 101u);  // cases 0..100: channel 2 holds 2000 + case (case 0: 2001)
  EXPECT_EQ(l[101].substr(l[101].size() - 11), " 2100, 3100");
}

}  // namespace
