#include <gtest/gtest.h>

#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "plot/label_strip.h"
#include "core/menu_state.h"
#include "output/output.h"
#include "output/route_texts.h"
#include "output_fixture.h"
#include "runtime/files.h"
#include "runtime/sound.h"

using namespace qv;

namespace {

std::string readText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs of blanks as one: the PDF's text layout does not keep blank widths exactly.
std::string oneBlank(const std::string& s) {
  std::string out;
  for (char c : s)
    if (c != ' ' || out.empty() || out.back() != ' ') out += c;
  return out;
}

bool have(const char* tool) { return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0; }

struct RouteTest : ::testing::Test {
  std::string dir;
  std::unique_ptr<outtest::DataHome> home;
  void SetUp() override {
    qvtest::resetRuntime();
    outtest::resetRoute();
    dir = qvtest::tempDir(::testing::UnitTest::GetInstance()->current_test_info()->name());
    home = std::make_unique<outtest::DataHome>(dir + "/data");
    outtest::fileWithPlotWindow(3, 100);
    outtest::routeMenus();
  }
  void TearDown() override {
    outtest::resetRoute();
    rt::setSoundObserver(nullptr);
  }
  static std::vector<int> menuStates() {
    std::vector<int> s;
    for (int i = 17; i <= 19; ++i) s.push_back(rt::menuItemState(1, i));
    for (int i = 1; i <= 3; ++i) s.push_back(rt::menuItemState(80, i));
    return s;
  }
};

}  // namespace

TEST_F(RouteTest, TextFileRouteWritesUtf8LinesAndClosesAsItOpened) {
  const std::string path = dir + "/run 1 results.txt";
  qvtest::script({("save " + path).c_str()});
  AnalysisCode = 12;
  PortForResultsOutput = kRouteTextFile;
  rt::FBEditField(54, "12 saved", {0, 0, 80, 14}, 7);  // the plot window's data-bar note

  ASSERT_EQ(OPEN_OUTPUT_PORT(), 1);
  EXPECT_EQ(PortForResultsOutput, kRouteTextFile);
  EXPECT_EQ(AnalysisCode, 0) << "no earlier analysis is reported into a new destination";
  EXPECT_EQ(ResultsFileName, "run 1 results.txt");
  EXPECT_EQ(ThisFileName, "file 0");

  // The report writer writes straight to the route, or prints through it.
  EXPECT_TRUE(writeToRoute("  Ta = 23.5 °C, mass 12 g\n"));
  FBRoute(PortForResultsOutput);
  PrintText("    mean, S.D.: 1.5, 0.25\n");
  FBRoute(0);
  Nresults = 2;
  SendTextToPrinter();

  const std::string text = readText(path);
  EXPECT_EQ(text, TextResultsHeader(0) + "  Ta = 23.5 \xC2\xB0" "C, mass 12 g\n    mean, S.D.: 1.5, 0.25\n");
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(PortForResultsOutput, kRouteNone);
  EXPECT_EQ(Nresults, 0);
  EXPECT_EQ(rt::editTextIn(1000, 54), "");
  EXPECT_FALSE(rt::isFileOpen(kRouteTextFile));
  EXPECT_EQ(menuStates(), (std::vector<int>{1, 0, 0, 1, 1, 1}));
}

TEST_F(RouteTest, CancelledSavePanelLeavesNoRouteAndTheMenus) {
  for (int16_t route : {kRouteTextFile, kRouteSpreadsheet}) {
    prefsArray[7] = 25;
    std::vector<std::string> sounds;
    rt::setSoundObserver([&](const std::string& s) { sounds.push_back(s); });
    const auto before = menuStates();
    // The spreadsheet route asks for its options first.
    if (route == kRouteSpreadsheet) qvtest::script({"click 20", "save cancel"});
    else qvtest::script({"save cancel"});
    PortForResultsOutput = route;
    EXPECT_EQ(OPEN_OUTPUT_PORT(), 0);
    EXPECT_EQ(PortForResultsOutput, kRouteNone);
    EXPECT_EQ(menuStates(), before);
    EXPECT_FALSE(rt::isFileOpen(route));
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), "downvip.mp3"), sounds.end());
    EXPECT_EQ(qv::rt::script::pendingCount(), 0u);
  }
}

TEST_F(RouteTest, OpeningAnyRouteClearsTheAnalysisCode) {
  struct Case {
    int16_t route;
    std::string answer;
  } cases[] = {{kRouteTextFile, "save " + dir + "/a.txt"}, {kRouteSpreadsheet, "save " + dir + "/b.csv"}, {kRoutePrinter, ""}};
  for (const auto& c : cases) {
    if (c.route == kRouteSpreadsheet) qvtest::script({"click 20"});
    if (!c.answer.empty()) qvtest::script({c.answer.c_str()});
    AnalysisCode = 28;
    PortForResultsOutput = c.route;
    EXPECT_EQ(OPEN_OUTPUT_PORT(), 1) << c.route;
    EXPECT_EQ(AnalysisCode, 0) << c.route;
    EXPECT_TRUE(rt::isFileOpen(c.route)) << c.route;
    if (c.route == kRoutePrinter) qvtest::script({"page cancel"});
    SendTextToPrinter();
    EXPECT_EQ(PortForResultsOutput, kRouteNone);
  }
}

