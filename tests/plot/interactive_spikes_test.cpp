// Interactive spike removal on the plot: the repairs by themselves, and the window driven by
// scripted clicks, drags and keys on a channel whose case k holds k.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/filetable.h"
#include "core/prefs.h"
#include "core/undo.h"
#include "core/view_state.h"
#include "editing/commands.h"
#include "editing/spike_repair.h"
#include "editing/spike_window.h"
#include "plot/plot.h"
#include "plot_fixture.h"
#include "runtime/scripted.h"
#include "runtime/windows.h"
#include "support/qvtest.h"

using namespace qv;
using namespace plottest;

TEST(SpikeRepair, RepairsAndTheirUndo) {
  std::vector<float> x{0, 5, 5, 10, 12, 8, 12, 8, 12, 20, 5, 5};
  const auto r = repair::conserveFill(x, {3, 9}, 1);
  ASSERT_TRUE(r);
  const std::vector<double> want{11, 12.1667, 11.9722, 13.4769, 14.9252, 14.0997, 20.8292};
  for (int i = 3; i <= 9; ++i) EXPECT_NEAR(x[size_t(i)], want[size_t(i - 3)], 1e-4) << i;
  repair::undo(x, *r);
  EXPECT_EQ(x, (std::vector<float>{0, 5, 5, 10, 12, 8, 12, 8, 12, 20, 5, 5}));

  std::vector<float> y{0, 1, 2, 9, 4, NAN};
  EXPECT_FALSE(repair::repairSpike(y, 1));
  EXPECT_FALSE(repair::repairSpike(y, 4)) << "beside a gap";
  EXPECT_FALSE(repair::repairSpike(y, 5));
  ASSERT_TRUE(repair::repairSpike(y, 3));
  EXPECT_EQ(y[3], 3.0f);
  EXPECT_EQ(repair::spanOf(0, 1, 10), std::nullopt) << "both ends on case 1";
  EXPECT_EQ(repair::spanOf(12, 4, 10), (repair::Span{4, 10}));
  std::vector<float> z(11, 1.0f);
  ASSERT_TRUE(repair::conserveFill(z, {1, 10}, 5));
  for (int i = 1; i <= 10; ++i) EXPECT_TRUE(std::isfinite(z[size_t(i)]));
}

namespace {

class InteractiveSpikes : public ::testing::Test {
 protected:
  void SetUp() override {
    resetPlotState();
    openPlot(makeFile(1000, {[](int32_t k) { return float(k); }, [](int32_t) { return 0.0f; }}), 0);
    setPlotSize(0, 1287, 429);
    DrawPlot(0, 0, 0, 1);
    TheFileInUse = 0;
    ActiveChannel = 1;
    CommentContainer[0].clear();
    FileSHORTS[0][kMarkerCountWord] = 0;
    FileSHORTS[0][kChangeMarkWord] = 0;
    prefsArray[44] = 1;
    prefsArray[48] = 1;
    prefsArray[43] = 0;
    DsLx = 1;
    DoSlant = 0;
    spikeInterpMarkers = 0;
    CVX2 = 2;
  }
  static void run(const std::vector<std::string>& lines) {
    qvtest::script({});
    for (const std::string& l : lines) rt::script::pushLine(l);
    IntREMOVESPIKE(0);
  }
  static std::vector<std::string> click(int x) {
    return {"mouse down " + std::to_string(x) + " 200 1000", "mouse up " + std::to_string(x) + " 200 1000"};
  }
  static std::vector<std::string> drag(int from, int to) {
    return {"mouse down " + std::to_string(from) + " 200 1000", "mouse drag " + std::to_string(to) + " 200 1000",
            "mouse up " + std::to_string(to) + " 200 1000"};
  }
  static std::vector<std::string> join(std::initializer_list<std::vector<std::string>> parts) {
    std::vector<std::string> all;
    for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
  }
};

}  // namespace

