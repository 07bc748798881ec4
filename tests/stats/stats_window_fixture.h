#pragma once
// A recording in slot 0 with its plot window, a block and the block window, for the tests of
// the statistics window and its histograms: the program's own windows, driven by scripted
// input; and what the fixtures of those tests share.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/filetable.h"
#include "core/prefs.h"
#include "datafiles/datafile.h"
#include "output/commands.h"
#include "core/output_state.h"
#include "core/results_scaling.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "runtime/files.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "core/case_filters.h"
#include "core/stats_state.h"
#include "support/qvtest.h"

namespace statstest {

constexpr int kPlotWidth = 1200;
constexpr int kBlockWidth = 600;

// Slot 0 holds `cases` cases of one channel per generator (value of case k), the plot window
// is 1200 pixels wide, and cases begin..end are the block, shown in a block window 600
// pixels wide.
inline void recordingWithBlock(int32_t cases, const std::vector<std::function<float(int32_t)>>& channels,
                               int32_t begin, int32_t end) {
  using namespace qv;
  qvtest::resetRuntime();
  for (int s = 0; s < kSlots; ++s) {
    freeSlotArrays(s);
    nCases[s] = 0;
    nChannels[s] = 0;
    std::memset(FileSHORTS[s], 0, sizeof FileSHORTS[s]);
    std::memset(FileInfoFLOATS[s], 0, sizeof FileInfoFLOATS[s]);
    BeginBlock[s] = EndBlock[s] = 0;
  }
  std::memset(prefsArray, 0, sizeof prefsArray);
  resetResultScaling();
  Rscale = 0;
  DefaultColors();
  SetOverlayColors();
  AnalysisCode = 0;
  PortForResultsOutput = 0;
  Nresults = 0;
  UseCrossChanIndex = 0;
  AvoidInterpolation = 0;
  DumpHist = 0;
  IntegrationUnit = kUnitMinutes;
  Xstep = 1;
  ScaleMode = 2;

  DataFile f;
  f.nCases = cases;
  f.nChannels = int16_t(channels.size());
  for (size_t c = 0; c < channels.size(); ++c) {
    SampleArray a = allocateSamples(cases);
    a[0] = 0;
    for (int32_t k = 1; k <= cases; ++k) a[k] = channels[c](k);
    f.channels[c + 1] = std::move(a);
    f.meta.labels[c + 1] = "chan " + std::to_string(c + 1);
  }
  f.meta.name = "run.KXdata";
  f.meta.info[1] = 2;    // seconds a case
  f.meta.info[8] = 600;  // starts at 10:00
  f.meta.startDate = "05/14/2024";
  f.meta.startTime = "10:00:00";
  commitDataFile(std::move(f), 0);
  FileSHORTS[0][8] = 1;
  FileSHORTS[0][1] = 1;
  TheFileInUse = 0;
  ActiveChannel = chanB = ch = 1;
  DrawMAINWINDOW(0, 0);
  const rt::Rect r = rt::windowContentRect(1000);
  rt::setWindowContentRect(1000, {r.left, r.top, r.left + kPlotWidth, r.top + 500});
  ScreenWidth = int16_t(kPlotWidth);
  BottomOfPlotArea = 462;
  PlotHeight = 422;

  BeginBlock.inUse() = begin;
  EndBlock.inUse() = end;
  FileSHORTS[0][2] = 2;
  DrawBLOCK();
  const rt::Rect b = rt::windowContentRect(2);
  rt::setWindowContentRect(2, {b.left, b.top, b.left + kBlockWidth, b.top + 260});
  DrawBLOCK();
}

// The records of a click at x in the block window.
inline std::vector<std::string> blockClick(int x) {
  const std::string at = " " + std::to_string(x) + " 100 2";
  return {"mouse down" + at, "mouse up" + at};
}

// A test of an analysis window: its scripted input, its results route and its files.
struct WindowTest : ::testing::Test {
  std::string dir;  // the test's own folder, where a SetUp makes one

  static void script(const std::vector<std::string>& lines) {
    for (const std::string& l : lines) ASSERT_TRUE(qv::rt::script::pushLine(l)) << l;
  }
  static std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  // Results sent to results.txt in the test's folder; its path.
  std::string openTextRoute() {
    const std::string path = dir + "/results.txt";
    script({"save " + path});
    qv::PortForResultsOutput = qv::kRouteTextFile;
    EXPECT_EQ(qv::OPEN_OUTPUT_PORT(), 1);
    return path;
  }
  // The route closed (a printout's page set-up cancelled) and every file closed.
  static void closeRouteAndFiles() {
    if (qv::PortForResultsOutput) {
      qvtest::script({"page cancel"});
      qv::SendTextToPrinter();
    }
    qv::rt::closeAllFiles();
  }
};

}  // namespace statstest