TEST_F(RouteTest, ResultsWindowClosesOnlyWhenTheFileHasCases) {
  for (int32_t cases : {100, 0}) {
    nCases[0] = cases;
    rt::openWindow(4, "results", {10, 600, 332, 950}, rt::kDocumentWindowClass, rt::kAttrCloseBox);
    qvtest::script({"save cancel"});
    PortForResultsOutput = kRouteTextFile;
    OPEN_OUTPUT_PORT();
    EXPECT_EQ(rt::windowExists(4), cases == 0) << cases;
  }
  nCases[0] = 100;
}

TEST_F(RouteTest, SpoolRoutePrintsReportLinesWholeToPdf) {
  PortForResultsOutput = kRoutePrinter;
  ASSERT_EQ(OPEN_OUTPUT_PORT(), 1);
  EXPECT_EQ(spoolFilePath(), dir + "/data/Quorvelant/printfile");
  EXPECT_EQ(rt::fileSize(spoolFilePath()), 0u);
  const std::string lines[] = {
      "BASIC STATS, CHANNEL 2, flow (ml/min)",
      "   cases 11 to 60,  elapsed time 49 sec",
      "      mean = 1,234.5,  S.D. = 0.25,  n = 50",
      "      range: -3.5 to 7.25",
  };
  for (const auto& l : lines) writeToRoute(l + "\n");
  const std::string pdf = dir + "/spool.pdf";
  qvtest::script({"page ok", ("print " + pdf).c_str()});
  SendTextToPrinter();
  EXPECT_EQ(PortForResultsOutput, kRouteNone);
  EXPECT_EQ(qv::rt::script::pendingCount(), 0u);
  ASSERT_GT(rt::fileSize(pdf), 0u);

  if (!have("pdftotext") || !have("pdftoppm")) GTEST_SKIP() << "poppler-utils are not installed";
  ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + dir + "/spool.txt'").c_str()), 0);
  const std::string text = oneBlank(readText(dir + "/spool.txt"));
  // Every report line comes out on one line of the page, commas and indentation kept.
  for (const auto& l : lines) {
    const std::string trimmed = oneBlank(l.substr(l.find_first_not_of(' ')));
    const size_t at = text.find(trimmed);
    ASSERT_NE(at, std::string::npos) << trimmed << "\n--- printed:\n" << text;
    const size_t lineStart = text.rfind('\n', at) + 1;
    EXPECT_EQ(text.substr(lineStart, at - lineStart).find_first_not_of(' '), std::string::npos);
  }
  const size_t col0 = text.find("BASIC STATS") - (text.rfind('\n', text.find("BASIC STATS")) + 1);
  const size_t col1 = text.find("mean =") - (text.rfind('\n', text.find("mean =")) + 1);
  EXPECT_GT(col1, col0) << "the indentation of a report line is kept";

  ASSERT_EQ(std::system(("pdftoppm -png -r 50 -f 1 -l 1 '" + pdf + "' '" + dir + "/page'").c_str()), 0);
  QImage page(QString::fromStdString(dir + "/page-1.png"));
  ASSERT_FALSE(page.isNull());
  // Print sits in the upper left of a white page.
  int darkTop = 0, darkBottom = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (qGray(page.pixel(x, y)) < 128) (y < page.height() / 4 ? darkTop : darkBottom)++;
  EXPECT_GT(darkTop, 100);
  EXPECT_EQ(darkBottom, 0);
}

TEST_F(RouteTest, OpeningAnOpenRouteAgainKeepsItsFile) {
  PortForResultsOutput = kRoutePrinter;
  ASSERT_EQ(OPEN_OUTPUT_PORT(), 1);
  ASSERT_TRUE(writeToRoute("BASIC STATS\n"));
  EXPECT_TRUE(RouteIsOpen());
  EXPECT_EQ(OPEN_OUTPUT_PORT(), 1);
  ASSERT_TRUE(writeToRoute("    Mean = 2\n"));
  rt::closeFile(kRoutePrinter);
  EXPECT_EQ(readText(spoolFilePath()), "BASIC STATS\n    Mean = 2\n");
  EXPECT_FALSE(RouteIsOpen());
}