TEST_F(InteractiveSpikes, ClicksRepairInsideTheFileAndDeleteRejectsOnce) {
  PutDatum(0, 1, 3, 50.0f);
  run(join({click(3), {"key 8", "key 8"}, click(1), click(1000), click(1100), {"key 13"}}));
  EXPECT_EQ(GetDatum(0, 1, 3), 50.0f) << "Delete put it back";
  EXPECT_EQ(GetDatum(0, 1, 1), 1.0f);
  EXPECT_EQ(GetDatum(0, 1, 1000), 1000.0f);
  EXPECT_FALSE(rt::windowExists(4));

  PutDatum(0, 1, 10, 50.0f);
  PutDatum(0, 1, 20, 50.0f);
  PutDatum(0, 1, 30, 50.0f);
  run(join({click(10), click(20), click(30), {"key 13"}}));
  EXPECT_EQ(GetDatum(0, 1, 20), 20.0f);
  EXPECT_NE(CommentContainer[0].find("manual spike removal (single-point); 3 spikes removed"), std::string::npos)
      << CommentContainer[0];
  ASSERT_TRUE(UNDO());
  EXPECT_EQ(GetDatum(0, 1, 20), 50.0f) << "the copy was taken before the first change";
}

TEST_F(InteractiveSpikes, SpansLineUpWithMarkersThatDeleteTakesAway) {
  DoSlant = 1;
  spikeInterpMarkers = 1;
  PutDatum(0, 1, 100, 5.0f);
  PutDatum(0, 1, 110, 25.0f);
  run(join({drag(100, 110), {"key 13"}}));
  EXPECT_EQ(GetDatum(0, 1, 105), 15.0f);
  ASSERT_EQ(FileSHORTS[0][kMarkerCountWord], 2);
  EXPECT_EQ(MarkersArray[0][1][1], 100);
  EXPECT_EQ(MarkersArray[0][1][2], 200);
  EXPECT_EQ(MarkersArray[0][2][1], 110);
  EXPECT_EQ(MarkersArray[0][2][2], 199);
  EXPECT_NE(CommentContainer[0].find("(linearizing); 1 spike removed"), std::string::npos);

  // Two clicks make a span too; Delete takes the span and its markers back.
  PutDatum(0, 1, 300, 0.0f);
  run(join({click(300), click(400), {"key 8", "key 13"}}));
  EXPECT_EQ(GetDatum(0, 1, 350), 350.0f);
  EXPECT_EQ(FileSHORTS[0][kMarkerCountWord], 2);

  // The whole file, five passes of the fill, from a drag that starts and ends outside it.
  prefsArray[43] = 1;
  CVX2 = 5;
  spikeInterpMarkers = 0;
  run(join({drag(1, 1200), {"key 13"}}));
  for (int32_t i = 1; i <= 1000; ++i) ASSERT_TRUE(std::isfinite(GetDatum(0, 1, i))) << i;
}

TEST_F(InteractiveSpikes, DeleteAfterASpikeAndASpanUndoesOnlyTheSpan) {
  PutDatum(0, 1, 50, 90.0f);
  PutDatum(0, 1, 205, 0.0f);
  run(join({click(50), {"key 8", "key 13"}}));
  EXPECT_EQ(GetDatum(0, 1, 50), 90.0f);
  PutDatum(0, 1, 50, 90.0f);
  DoSlant = 0;
  std::vector<std::string> lines = click(50);
  // The mode changes in window 4 (click 42), then a span, then Delete.
  lines.insert(lines.end(), {"dialog 1 42"});
  const auto span = drag(200, 210);
  lines.insert(lines.end(), span.begin(), span.end());
  lines.insert(lines.end(), {"key 8", "key 13"});
  run(lines);
  EXPECT_EQ(GetDatum(0, 1, 50), 50.0f) << "the spike stays repaired";
  EXPECT_EQ(GetDatum(0, 1, 205), 0.0f) << "the span was taken back";
}
