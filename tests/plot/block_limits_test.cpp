// Left and right limits clicked in the block window: the offset of the case clicked, the
// shading of what lies outside, and the shading removed by drawing it once more.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/event_state.h"
#include "core/filetable.h"
#include "plot/plot.h"
#include "plot/plot_state.h"
#include "plot_fixture.h"
#include "runtime/windows.h"
#include "stats/block_limits.h"
#include "support/qvtest.h"

using namespace qv;
using namespace plottest;

namespace {

// A block window of cases begin..end of a 5,000-case file.
void blockWindowOf(int32_t begin, int32_t end) {
  resetPlotState();
  openPlot(makeFile(5000, {[](int32_t k) { return float(std::sin(k * 0.05)); }}), 0);
  DrawPlot(0, 0, 0, 1);
  BeginBlock.inUse() = begin;
  EndBlock.inUse() = end;
  FileSHORTS[0][2] = 2;
  DrawBLOCK();
  const rt::Rect r = rt::windowContentRect(2);
  rt::setWindowContentRect(2, {r.left, r.top, r.left + 600, r.top + 260});
  DrawBLOCK();
}

std::string mouseIn2(const char* kind, int x, int y = 100) {
  return std::string("mouse ") + kind + " " + std::to_string(x) + " " + std::to_string(y) + " 2";
}

std::vector<rt::RGB> block() { return pixels(2, {0, 0, 600, 240}); }
rt::RGB at(const std::vector<rt::RGB>& p, int x, int y) { return p[size_t(y * 600 + x)]; }

}  // namespace

TEST(BlockLimits, ALeftLimitShadesUpToTheCaseClicked) {
  blockWindowOf(100, 300);  // 3 pixels a case
  ASSERT_EQ(RightLim, 600);
  const auto bare = block();
  // The left edge itself is not taken; the click after it is.
  qvtest::script({mouseIn2("down", 0).c_str(), mouseIn2("up", 0).c_str(), mouseIn2("down", 151).c_str(),
                  mouseIn2("up", 151).c_str()});
  const int32_t left = SETLIMITS(0, 0);
  EXPECT_EQ(left, 50);
  EXPECT_EQ(HorizPosition, 150);
  const auto shaded = block();
  int changed = 0;
  for (int y = 20; y < 200; ++y) changed += !(at(shaded, 40, y) == at(bare, 40, y));
  EXPECT_GT(changed, 50);  // every other row
  for (int y = 20; y < 200; ++y) EXPECT_EQ(at(shaded, 300, y), at(bare, 300, y));
  for (int y = 3; y < 12; ++y) EXPECT_EQ(at(shaded, 30, y), at(bare, 30, y));  // the corner stays readable

  // FIXLIMITS draws it once more: gone. Again: back.
  FIXLIMITS(left, 0, HorizPosition, 0);
  EXPECT_EQ(block(), bare);
  FIXLIMITS(left, 0, 150, 0);
  EXPECT_EQ(block(), shaded);

  // Setting the same limit again removes the first shading before the second is drawn.
  qvtest::script({mouseIn2("down", 301).c_str(), mouseIn2("up", 301).c_str()});
  EXPECT_EQ(SETLIMITS(left, 0), 100);
  const auto moved = block();
  EXPECT_EQ(at(moved, 40, 100), at(shaded, 40, 100));
  EXPECT_NE(at(moved, 200, 100), at(bare, 200, 100));
  EXPECT_EQ(at(moved, 350, 100), at(bare, 350, 100));
  FIXLIMITS(100, 0, HorizPosition, 0);
  EXPECT_EQ(block(), bare);
}

TEST(BlockLimits, ARightLimitAndAOneCaseBlock) {
  blockWindowOf(100, 300);
  const auto bare = block();
  qvtest::script({mouseIn2("down", 450).c_str(), mouseIn2("up", 450).c_str()});
  EXPECT_EQ(SETLIMITS(0, 1), 150);
  const auto shaded = block();
  int changed = 0;
  for (int y = 20; y < 200; ++y) changed += !(at(shaded, 500, y) == at(bare, 500, y));
  EXPECT_GT(changed, 50);
  FIXLIMITS(0, 150, 0, HorizPosition);
  EXPECT_EQ(block(), bare);

  // One case: the window is that case wide, and no click names a case outside the block.
  blockWindowOf(200, 200);
  qvtest::script({mouseIn2("down", 590).c_str(), mouseIn2("up", 590).c_str()});
  EXPECT_EQ(SETLIMITS(0, 1), 0);
  EXPECT_EQ(HorizPosition, 0);
}
