// The spreadsheet route's windows driven by scripted input: the options window and its
// interlocks, the results-per-line window, and the notes window that begins a line.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "output/commands.h"
#include "output/output.h"
#include "output/route_texts.h"
#include "output/spreadsheet.h"
#include "output_fixture.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "stats/block_stats.h"
#include "core/stats_state.h"

using namespace qv;

namespace {

struct SpreadsheetWindowTest : ::testing::Test {
  std::string dir;
  void SetUp() override {
    qvtest::resetRuntime();
    outtest::resetRoute();
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    outtest::fileWithPlotWindow(3, 100);
    storeSpreadsheetOptions({});
    NMultipleResults = 2;
    note1 = note2 = " ";
  }
  void TearDown() override {
    outtest::resetRoute();
    storeSpreadsheetOptions({});
  }
  static std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  int16_t openSpreadsheet(std::initializer_list<const char*> windowRecords, const std::string& path) {
    qvtest::script(windowRecords);
    const std::string save = "save " + path;
    qvtest::script({save.c_str()});
    PortForResultsOutput = kRouteSpreadsheet;
    return OPEN_OUTPUT_PORT();
  }
};

}  // namespace

TEST_F(SpreadsheetWindowTest, OptionsAndResultsPerLineChosenInTheWindows) {
  const std::string path = dir + "/run results.txt";
  // The Excel format unlocks several results per line; a second note brings the first.
  ASSERT_EQ(openSpreadsheet({"click 9", "click 10", "click 8", "click 1", "click 20", "click 3", "click 20"}, path), 1);
  EXPECT_EQ(qv::rt::script::pendingCount(), 0u);
  const SpreadsheetOptions o = currentSpreadsheetOptions();
  EXPECT_EQ(o.UseExcelFormat, 1);
  EXPECT_EQ(o.UseMultipleResults, 1);
  EXPECT_EQ(o.Note_1, 1);
  EXPECT_EQ(o.Note_2, 1);
  EXPECT_EQ(o.tabTime, 1);
  EXPECT_EQ(NMultipleResults, 3);
  SendTextToPrinter();
  const std::string header = readText(path);
  EXPECT_EQ(header, spreadsheetHeader(o, 3));
  EXPECT_EQ(header.rfind("note#1\tnote#2\tMean\tSD\tN\tminimum\tmaximum\tVariable\tStrtTime\tEndTime\tMean 2\t", 0), 0u);
}

TEST_F(SpreadsheetWindowTest, MultipleResultsAreDimmedWithoutTheExcelFormat) {
  qvtest::script({"click 10"});
  PortForResultsOutput = kRouteSpreadsheet;
  EXPECT_EQ(qvtest::exitStatusOf([] { OPEN_OUTPUT_PORT(); }), 3);
}

TEST_F(SpreadsheetWindowTest, ACloseBoxCancelsTheRouteAndKeepsTheOptions) {
  // The options window's box, then the results-per-line window's.
  for (auto records : {std::vector<const char*>{"click 5", "dialog 4 9"},
                       std::vector<const char*>{"click 9", "click 10", "click 20", "dialog 4 9"}}) {
    storeSpreadsheetOptions({});
    for (const char* r : records) qvtest::script({r});
    PortForResultsOutput = kRouteSpreadsheet;
    EXPECT_EQ(OPEN_OUTPUT_PORT(), 0);
    EXPECT_EQ(PortForResultsOutput, kRouteNone);
    EXPECT_FALSE(rt::windowExists(9));
    EXPECT_EQ(qv::rt::script::pendingCount(), 0u);
  }
  EXPECT_EQ(currentSpreadsheetOptions().tabChan, 0) << "nothing of a cancelled window is kept";
}

TEST_F(SpreadsheetWindowTest, NotesWindowBeginsEveryLine) {
  const std::string path = dir + "/run results.csv";
  ASSERT_EQ(openSpreadsheet({"click 8", "click 20"}, path), 1);
  BlockStats s;
  s.n = 4;
  s.mean = 2.5;
  s.sd = 1.25f;
  s.min = 1;
  s.max = 4;
  publishStatistics(s, 10, 13);
  ch = 2;
  AnalysisCode = 12;

  qvtest::script({"type 1 dose 2", "type 2 ok, fine", "key 13"});
  DRAFTPRINT("P");
  EXPECT_FALSE(rt::windowExists(30));
  EXPECT_EQ(note1, "dose 2");
  EXPECT_EQ(note2, "ok, fine");
  // The next line asks again, offering the notes as they were.
  qvtest::script({"key 13"});
  DRAFTPRINT(" ");
  EXPECT_EQ(qv::rt::script::pendingCount(), 0u);
  EXPECT_EQ(Nresults, 2);
  SendTextToPrinter();

  const std::string text = readText(path);
  const std::string row = "dose 2,\"ok, fine\", 2.5, 1.25,4, 1, 4,chan 2\n";
  EXPECT_EQ(text, "note#1,note#2,Mean,SD,N,minimum,maximum,Variable\n" + row + row);
}