TEST_F(RouteTest, ASpoolHoldingReportsIsEmptiedOnlyWhenTheUserSaysSo) {
  rt::makeFolders(dir + "/data/Quorvelant");
  struct Case {
    const char* answer;
    std::string kept;
  } cases[] = {{"alert 1", "BASIC STATS\nlater\n"}, {"alert 2", "later\n"}};
  for (const Case& c : cases) {
    std::ofstream(spoolFilePath(), std::ios::binary | std::ios::trunc) << "BASIC STATS\n";
    qvtest::script({c.answer});
    PortForResultsOutput = kRoutePrinter;
    ASSERT_EQ(OPEN_OUTPUT_PORT(), 1) << c.answer;
    EXPECT_EQ(qv::rt::script::pendingCount(), 0u) << c.answer;
    writeToRoute("later\n");
    rt::closeFile(kRoutePrinter);
    PortForResultsOutput = kRouteNone;
    EXPECT_EQ(readText(spoolFilePath()), c.kept) << c.answer;
  }
}

TEST_F(RouteTest, CancelledPageSetUpPrintsNothingAndClosesTheRoute) {
  for (const char* answers : {"page cancel", "print cancel"}) {
    // The report of the first pass was not printed: the second opening asks.
    if (std::string(answers) == "print cancel") qvtest::script({"alert 2"});
    PortForResultsOutput = kRoutePrinter;
    ASSERT_EQ(OPEN_OUTPUT_PORT(), 1);
    writeToRoute("BASIC STATS\n");
    Nresults = 1;
    if (std::string(answers) == "page cancel") qvtest::script({"page cancel"});
    else qvtest::script({"page ok", "print cancel"});
    SendTextToPrinter();
    EXPECT_EQ(PortForResultsOutput, kRouteNone) << answers;
    EXPECT_EQ(Nresults, 0) << answers;
    EXPECT_EQ(menuStates(), (std::vector<int>{1, 0, 0, 1, 1, 1})) << answers;
    EXPECT_EQ(qv::rt::script::pendingCount(), 0u) << answers;
  }
  EXPECT_TRUE(std::filesystem::directory_iterator(dir + "/data/Quorvelant")->path().filename() == "printfile");
}

TEST_F(RouteTest, SpoolThatCannotBeMadeLeavesNoRouteAndSaysSo) {
  std::ofstream(dir + "/blocked") << "a file where the data folder would be";
  outtest::DataHome blocked(dir + "/blocked");
  qvtest::script({"click 1"});
  PortForResultsOutput = kRoutePrinter;
  EXPECT_EQ(OPEN_OUTPUT_PORT(), 0);
  EXPECT_EQ(PortForResultsOutput, kRouteNone);
  EXPECT_FALSE(rt::isFileOpen(kRoutePrinter));
  EXPECT_EQ(qv::rt::script::pendingCount(), 0u) << "the message was shown and answered";
  EXPECT_FALSE(writeToRoute("lost\n"));
}

TEST_F(RouteTest, NoOutputAlertWaitsForThePress) {
  rt::openWindow(4, "results", {10, 600, 332, 950}, rt::kDocumentWindowClass, rt::kAttrCloseBox);
  qvtest::script({"mouse down 20 20", "mouse up 20 20"});
  NoOutputPortAlert();
  EXPECT_FALSE(rt::windowExists(1166));
  EXPECT_EQ(rt::frontWindow(), 4) << "the window that was active comes back";
  rt::trackingPump();
  rt::trackingPump();
  EXPECT_FALSE(rt::Button());
}

TEST_F(RouteTest, APrintedSpoolIsEmptiedSoTheNextPrintHoldsOnlyItsOwnReport) {
  const std::string reports[] = {"Cases301 to601 Mean = 7.25", "Cases701 to901 Mean = 9"};
  for (int k = 0; k < 2; ++k) {
    // No question: an unanswered alert would find no scripted answer and fail here.
    PortForResultsOutput = kRoutePrinter;
    ASSERT_EQ(OPEN_OUTPUT_PORT(), 1) << k;
    writeToRoute(reports[k] + "\n");
    const std::string pdf = dir + "/report" + std::to_string(k) + ".pdf";
    qvtest::script({"page ok", ("print " + pdf).c_str()});
    SendTextToPrinter();
    EXPECT_EQ(qv::rt::script::pendingCount(), 0u) << k;
    EXPECT_EQ(rt::fileSize(spoolFilePath()), 0u) << "the printed reports are done with";
    ASSERT_GT(rt::fileSize(pdf), 0u);
    if (!have("pdftotext")) continue;
    ASSERT_EQ(std::system(("pdftotext -layout '" + pdf + "' '" + pdf + ".txt'").c_str()), 0);
    const std::string text = oneBlank(readText(pdf + ".txt"));
    EXPECT_NE(text.find(oneBlank(reports[k])), std::string::npos) << text;
    EXPECT_EQ(text.find(oneBlank(reports[1 - k])), std::string::npos) << text;
  }
}
